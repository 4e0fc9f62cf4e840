// The band handling of a filter page: selecting a band, the band's
// controls and graph handle, and its writes.

#include "model/unitstate.h"
#include "pages/filters/filterbandpanel.h"
#include "pages/filters/filterpage.h"
#include "pages/filters/filtertables.h"
#include "pages/knobfield.h"
#include "protocol/transport.h"

#include <QLineEdit>

#include <cmath>

using Field = FilterParams;

void FilterPage::showBand(int band)
{
    m_view.showBand(band, bandRecord(band), band == m_band);
}

void FilterPage::setBand(FilterParams::BandField field, double value)
{
    state().setNumber(m_params.band(field, m_channel, m_band), value);
    showBand(m_band);
}

void FilterPage::sendBand(int band)
{
    if (!bandKnown(band))
        return; // never a record made of another channel's values
    sendWrite(state().writeFrame(bandRecordId(band)));
}

void FilterPage::selectBand(int band)
{
    if (band < 0 || band >= Bands)
        return;
    // An edit of the old band goes out for the old band; the new band is
    // read at once, its answer no longer held back.
    deferred().flush();
    deferred().endHold();
    m_band = band;
    m_view.selectBand(band, bandRecord(band));
    updateAccessibleNames();
    showEditable();
    readBand(band);
}

void FilterPage::bandBtnClicked()
{
    selectBand(bandPanel()->bandOf(sender()));
}

void FilterPage::eqBypClicked(bool isChecked)
{
    if (!bandEditable())
        return;
    setBand(Field::BandEnable, isChecked ? 1 : 0);
    sendBand(m_band);
}

void FilterPage::eqTypeChanged(int index)
{
    if (!bandEditable())
        return;
    if (index >= 0 && index < FilterTables::BandTypes)
        setBand(Field::BandType, index);
    sendBand(m_band);
}

void FilterPage::eqFreqChanged(float value)
{
    if (!bandEditable())
        return;
    setBand(Field::BandFrequency, double(std::round(value)));
    deferred().edit(BandFrequencyKey);
}

void FilterPage::eqGainChanged(float value)
{
    if (!bandEditable())
        return;
    setBand(Field::BandGain, double(value)); // the knob's tenths, in dB
    deferred().edit(BandGainKey);
}

void FilterPage::eqQChanged(float value)
{
    if (!bandEditable())
        return;
    const int index = qBound(0, int(std::lround(value)), FilterTables::QIndexCount - 1);
    setBand(Field::BandQ, double(FilterTables::qValue(index)));
    deferred().edit(BandQKey);
}

void FilterPage::eqFreqEditingFinished()
{
    if (!bandEditable())
        return;
    KnobField *field = bandPanel()->frequency();
    const float typed = std::round(field->enteredValue());
    if (typed == bandRecord(m_band).frequency) {
        field->showText(typed);
        return;
    }
    setBand(Field::BandFrequency, double(typed));
    deferred().edit(BandFrequencyKey);
}

void FilterPage::eqGainEditingFinished()
{
    if (!bandEditable())
        return;
    // The field takes -20..20 dB, more than the knob's +-15, so it is read here
    // rather than through the knob's range.
    KnobField *field = bandPanel()->gain();
    bool ok = false;
    const float typed = field->edit()->text().trimmed().toFloat(&ok);
    const float gain = qBound(-TextGainLimit, ok ? typed : 0.0f, TextGainLimit);
    if (gain == bandRecord(m_band).gain) {
        field->showText(gain);
        return;
    }
    setBand(Field::BandGain, double(gain));
    deferred().edit(BandGainKey);
}

void FilterPage::peqGraphChanged(uchar band, float freq, float gain)
{
    if (band >= Bands)
        return;
    // A drag of another band's handle selects that band and then moves it,
    // so that what the graph shows is what the page stores and sends.
    if (band != m_band)
        selectBand(band);
    const PeqBandRecord r = bandRecord(band);
    if (!bandKnown(band)) {
        m_view.drawBand(band, r); // the graph shows the stored band again
        return;
    }
    // A value the graph cannot take leaves its field as it was.
    if (std::isfinite(gain) && std::fabs(gain) <= KnobGainLimit) {
        if (gain != r.gain)
            deferred().edit(BandGainKey);
        state().setNumber(m_params.band(Field::BandGain, m_channel, band), double(gain));
    }
    if (isAudioFrequency(freq)) {
        if (freq != r.frequency)
            deferred().edit(BandFrequencyKey);
        state().setNumber(m_params.band(Field::BandFrequency, m_channel, band), double(freq));
    }
    // The graph shows the stored band, also where it refused the drag.
    showBand(band);
}
