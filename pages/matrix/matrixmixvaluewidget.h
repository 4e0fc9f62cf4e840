#pragma once

#include "model/paramid.h"
#include "pages/deferredsend.h"
#include "model/gainrules.h"
#include "protocol/commands.h"

#include <QDialog>

namespace Model {
class UnitState;
}

class CrosspointGrid;
class DragScrollArea;
class QFader;
class QLabel;
class QLineEdit;
class QMixButton2;
class QTimer;

// The crosspoint editor, opened from the matrix page: the gain of every
// crosspoint (and its on state) on a grid of buttons that show the gains.
// It holds the program's copy of each crosspoint's gain and on state; the
// matrix page hands it the unit's answers. It sends its own changes and tells
// the matrix page about them (mixButtonClicked, mixGainChanged).
//
// A gain edit applies to every selected crosspoint and is sent 10 ticks of the
// dialog's own 10 ms timer after the last edit, or at once before the
// selection changes and when the dialog is hidden, so it always reaches the
// crosspoints it was made for.
class MatrixMixValueWidget final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(MatrixMixValueWidget)

public:
    static constexpr quint8 Module = Proto::Module::Matrix;
    static constexpr int Channels = 16;
    static constexpr int GainMin = GainRules::CrosspointMin; // the bottom of the scale: off
    static constexpr int GainMax = GainRules::CrosspointMax;
    static constexpr int OffGain = GainRules::CrosspointOff; // what "off" is sent as

    // Shows and edits `state` (by default the one provided to `parent`'s
    // container, or one of its own).
    explicit MatrixMixValueWidget(QWidget *parent = nullptr, Model::UnitState *state = nullptr);
    ~MatrixMixValueWidget() override;

    // Crosspoints set in the state as the unit has them; shown here and on
    // the matrix page. Neither sends nor emits.
    void setMixOn(int input, int output, bool on);
    void setMixGain(int input, int output, int gain);
    void setInputName(int input, const QString &name);
    void setOutputName(int output, const QString &name);

    bool isMixOn(int input, int output) const;
    int mixGain(int input, int output) const;
    bool isHolding() const { return m_deferred.isHolding(); }
    // True while shown: ticks come whenever there is work for them.
    bool isTimerRunning() const;
    // True while the tick timer itself runs.
    bool isTicking() const;

    CrosspointGrid *grid() const { return m_grid; }
    QMixButton2 *mixButton(int input, int output) const;
    DragScrollArea *scrollArea() const { return m_scroll; }
    QLineEdit *inputField() const { return m_inField; }
    QLineEdit *outputField() const { return m_outField; }
    QLineEdit *gainEdit() const { return m_gainEdit; }
    QFader *fader() const { return m_fader; }

signals:
    void mixButtonClicked(int inIndex, int outIndex, bool isChecked);
    void mixGainChanged(float value);

public slots:
    void timeout();
    void GainEditingFinished();
    void GainSliderChanged(float value);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void stateChanged(const Model::ParamId &id);
    void crosspointSwitched(int input, int output, bool on);
    void showCrosspoint(int input, int output);
    void showFirstSelected();
    void showGain(int gain);
    void applyGainToSelection(int gain);
    void sendGains();
    void retranslate();

    Model::UnitState *m_state;
    CrosspointGrid *m_grid;
    DragScrollArea *m_scroll;
    QLabel *m_title;
    QLineEdit *m_inField;
    QLineEdit *m_outField;
    QLabel *m_gainCaption;
    QLineEdit *m_gainEdit;
    QFader *m_fader;
    QTimer *m_timer;
    DeferredSend m_deferred;
    bool m_shown = false;
    int m_shownInput = -1;
    int m_shownOutput = -1;
};
