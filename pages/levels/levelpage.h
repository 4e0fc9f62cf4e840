#pragma once

#include "model/gainrules.h"
#include "model/paramid.h"
#include "pages/blockpage.h"

#include <QVector>

#include <array>

class ElidedLabel;
class QComboBox;
class QFader;
class QLabel;
class QLineEdit;
class QPushButton;

// Which commands and rules a level page uses. The output level page and the
// pre-mix level page are the same design; everything that differs is here.
struct LevelPageConfig
{
    quint8 module;
    const char *titlePrefix; // "IN " or "OUT "
    const char *objectName;  // of the page
    const char *stripName;   // of each strip's background
    quint8 muteCmd;
    quint8 gainCmd;
    quint8 invertCmd;
    quint8 groupCmd;
    quint8 limitsCmd;
    quint8 priorityCmd; // 0: the page has no priority switch
    quint8 meterCmd;
    quint8 preMeterCmd; // 0: the page has no second meter
    QVector<quint8> refreshOrder;
    // True: every state answer must have exactly 16 values. False: the first
    // 16 values of a longer answer are used.
    bool exactLengths;
};

// A page of 16 level strips: gain on a fader and a text field within the
// channel's limits, mute, polarity inversion, a link group (and, on the
// pre-mix page, priority). Mute, invert and gain edits apply to every channel
// of the same group locally; the command goes out for the operated channel
// only, since the unit applies the link itself.
class LevelPage : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(LevelPage)

public:
    static constexpr int Channels = 16;
    static constexpr float GainMin = GainRules::LevelMin; // the bottom of the scale: off
    static constexpr float GainMax = GainRules::LevelMax;
    static constexpr float OffValue = GainRules::LevelOff; // what "off" is sent as

    // One channel as the unit's state holds it (a view, made on request).
    struct Channel
    {
        float gain = 0.0f;
        quint8 mute = 0;
        quint8 invert = 0;
        quint8 group = 0;
        quint8 priority = 0;
        int upperLimit = 12;
        int lowerLimit = -56;
    };

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;

    Channel channel(int c) const;
    QFader *fader(int c) const { return m_strips[size_t(c)].fader; }
    QLineEdit *gainEdit(int c) const { return m_strips[size_t(c)].gainEdit; }
    QPushButton *muteButton(int c) const { return m_strips[size_t(c)].mute; }
    QPushButton *invertButton(int c) const { return m_strips[size_t(c)].invert; }
    QPushButton *priorityButton(int c) const { return m_strips[size_t(c)].priority; }
    QComboBox *groupBox(int c) const { return m_strips[size_t(c)].group; }
    ElidedLabel *nameLabel(int c) const { return m_strips[size_t(c)].name; }

signals:
    void meterChanged(uchar channel, int level);
    void preMeterChanged(uchar channel, int level);
    void gainLimit(uchar channel, int upperLimit, int lowerLimit);

public slots:
    void gainEditingFinished();
    void gainSliderChanged(float fval);
    void muteClicked(bool isChecked);
    void invertClicked(bool isChecked);
    void groupChanged(int index);
    void priorityClicked(bool isChecked);

protected:
    LevelPage(const LevelPageConfig &config, QWidget *parent);
    void setChannelName(int channel, const QString &name);
    void retranslate() override;

private:
    struct Strip
    {
        QLabel *title = nullptr;
        ElidedLabel *name = nullptr;
        QLabel *gainCaption = nullptr;
        QLineEdit *gainEdit = nullptr;
        QFader *fader = nullptr;
        QPushButton *mute = nullptr;
        QPushButton *invert = nullptr;
        QPushButton *priority = nullptr;
        QLabel *groupCaption = nullptr;
        QComboBox *group = nullptr;
    };

    // The block's parameters in the unit's state.
    enum Field
    {
        Mute,
        Gain,
        Invert,
        Group,
        Priority,
        Max,
        Min,
        FieldCount
    };

    QWidget *buildStrip(int c);
    int channelOf(QObject *control) const;
    Model::ParamId param(Field field, int c) const;
    // The operated channel and, when it is in a group, the other members.
    QVector<int> linked(int c) const;
    void showStrip(int c);
    void applyOperatorGain(int c, float value);
    // Sets a switch of the operated channel (and of its group) and sends it.
    void switchClicked(Field field, QPushButton *LevelPage::Strip::*button, bool on);
    void send(Field field, int c);
    void updateAccessibleNames(int c);

    const LevelPageConfig m_config;
    std::array<int, FieldCount> m_params{};
    std::array<Strip, Channels> m_strips{};
};
