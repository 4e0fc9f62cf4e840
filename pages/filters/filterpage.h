#pragma once

#include "pages/blockpage.h"
#include "pages/filters/filterpageview.h"
#include "pages/filters/filterparams.h"

namespace Model {
struct RecordId;
}

class EqImportDialog;
class QChannelSelect;
struct EqChannel;

// What differs between the input and the output filter page.
struct FilterPageConfig
{
    quint8 module;
    const char *objectName;    // of the page
    const char *channelPrefix; // "IN " or "OUT ": channel buttons and their tooltips
    bool outputs;              // the channels are outputs (the source of "Copy to")
};

// A filter page: for the selected channel, a high-pass and a low-pass filter
// and up to 16 parametric bands, drawn by a FilterGraph whose handles can be
// dragged. Switches and boxes are sent at once; knobs, fields and drags 100 ms
// after their last movement, and answers are ignored until 500 ms after it.
// The values are the unit state's (state()): the page shows the selected
// channel's and writes its edits there; "Copy to" copies the unit's record of
// the channel to other channels and "Reset" restores its defaults.
//
// A change of channel or band sends what is pending for the old one, ends
// the hold and reads the new one at once. A filter's controls edit it only
// once the unit's record of it has come for the channel shown (after a
// channel change, a reset or a change of unit), since every write carries
// the whole record.
class FilterPage : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(FilterPage)

public:
    static constexpr int Channels = 16;
    static constexpr int Bands = 16;
    static constexpr int HoldTicks = 50;
    static constexpr float KnobGainLimit = 15.0f;                    // the knob and the graph
    static constexpr float TextGainLimit = PeqBandRecord::GainLimit; // the text field and answers

    // Deferred sends, in the order they go out on one tick.
    enum PendingKey
    {
        HighPassKey,
        LowPassKey,
        BandFrequencyKey,
        BandGainKey,
        BandQKey
    };

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;

    // 16 or 8 bands (from the unit's DSP version).
    void setBandCount(int count);
    int bandCount() const;

    int channel() const { return m_channel; }
    int band() const { return m_band; }
    // The selected channel's values in the unit state.
    CutFilterRecord highPass() const;
    CutFilterRecord lowPass() const;
    PeqBandRecord bandRecord(int band) const;

    FilterGraph *graph() const { return m_view.graph(); }
    CutFilterPanel *highPassPanel() const { return m_view.cutPanel(HighCut); }
    CutFilterPanel *lowPassPanel() const { return m_view.cutPanel(LowCut); }
    FilterBandPanel *bandPanel() const { return m_view.bandPanel(); }
    QPushButton *channelButton(int channel) const;
    QPushButton *copyButton() const { return m_view.copyButton(); }
    QPushButton *resetButton() const { return m_view.resetButton(); }
    QChannelSelect *channelSelect();

    // Equaliser files (filterpageeq.cpp). The import reads a file and opens
    // a preview of what it would do to the selected channel; nothing is sent
    // before its "Apply". Both are refused (the operator told why) while the
    // page does not hold the unit's records of the channel.
    bool importEqFile(const QString &fileName);
    bool exportEqFile(const QString &fileName);
    EqImportDialog *eqImportDialog() const;
    // Sets the channel's filters and bands to `target` in the unit state and
    // writes the records that changed, in the fewest frames: one operation
    // on the model. False, with nothing changed or sent, when `channel` is no
    // longer the selected one or a record of it is not the unit's.
    bool applyFilterSet(int channel, const EqChannel &target);

private slots:
    void hpfEnableClicked(bool isChecked);
    void lpfEnableClicked(bool isChecked);
    void hpfTypeChanged(int index);
    void lpfTypeChanged(int index);
    void hpfSlopeChanged(int index);
    void lpfSlopeChanged(int index);
    void hpfFreqChanged(float value);
    void lpfFreqChanged(float value);
    void bandBtnClicked();
    void eqQChanged(float value);
    void eqFreqChanged(float value);
    void eqGainChanged(float value);
    void eqFreqEditingFinished();
    void eqGainEditingFinished();
    void hpfFreqEditingFinished();
    void lpfFreqEditingFinished();
    void eqBypClicked(bool isChecked);
    void eqTypeChanged(int index);
    void channelChanged();
    void copyClicked();
    void resetClicked();
    void HPFilterGraphChanged(float freq);
    void LPFilterGraphChanged(float freq);
    void peqGraphChanged(uchar band, float freq, float gain);

protected:
    FilterPage(const FilterPageConfig &config, QWidget *parent);
    // The tooltip of a channel button: its prefix and number, then the label.
    void setChannelLabel(int channel, const QString &text);
    void retranslate() override;

private:
    using Cut = FilterParams::Cut;
    static constexpr Cut HighCut = FilterResponse::HighPass;
    static constexpr Cut LowCut = FilterResponse::LowPass;

    void connectControls();
    void copyAccepted();
    // An answer of the unit state: shown when it is the selected channel's.
    void answered(const Model::RecordId &rec);

    // Cut filters: one behaviour for both.
    void cutEnableClicked(Cut which, bool isChecked);
    void cutTypeChanged(Cut which, int index);
    void cutSlopeChanged(Cut which, int index);
    void cutKnobChanged(Cut which, float value);
    void cutEditingFinished(Cut which);
    void cutGraphChanged(Cut which, float freq);
    // Stores one field of the selected channel's filter and shows the filter.
    void setCut(Cut which, FilterParams::CutField field, double value);
    void showCut(Cut which);
    void sendCut(Cut which);

    // Bands (filterpagebands.cpp).
    void selectBand(int band);
    // Stores one field of the selected band and shows the band.
    void setBand(FilterParams::BandField field, double value);
    void showBand(int band);
    void sendBand(int band);
    // Shows every filter and band of the selected channel.
    void showChannel();

    void sendPending(int key);
    // Reads one band of the current channel.
    void readBand(int band);
    // The records of the selected channel in the unit state, and whether the
    // state holds the unit's copy of them.
    Model::RecordId cutRecord(Cut which) const;
    Model::RecordId bandRecordId(int band) const;
    bool cutKnown(Cut which) const;
    bool bandKnown(int band) const;
    // The selected channel's records are no longer the unit's (a change of
    // channel, a reset): they count as known again once answered.
    void forgetChannel();
    // Enables the controls of the records the page holds for the channel.
    void showEditable();
    // False (and the stored values shown again) while the page does not hold
    // the unit's record of the filter or of the current band.
    bool cutEditable(Cut which);
    bool bandEditable();
    // A frequency a filter can take (a graph drag may go beyond).
    static bool isAudioFrequency(float f);
    static PendingKey cutKey(Cut which) { return which == HighCut ? HighPassKey : LowPassKey; }
    // Equaliser files: the graph's menu entries, and whether the page holds
    // every record of the selected channel (else the operator is told).
    void importEq();
    void exportEq();
    bool channelReady(const QString &title);
    QString channelName() const;

    const FilterPageConfig m_config;
    const FilterParams m_params;
    int m_channel = 0;
    int m_band = 0;
    int m_copySource = 0;
    FilterPageView m_view;
    QChannelSelect *m_select = nullptr;
    EqImportDialog *m_eqDialog = nullptr;
};
