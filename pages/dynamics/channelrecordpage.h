#pragma once

#include "model/paramid.h"
#include "pages/blockpage.h"

#include <array>

class ElidedLabel;
class KnobField;
class QChannelSelect;
class QHBoxLayout;
class QLabel;
class QPushButton;

// What differs between the pages that edit one channel's parameter record at
// a time (the input and output limiters, the automatic gain control).
struct ChannelRecordConfig
{
    quint8 module = 0;
    quint8 recordCmd = 0; // read, write and answer of the record
    quint8 copyCmd = 0;
    quint8 resetCmd = 0;
    // The path of the record's first parameter, its switch, in the unit's
    // state ("input.#.limiter.enable"): the page shows that record's fields.
    const char *enablePath = "";
    int holdTicks = 10;        // ticks the page ignores answers after an edit
    bool outputs = false;      // the channels are outputs ("OUT n")
    bool copyToOutputs = true; // false: "Copy to" offers inputs only, sends the input mask alone
    const char *objectName = "";
};

// A page that shows one channel's record: a chart on the left, the record's
// knobs and the "Enable", "Copy to" and "Reset" buttons on the right, the 16
// channel buttons below them.
//
// The record's values live in the unit's state; the page shows the current
// channel's. The record is read for the current channel and written whole. An
// answer is applied to the state only outside the edit hold and for the
// current channel (the state checks its length). Before the channel changes,
// an edit still pending goes out for the channel it was made on and the hold
// ends; the new channel is read at once. Since every write carries the whole
// record, the record's controls edit it only while the state knows it: once
// its answer has come for the channel shown (after a channel change, a reset
// or a change of unit).
class ChannelRecordPage : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(ChannelRecordPage)

public:
    static constexpr int Channels = 16;
    static constexpr int ChartSize = 280;

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;
    void setInputName(int channel, const QString &name) override;
    void setOutputName(int channel, const QString &name) override;

    int currentChannel() const { return m_channel; }
    QPushButton *channelButton(int c) const { return m_channelButtons[size_t(c)]; }
    QPushButton *enableButton() const { return m_enable; }
    QPushButton *copyButton() const { return m_copy; }
    QPushButton *resetButton() const { return m_reset; }
    QChannelSelect *copyDialog();

public slots:
    void channelChanged();
    void enableClicked(bool isChecked);
    void copyClicked();
    void resetClicked();

protected:
    ChannelRecordPage(const ChannelRecordConfig &config, QWidget *parent);

    // Places the chart (a square control, 280 x 280 at the least) in the
    // chart area.
    void setChart(QWidget *chart);
    // The chart grows with the page (a large window), square.
    void resizeEvent(QResizeEvent *event) override;
    // Adds a knob column to the settings area, its caption above it: a knob
    // with a text field over the range of the record's field `field` (0 is
    // the switch), the knob holding the value times `scale`, the field
    // showing it with the printf `format`.
    KnobField *addParameter(QLabel *caption, int field, float scale, const char *format);
    // Names the controls after the channel shown and their captions.
    void updateAccessibleNames();
    void retranslate() override;

    // A field of the current channel's record in the state, and its value.
    Model::ParamId fieldId(int field) const;
    double value(int field) const;
    // Shows a field of the current channel's record (0: the switch, shown on
    // the enable button already).
    virtual void showField(int field) = 0;
    void showAll();
    // An operator's edit of a field: false (and the controls show the state
    // again) while the record is not known, else the value is kept.
    bool takeEdit(int field, float value, double *kept = nullptr);

    // Writes the record for the current channel.
    void sendRecord();
    static float tenths(float value);

private:
    Model::RecordId currentRecord() const;
    bool isKnown() const;
    void onChanged(const Model::ParamId &id);
    void copyAccepted();
    // Enables the record's controls while the page holds the unit's record.
    void showEditable();
    void showChannelTitle();
    QString channelTitle(int c) const;

    const ChannelRecordConfig m_config;
    const int m_record;          // in the catalogue
    const QVector<int> m_fields; // the record's parameters, by field
    int m_channel = 0;
    std::array<QPushButton *, Channels> m_channelButtons{};
    std::array<QString, Channels> m_names;
    QWidget *m_chartArea;
    QWidget *m_chart = nullptr;
    QHBoxLayout *m_parameters;
    QLabel *m_title;
    ElidedLabel *m_name;
    QPushButton *m_enable;
    QPushButton *m_copy;
    QPushButton *m_reset;
    QLabel *m_channelsTitle;
    QChannelSelect *m_copyDialog = nullptr;
    QVector<QWidget *> m_recordControls;
    QVector<QPair<QLabel *, KnobField *>> m_captioned; // for their accessible names
};
