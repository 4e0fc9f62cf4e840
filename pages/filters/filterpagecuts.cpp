// The high- and low-pass filters of a filter page: their controls, graph
// handles and writes.

#include "model/unitstate.h"
#include "pages/filters/cutfilterpanel.h"
#include "pages/filters/filterpage.h"
#include "pages/filters/filtertables.h"
#include "pages/knobfield.h"
#include "protocol/transport.h"
#include "widgets/knob.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

using Field = FilterParams;

void FilterPage::showCut(Cut which)
{
    m_view.showCut(which, m_params.cutValues(state(), which, m_channel));
}

void FilterPage::setCut(Cut which, FilterParams::CutField field, double value)
{
    state().setNumber(m_params.cut(which, field, m_channel), value);
    showCut(which);
}

void FilterPage::sendCut(Cut which)
{
    if (!cutKnown(which))
        return; // never a record made of another channel's values
    sendWrite(state().writeFrame(cutRecord(which)));
}

void FilterPage::cutEnableClicked(Cut which, bool isChecked)
{
    if (!cutEditable(which))
        return;
    setCut(which, Field::CutEnable, isChecked ? 1 : 0);
    sendCut(which);
}

void FilterPage::cutTypeChanged(Cut which, int index)
{
    if (!cutEditable(which))
        return;
    if (index >= 0 && index < FilterTables::CutTypes)
        setCut(which, Field::CutType, index);
    sendCut(which);
}

void FilterPage::cutSlopeChanged(Cut which, int index)
{
    if (!cutEditable(which))
        return;
    if (index >= 0 && index < FilterTables::Slopes)
        setCut(which, Field::CutSlope, index);
    sendCut(which);
}

void FilterPage::cutKnobChanged(Cut which, float value)
{
    if (!cutEditable(which))
        return;
    setCut(which, Field::CutFrequency, double(std::round(value)));
    deferred().edit(cutKey(which));
}

void FilterPage::cutEditingFinished(Cut which)
{
    if (!cutEditable(which))
        return;
    KnobField *field = m_view.cutPanel(which)->frequency();
    const float typed = std::round(field->enteredValue()); // clamped to 20..20000
    if (typed == m_params.cutValues(state(), which, m_channel).frequency) {
        field->showText(typed);
        return;
    }
    setCut(which, Field::CutFrequency, double(typed));
    deferred().edit(cutKey(which));
}

void FilterPage::cutGraphChanged(Cut which, float freq)
{
    if (!isAudioFrequency(freq) || !cutKnown(which)) {
        showCut(which); // the graph shows the stored filter again
        return;
    }
    // A drag may leave a fraction; the controls show it rounded.
    setCut(which, Field::CutFrequency, double(freq));
    deferred().edit(cutKey(which));
}

void FilterPage::hpfEnableClicked(bool isChecked)
{
    cutEnableClicked(HighCut, isChecked);
}
void FilterPage::lpfEnableClicked(bool isChecked)
{
    cutEnableClicked(LowCut, isChecked);
}
void FilterPage::hpfTypeChanged(int index)
{
    cutTypeChanged(HighCut, index);
}
void FilterPage::lpfTypeChanged(int index)
{
    cutTypeChanged(LowCut, index);
}
void FilterPage::hpfSlopeChanged(int index)
{
    cutSlopeChanged(HighCut, index);
}
void FilterPage::lpfSlopeChanged(int index)
{
    cutSlopeChanged(LowCut, index);
}
void FilterPage::hpfFreqChanged(float value)
{
    cutKnobChanged(HighCut, value);
}
void FilterPage::lpfFreqChanged(float value)
{
    cutKnobChanged(LowCut, value);
}
void FilterPage::hpfFreqEditingFinished()
{
    cutEditingFinished(HighCut);
}
void FilterPage::lpfFreqEditingFinished()
{
    cutEditingFinished(LowCut);
}
void FilterPage::HPFilterGraphChanged(float freq)
{
    cutGraphChanged(HighCut, freq);
}
void FilterPage::LPFilterGraphChanged(float freq)
{
    cutGraphChanged(LowCut, freq);
}
