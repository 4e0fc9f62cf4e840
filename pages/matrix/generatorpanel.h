#pragma once

#include "model/paramid.h"
#include "protocol/commands.h"

#include <QWidget>

#include <array>

namespace Model {
class UnitState;
}

class DeferredSend;
class QComboBox;
class QFader;
class QLabel;
class QLineEdit;
class QPushButton;

// The test signal generator of the matrix page: frequency, signal type, mute,
// level, and the outputs it feeds. Switches and choices are sent at once; the
// level is sent through the page's deferred send, 10 ticks after its last
// edit. Answers update the controls without sending anything.
class GeneratorPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(GeneratorPanel)

public:
    static constexpr quint8 Module = Proto::Module::Generator;
    static constexpr int OutputCount = 16;
    static constexpr int MaxFrequency = 24000;
    static constexpr int SineFrequency = 1000;
    static constexpr int GainMin = -70;
    static constexpr int GainMax = 12;

    enum Type : quint8
    {
        PinkNoise = 0,
        Sine = 1,
        WhiteNoise = 2,
        TypeCount
    };

    // The generator as the unit's state holds it (a view, made on request).
    struct State
    {
        quint8 mute = 0;
        quint16 frequency = 1000;
        quint8 type = Sine;
        int gain = -30;
        std::array<quint8, OutputCount> outputs{};
    };

    // Shows and edits the generator of `unit`; `deferred` is the page's, the
    // level is sent under `gainKey`.
    GeneratorPanel(Model::UnitState &unit, DeferredSend &deferred, int gainKey,
                   QWidget *parent = nullptr);

    State state() const;
    QLineEdit *frequencyEdit() const { return m_freqEdit; }
    QComboBox *typeBox() const { return m_typeBox; }
    QPushButton *muteButton() const { return m_mute; }
    QLineEdit *gainEdit() const { return m_gainEdit; }
    QFader *gainFader() const { return m_fader; }
    QPushButton *outputButton(int output) const;

    void refresh();
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload);
    void sendGain();
    void setOutputName(int output, const QString &name);
    void retranslate();

public slots:
    void sigMuteClick(bool isChecked);
    void sigGainChanged(float fval);
    void sigGainEditingFinished();
    void sigFreqEditingFinished();
    void sigSrcChanged(int index);
    void sigOutBtnClick(bool isChecked);

private:
    void updateAccessibleNames();
    enum Param
    {
        OutputParam,
        FrequencyParam,
        TypeParam,
        MuteParam,
        GainParam
    };
    static Model::ParamId param(Param which, int output = 0);
    double value(Param which) const;
    void set(Param which, double value, int output = 0);
    void send(Param which, int output = 0);
    void stateChanged(const Model::ParamId &id);
    void showAll();
    void showType();
    void showGain();
    void showFrequency();

    Model::UnitState &m_unit;
    DeferredSend &m_deferred;
    const int m_gainKey;
    QLabel *m_title;
    QLabel *m_freqCaption;
    QLineEdit *m_freqEdit;
    QComboBox *m_typeBox;
    QPushButton *m_mute;
    QLabel *m_gainCaption;
    QLineEdit *m_gainEdit;
    QFader *m_fader;
    QLabel *m_outCaption;
    std::array<QPushButton *, OutputCount> m_outButtons{};
    std::array<QString, OutputCount> m_outNames;
};
