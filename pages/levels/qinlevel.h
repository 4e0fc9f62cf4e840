#pragma once

#include "pages/blockpage.h"
#include "protocol/commands.h"

#include <array>

class ElidedLabel;
class KnobField;
class QComboBox;
class QDialog;
class QLabel;
class QPushButton;

// The input level page: per input the total gain (an analog preamplifier step
// plus a digital trim, shown as one value), mute, 48 V phantom power and the
// microphone/line mode; it relays the input meters.
class QInLevel final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QInLevel)

public:
    static constexpr quint8 Module = Proto::Module::InputLevel;
    static constexpr int Channels = 16;

    enum InputMode : quint8
    {
        Mic = 0,
        Line = 1
    };

    // One input as the unit's state holds it (a view, made on request).
    struct Channel
    {
        quint8 mute = 0;
        quint8 mode = Line;
        quint8 phantom = 0;
        quint8 preampStep = 0;
        float digitalGain = 0.0f;
    };

    explicit QInLevel(QWidget *parent = nullptr);

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;
    void setInputName(int channel, const QString &name) override;

    Channel channel(int c) const;
    // The total gain shown for channel c, clamped to its mode's range.
    float totalGain(int c) const;
    // Operator actions, as the controls of channel c perform them.
    void setGainFromOperator(int c, float total);

    KnobField *gainControl(int c) const { return m_strips[size_t(c)].gain; }
    QComboBox *modeBox(int c) const { return m_strips[size_t(c)].mode; }
    QPushButton *muteButton(int c) const { return m_strips[size_t(c)].mute; }
    QPushButton *phantomButton(int c) const { return m_strips[size_t(c)].phantom; }

signals:
    void meterChanged(uchar channel, int level);

public slots:
    void testClicked();
    void gainEditingFinished();
    void gainChanged(float value);
    void muteClicked(bool isChecked);
    void modeChanged(int index);
    void _48VClicked(bool isChecked);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void retranslate() override;

private:
    struct Strip
    {
        QLabel *title = nullptr;
        ElidedLabel *name = nullptr;
        QComboBox *mode = nullptr;
        QPushButton *mute = nullptr;
        QPushButton *phantom = nullptr;
        QLabel *gainCaption = nullptr;
        KnobField *gain = nullptr;
    };

    QWidget *buildStrip(int c);
    void updateAccessibleNames(int c);
    int channelOf(QObject *control) const;
    void lineModeReported(int c);
    void showChannel(int c);
    void sendGain(int c);
    void sendSwitch(int which, int c, bool on);

    std::array<Strip, Channels> m_strips{};
    QDialog *m_testWindow = nullptr;
    // Large gain knobs where the page has room for them (see resizeEvent).
    void fitKnobs();
    void setLargeKnobs(bool large);
    static constexpr int LargeKnobSide = 100;
    static constexpr int MediumKnobSide = 70;
    // The page's least height with the medium knobs.
    int m_mediumKnobsHeight = 0;
};
