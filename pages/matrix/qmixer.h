#pragma once

#include "pages/blockpage.h"
#include "protocol/commands.h"

#include <QString>

#include <array>

class CrosspointGrid;
class GeneratorPanel;
class MatrixMixValueWidget;
class QPushButton;

// The matrix mixer page: which input reaches which output (16 x 16
// crosspoints, switched one by one or as a selection), the whole matrix on or
// off at once, the crosspoint gain editor, and the test signal generator.
//
// It receives the crosspoint answers (module 8) and the generator answers
// (module 9) and passes the crosspoint state on to the editor.
class QMixer final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QMixer)

public:
    static constexpr quint8 Module = Proto::Module::Matrix;
    static constexpr quint8 GeneratorModule = Proto::Module::Generator;
    static constexpr int Channels = 16;

    explicit QMixer(QWidget *parent = nullptr);

    void refresh() override;
    // Crosspoint answers (module 8).
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;
    // Generator answers (module 9).
    void receiveGenerator(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload);
    void setInputName(int channel, const QString &name) override;
    void setOutputName(int channel, const QString &name) override;

    bool isHolding();
    bool isMixOn(int input, int output) const;

    CrosspointGrid *grid() const { return m_grid; }
    // The crosspoint editor, made when first needed (see m_gains).
    MatrixMixValueWidget *editor();
    GeneratorPanel *generator() const { return m_generator; }
    QPushButton *mixValueButton() const { return m_mixValue; }
    QPushButton *allMixButton() const { return m_allMix; }
    QPushButton *resetButton() const { return m_reset; }

public slots:
    void mixValueButtonClicked();
    void allMixButtonClicked();
    void resetButtonClicked();
    // From the editor: it switched a crosspoint and has sent it.
    void mixButtonClicked(int inIndex, int outIndex, bool isChecked);
    // From the editor: it changed crosspoint gains and sends them itself.
    void GainSliderChanged(float value);

protected:
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void retranslate() override;

private:
    void crosspointsSwitched(int input, int output, bool on);
    void setWholeMatrix(bool on);

    CrosspointGrid *m_grid;
    QWidget *m_gridFrame;
    GeneratorPanel *m_generator;
    // The editor is a window of 256 buttons that most sessions never open,
    // so it is made on first use; it shows the crosspoints of the state. Until
    // then the page keeps the channel names for it.
    MatrixMixValueWidget *m_editor = nullptr;
    std::array<QString, Channels> m_inputNames;
    std::array<QString, Channels> m_outputNames;
    QPushButton *m_mixValue;
    QPushButton *m_allMix;
    QPushButton *m_reset;
};
