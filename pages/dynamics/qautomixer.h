#pragma once

#include "model/paramid.h"
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
// The switches, the nom level, the thresholds and the lamps live in the
// unit's state. Gate answers go to the gate page, which applies them to the
// state also while it is hidden; this page shows what changes. A threshold
// edited here is kept in the state at once (the gate page shows it) and
// passed to the gate page through threshChanged(uchar, int) 100 ms after the
// last edit; the gate page sends the gate record to the unit.
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

    int nomLevel() const { return int(value(m_params.nom)); }
    int micCount() const { return m_micCount; }
    int totalNom() const { return m_totalNom; }
    int threshold(int c) const { return int(value(m_params.threshold, c)); }
    bool isAutoEnabled(int c) const { return value(m_params.autoEnable, c) != 0; }
    bool isGateOpen(int c) const { return value(m_params.open, c) != 0; }
    bool isOutputEnabled(int c) const { return value(m_params.outputEnable, c) != 0; }
    int attenuation(int c) const { return m_attenuation[size_t(c)]; }

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
    // A lamp state or threshold of the gate, kept in the state and shown.
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
    void updateAccessibleNames();
    QWidget *buildNomArea();
    QWidget *buildOutputs();
    // A value of the state: parameter `param` of channel c.
    double value(int param, int c = 0) const;
    int inputOf(QObject *control) const;
    int outputOf(QObject *control) const;
    // Shows a value of the state that changed.
    void showParam(const Model::ParamId &id);
    void takeThreshold(int c, float value);
    // Open microphones, total attenuation and each output's attenuation.
    void recompute();

    // The state's parameters this page shows.
    struct Params
    {
        int autoEnable, outputEnable, nom, threshold, open;
    };
    const Params m_params;
    std::array<int, Channels> m_attenuation{}; // dB, as shown
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
