#pragma once

#include "pages/blockpage.h"
#include "protocol/commands.h"

#include <array>

class GateLamp;
class KnobField;
class QComboBox;
class QFader;
class QLabel;
class QLineEdit;
class QPushButton;

// The gate-driven automatic mixer. Per input: whether it takes part
// ("Auto En"), its gate threshold (owned by the gate block and mirrored
// here) and whether its gate is open; per output: whether the attenuation
// applies. Each additional open microphone lowers the enabled outputs by the
// "Nom level" step.
//
// Gate answers go to the gate page, which passes thresholds and lamp states
// here (setThreshValue, setGateOn), also while that page is hidden. A
// threshold edited here goes to the gate page through threshChanged(uchar,
// int) 100 ms after the last edit; the gate page sends it to the unit.
class QAutoMixer final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QAutoMixer)

public:
    static constexpr quint8 Module = Proto::Module::AutoMixer;
    static constexpr int Channels = 16;
    static constexpr int NomLevelMin = 1, NomLevelMax = 5;

    explicit QAutoMixer(QWidget *parent = nullptr);

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;
    void setInputName(int channel, const QString &name) override;
    void setOutputName(int channel, const QString &name) override;

    int nomLevel() const { return m_nomLevel; }
    int micCount() const { return m_micCount; }
    int totalNom() const { return m_totalNom; }
    int threshold(int c) const { return m_inputs[size_t(c)].threshold; }
    bool isAutoEnabled(int c) const { return m_inputs[size_t(c)].autoEnable != 0; }
    bool isGateOpen(int c) const { return m_inputs[size_t(c)].gateOpen != 0; }
    bool isOutputEnabled(int c) const { return m_outputs[size_t(c)].enable != 0; }
    int attenuation(int c) const { return m_outputs[size_t(c)].attenuation; }

    QPushButton *autoEnableButton(int c) const { return m_inStrips[size_t(c)].autoEnable; }
    GateLamp *lamp(int c) const { return m_inStrips[size_t(c)].lamp; }
    KnobField *thresholdControl(int c) const { return m_inStrips[size_t(c)].threshold; }
    QPushButton *outputEnableButton(int c) const { return m_outStrips[size_t(c)].enable; }
    QLineEdit *attenuationEdit(int c) const { return m_outStrips[size_t(c)].attenuation; }
    QFader *attenuationFader(int c) const { return m_outStrips[size_t(c)].fader; }
    QComboBox *nomLevelBox() const { return m_nomBox; }
    QLabel *micCountLabel() const { return m_micCountValue; }
    QLabel *totalNomLabel() const { return m_totalNomValue; }

signals:
    // A threshold edited on this page, for the gate page.
    void threshChanged(uchar channel, int value);

public slots:
    void setGateOn(uchar ucChannel, bool isEnable);
    void setThreshValue(uchar ucChannel, int value);
    void NomLevelChange(int index);
    void inAutoEnClick(bool isChecked);
    void threshEditingFinished();
    void threshChanged(float value);
    void outEnableClick(bool isChecked);

protected:
    void retranslate() override;

private:
    struct Input
    {
        quint8 gateOpen = 0;
        quint8 autoEnable = 0;
        int threshold = -65;
    };
    struct Output
    {
        quint8 enable = 0;
        int attenuation = 0; // dB, as shown
    };
    struct InStrip
    {
        QLabel *title = nullptr;
        QPushButton *autoEnable = nullptr;
        GateLamp *lamp = nullptr;
        QLabel *caption = nullptr;
        KnobField *threshold = nullptr;
    };
    struct OutStrip
    {
        QLabel *title = nullptr;
        QPushButton *enable = nullptr;
        QLineEdit *attenuation = nullptr;
        QFader *fader = nullptr;
    };

    QWidget *buildInputs();
    QWidget *buildNomArea();
    QWidget *buildOutputs();
    int inputOf(QObject *control) const;
    int outputOf(QObject *control) const;
    void setThreshold(int c, int value);
    void receiveEnables(const QByteArray &flags, bool outputs);
    // Open microphones, total attenuation and each output's attenuation.
    void recompute();

    quint8 m_nomLevel = NomLevelMin;
    std::array<Input, Channels> m_inputs{};
    std::array<Output, Channels> m_outputs{};
    int m_micCount = 0;
    int m_totalNom = 0;

    std::array<InStrip, Channels> m_inStrips{};
    std::array<OutStrip, Channels> m_outStrips{};
    QLabel *m_nomCaption = nullptr;
    QComboBox *m_nomBox = nullptr;
    QLabel *m_micCountCaption = nullptr;
    QLabel *m_micCountValue = nullptr;
    QLabel *m_totalNomCaption = nullptr;
    QLabel *m_totalNomValue = nullptr;
};
