#include "pages/filters/filterpage.h"

#include "pages/filters/channelbuttonrow.h"
#include "pages/filters/cutfilterpanel.h"
#include "pages/filters/filterbandpanel.h"
#include "pages/filters/filtergraph.h"
#include "pages/filters/filtertables.h"
#include "pages/knobfield.h"
#include "pages/operatorprompt.h"
#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/lebytes.h"
#include "protocol/linkwatch.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/knob.h"
#include "widgets/qchannelselect.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace Cmd = Proto::FilterCmd;

namespace {

const float DefaultBandFrequencies[FilterPage::Bands] = {
    40, 60, 80, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 2000, 3000, 4000};

bool isAudioFrequency(float f)
{
    return std::isfinite(f) && f >= FilterTables::MinFrequency && f <= FilterTables::MaxFrequency;
}

} // namespace

FilterPage::FilterPage(const FilterPageConfig &config, QWidget *parent)
    : BlockPage(parent), m_config(config), m_graph(new FilterGraph(this)),
      m_bandPanel(new FilterBandPanel(this)),
      m_channels(new ChannelButtonRow(QString::fromLatin1(config.channelPrefix), this)),
      m_copy(new QPushButton(this)), m_reset(new QPushButton(this))
{
    setObjectName(QString::fromLatin1(config.objectName));
    m_cuts[LowCut].frequency = FilterTables::MaxFrequency;
    for (int b = 0; b < Bands; ++b)
        m_bands[size_t(b)].frequency = DefaultBandFrequencies[b];
    m_cutPanels = {new CutFilterPanel(this), new CutFilterPanel(this)};

    m_graph->setGainLimits(int(KnobGainLimit), -int(KnobGainLimit));
    m_graph->setDivisions(6);
    m_graph->setMinimumHeight(200);
    for (QPushButton *b : {m_copy, m_reset})
        b->setFixedSize(56, 25);

    auto *cuts = new QVBoxLayout;
    cuts->setSpacing(3);
    cuts->addWidget(m_cutPanels[HighCut]);
    cuts->addWidget(m_cutPanels[LowCut]);
    auto *middle = new QHBoxLayout;
    middle->setSpacing(3);
    middle->addWidget(m_graph, 1);
    middle->addLayout(cuts);

    // "Copy to" and "Reset" act on the whole channel: a panel of their own.
    auto *actions = new QWidget(this);
    actions->setObjectName(QStringLiteral("filterCtrlBgWidget"));
    actions->setAttribute(Qt::WA_StyledBackground);
    auto *actionColumn = new QVBoxLayout(actions);
    actionColumn->setContentsMargins(8, 6, 8, 6);
    actionColumn->setSpacing(6);
    actionColumn->addStretch(1);
    actionColumn->addWidget(m_copy);
    actionColumn->addWidget(m_reset);
    actionColumn->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(3);
    bottom->addWidget(m_bandPanel, 1);
    bottom->addWidget(actions);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(2, 3, 2, 2);
    page->setSpacing(3);
    page->addWidget(m_channels);
    page->addLayout(middle, 1);
    page->addLayout(bottom);

    deferred().setHoldTicks(HoldTicks);
    deferred().setSender([this](int key) { sendPending(key); });
    connectControls();
    // Another unit: nothing the page holds is its until its answers come.
    connect(LinkWatch::instance(), &LinkWatch::linkChanged, this, &FilterPage::showEditable);

    for (Cut which : {HighCut, LowCut})
        applyCut(which, m_cuts[which]);
    for (int b = 0; b < Bands; ++b)
        syncBandToGraph(b);
    m_bandPanel->show(m_bands[size_t(m_band)]);
    m_graph->setCurrentHandle(m_band);
    retranslate();
}

void FilterPage::connectControls()
{
    CutFilterPanel *hpf = m_cutPanels[HighCut];
    CutFilterPanel *lpf = m_cutPanels[LowCut];
    connect(hpf->enableButton(), &QPushButton::clicked, this, &FilterPage::hpfEnableClicked);
    connect(lpf->enableButton(), &QPushButton::clicked, this, &FilterPage::lpfEnableClicked);
    connect(hpf->typeBox(), qOverload<int>(&QComboBox::currentIndexChanged), this,
            &FilterPage::hpfTypeChanged);
    connect(lpf->typeBox(), qOverload<int>(&QComboBox::currentIndexChanged), this,
            &FilterPage::lpfTypeChanged);
    connect(hpf->slopeBox(), qOverload<int>(&QComboBox::currentIndexChanged), this,
            &FilterPage::hpfSlopeChanged);
    connect(lpf->slopeBox(), qOverload<int>(&QComboBox::currentIndexChanged), this,
            &FilterPage::lpfSlopeChanged);
    connect(hpf->frequency(), &KnobField::knobMoved, this, &FilterPage::hpfFreqChanged);
    connect(lpf->frequency(), &KnobField::knobMoved, this, &FilterPage::lpfFreqChanged);
    connect(hpf->frequency(), &KnobField::textEntered, this, &FilterPage::hpfFreqEditingFinished);
    connect(lpf->frequency(), &KnobField::textEntered, this, &FilterPage::lpfFreqEditingFinished);

    for (int c = 0; c < Channels; ++c)
        connect(m_channels->button(c), &QPushButton::clicked, this, &FilterPage::channelChanged);

    FilterBandPanel *bands = m_bandPanel;
    for (int b = 0; b < Bands; ++b)
        connect(bands->bandButton(b), &QPushButton::clicked, this, &FilterPage::bandBtnClicked);
    connect(bands->enableButton(), &QPushButton::clicked, this, &FilterPage::eqBypClicked);
    connect(bands->typeBox(), qOverload<int>(&QComboBox::currentIndexChanged), this,
            &FilterPage::eqTypeChanged);
    connect(bands->frequency(), &KnobField::knobMoved, this, &FilterPage::eqFreqChanged);
    connect(bands->gain(), &KnobField::knobMoved, this, &FilterPage::eqGainChanged);
    connect(bands->q(), &KnobField::knobMoved, this, &FilterPage::eqQChanged);
    connect(bands->frequency(), &KnobField::textEntered, this, &FilterPage::eqFreqEditingFinished);
    connect(bands->gain(), &KnobField::textEntered, this, &FilterPage::eqGainEditingFinished);

    connect(m_graph, &FilterGraph::peqChanged, this, &FilterPage::peqGraphChanged);
    connect(m_graph, &FilterGraph::HPFilterChanged, this, &FilterPage::HPFilterGraphChanged);
    connect(m_graph, &FilterGraph::LPFilterChanged, this, &FilterPage::LPFilterGraphChanged);
    connect(m_graph, &FilterGraph::handleSelected, this, [this](int index) {
        if (index >= 0 && index < Bands && index != m_band)
            selectBand(index);
    });

    connect(m_copy, &QPushButton::clicked, this, &FilterPage::copyClicked);
    connect(m_reset, &QPushButton::clicked, this, &FilterPage::resetClicked);
}

void FilterPage::retranslate()
{
    m_cutPanels[HighCut]->retranslate(tr("High-Pass"));
    m_cutPanels[LowCut]->retranslate(tr("Low-Pass"));
    m_bandPanel->retranslate();
    m_copy->setText(tr("Copy to"));
    m_reset->setText(tr("Reset"));
    const QFont font = appFont(8);
    m_channels->setButtonFont(font);
    m_copy->setFont(font);
    m_reset->setFont(font);
}

void FilterPage::setChannelLabel(int channel, const QString &text)
{
    m_channels->setLabel(channel, text);
}

QPushButton *FilterPage::channelButton(int channel) const
{
    return m_channels->button(channel);
}

int FilterPage::bandCount() const
{
    return m_graph->bandCount();
}

void FilterPage::setBandCount(int count)
{
    count = qBound(1, count, int(Bands));
    if (m_graph->bandCount() == count)
        return;
    m_graph->setBandCount(count);
    for (int b = 0; b < Bands; ++b)
        m_bandPanel->bandButton(b)->setVisible(b < count);
    m_bandPanel->bandButton(0)->click();
}

// ---- requests and answers -------------------------------------------------

void FilterPage::refresh()
{
    showEditable(); // another unit may have become current
    const char channel = char(m_channel);
    sendPacket(Proto::OpBlock, m_config.module, Cmd::HighPass, Proto::FlagRead,
               QByteArray(1, channel));
    sendPacket(Proto::OpBlock, m_config.module, Cmd::LowPass, Proto::FlagRead,
               QByteArray(1, channel));
    for (int b = 0; b < Bands; ++b) // all 16, whatever the band count
        sendPacket(Proto::OpBlock, m_config.module, Cmd::Band, Proto::FlagRead,
                   QByteArray(1, channel) + char(b));
}

void FilterPage::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (deferred().isHolding())
        return; // the operator's edit wins over answers to earlier reads
    AnswerReader answer(flag, length, payload);
    switch (cmd) {
    case Cmd::HighPass:
    case Cmd::LowPass:
        if (answer.atLeast(1 + CutFilterRecord::Size) && answer.u8(0) == m_channel)
            receiveCut(cmd == Cmd::HighPass ? HighCut : LowCut, answer);
        break;
    case Cmd::Band:
        if (answer.atLeast(2 + PeqBandRecord::Size) && answer.u8(0) == m_channel)
            receiveBand(answer);
        break;
    default:
        break;
    }
}

void FilterPage::receiveCut(Cut which, const AnswerReader &answer)
{
    CutFilterRecord r = m_cuts[which];
    r.readAnswer(answer, 1);
    applyCut(which, r);
    m_known.learn(cutSlot(which));
    showEditable();
}

void FilterPage::receiveBand(const AnswerReader &answer)
{
    const std::optional<quint8> band = answer.index(1, Bands);
    if (!band)
        return;
    PeqBandRecord r = m_bands[*band];
    r.readAnswer(answer, 2);
    applyBand(*band, r);
    m_known.learn(bandSlot(*band));
    showEditable();
}

void FilterPage::readBand(int band)
{
    sendPacket(Proto::OpBlock, m_config.module, Cmd::Band, Proto::FlagRead,
               QByteArray(1, char(m_channel)) + char(band));
}

bool FilterPage::cutEditable(Cut which)
{
    if (m_known.isKnown(cutSlot(which)))
        return true;
    applyCut(which, m_cuts[which]); // the controls show the stored filter again
    showEditable();
    return false;
}

bool FilterPage::bandEditable()
{
    if (m_known.isKnown(bandSlot(m_band)))
        return true;
    m_bandPanel->show(m_bands[size_t(m_band)]); // the controls show the stored band again
    syncBandToGraph(m_band);
    showEditable();
    return false;
}

void FilterPage::showEditable()
{
    m_cutPanels[HighCut]->setEnabled(m_known.isKnown(cutSlot(HighCut)));
    m_cutPanels[LowCut]->setEnabled(m_known.isKnown(cutSlot(LowCut)));
    m_bandPanel->setEditable(m_known.isKnown(bandSlot(m_band)));
}

void FilterPage::sendPending(int key)
{
    switch (key) {
    case HighPassKey:
        sendCut(HighCut);
        break;
    case LowPassKey:
        sendCut(LowCut);
        break;
    default:
        sendBand(m_band);
        break;
    }
}

// ---- cut filters ----------------------------------------------------------

void FilterPage::applyCut(Cut which, const CutFilterRecord &r)
{
    m_cuts[which] = r;
    m_cutPanels[which]->show(r);
    const bool bypass = !r.enable;
    if (which == HighCut)
        m_graph->setHPF(bypass, r.type, r.slope, r.frequency);
    else
        m_graph->setLPF(bypass, r.type, r.slope, r.frequency);
}

void FilterPage::sendCut(Cut which)
{
    if (!m_known.isKnown(cutSlot(which)))
        return; // never a record made of another channel's values
    sendCommand(m_config.module, which == HighCut ? Cmd::HighPass : Cmd::LowPass, quint8(m_channel),
                m_cuts[which].toBytes());
}

void FilterPage::cutEnableClicked(Cut which, bool isChecked)
{
    if (!cutEditable(which))
        return;
    CutFilterRecord r = m_cuts[which];
    r.enable = isChecked;
    applyCut(which, r);
    sendCut(which);
}

void FilterPage::cutTypeChanged(Cut which, int index)
{
    if (!cutEditable(which))
        return;
    if (index >= 0 && index < FilterTables::CutTypes) {
        CutFilterRecord r = m_cuts[which];
        r.type = quint8(index);
        applyCut(which, r);
    }
    sendCut(which);
}

void FilterPage::cutSlopeChanged(Cut which, int index)
{
    if (!cutEditable(which))
        return;
    if (index >= 0 && index < FilterTables::Slopes) {
        CutFilterRecord r = m_cuts[which];
        r.slope = quint8(index);
        applyCut(which, r);
    }
    sendCut(which);
}

void FilterPage::cutKnobChanged(Cut which, float value)
{
    if (!cutEditable(which))
        return;
    CutFilterRecord r = m_cuts[which];
    r.frequency = std::round(value);
    applyCut(which, r);
    deferred().edit(cutKey(which));
}

void FilterPage::cutEditingFinished(Cut which)
{
    if (!cutEditable(which))
        return;
    KnobField *field = m_cutPanels[which]->frequency();
    const float typed = std::round(field->enteredValue()); // clamped to 20..20000
    if (typed == m_cuts[which].frequency) {
        field->showText(typed);
        return;
    }
    CutFilterRecord r = m_cuts[which];
    r.frequency = typed;
    applyCut(which, r);
    deferred().edit(cutKey(which));
}

void FilterPage::cutGraphChanged(Cut which, float freq)
{
    CutFilterRecord r = m_cuts[which];
    if (!isAudioFrequency(freq) || !m_known.isKnown(cutSlot(which))) {
        applyCut(which, r); // the graph shows the stored filter again
        return;
    }
    r.frequency = freq; // a drag may leave a fraction; the controls show it rounded
    applyCut(which, r);
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

// ---- bands ----------------------------------------------------------------

void FilterPage::syncBandToGraph(int band)
{
    const PeqBandRecord &r = m_bands[size_t(band)];
    m_graph->setBand(band, !r.enable, r.type, r.frequency, r.gain, r.drawnQ());
}

void FilterPage::applyBand(int band, const PeqBandRecord &r)
{
    if (r == m_bands[size_t(band)])
        return;
    m_bands[size_t(band)] = r;
    if (band == m_band)
        m_bandPanel->show(m_bands[size_t(m_band)]);
    syncBandToGraph(band);
}

void FilterPage::sendBand(int band)
{
    if (!m_known.isKnown(bandSlot(band)))
        return; // never a record made of another channel's values
    sendCommand(m_config.module, Cmd::Band, quint8(m_channel),
                QByteArray(1, char(band)) + m_bands[size_t(band)].toBytes());
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
    m_bandPanel->showSelected(band);
    m_bandPanel->show(m_bands[size_t(m_band)]);
    m_graph->setCurrentHandle(band);
    showEditable();
    readBand(band);
}

void FilterPage::bandBtnClicked()
{
    selectBand(m_bandPanel->bandOf(sender()));
}

void FilterPage::eqBypClicked(bool isChecked)
{
    if (!bandEditable())
        return;
    PeqBandRecord r = m_bands[size_t(m_band)];
    r.enable = isChecked;
    applyBand(m_band, r);
    sendBand(m_band);
}

void FilterPage::eqTypeChanged(int index)
{
    if (!bandEditable())
        return;
    if (index >= 0 && index < FilterTables::BandTypes) {
        PeqBandRecord r = m_bands[size_t(m_band)];
        r.type = quint8(index);
        applyBand(m_band, r);
    }
    sendBand(m_band);
}

void FilterPage::eqFreqChanged(float value)
{
    if (!bandEditable())
        return;
    PeqBandRecord r = m_bands[size_t(m_band)];
    r.frequency = std::round(value);
    applyBand(m_band, r);
    deferred().edit(BandFrequencyKey);
}

void FilterPage::eqGainChanged(float value)
{
    if (!bandEditable())
        return;
    PeqBandRecord r = m_bands[size_t(m_band)];
    r.gain = value; // the knob's tenths, in dB
    applyBand(m_band, r);
    deferred().edit(BandGainKey);
}

void FilterPage::eqQChanged(float value)
{
    if (!bandEditable())
        return;
    PeqBandRecord r = m_bands[size_t(m_band)];
    r.qIndex = quint8(qBound(0, int(std::lround(value)), FilterTables::QIndexCount - 1));
    applyBand(m_band, r);
    deferred().edit(BandQKey);
}

void FilterPage::eqFreqEditingFinished()
{
    if (!bandEditable())
        return;
    KnobField *field = m_bandPanel->frequency();
    const float typed = std::round(field->enteredValue());
    PeqBandRecord r = m_bands[size_t(m_band)];
    if (typed == r.frequency) {
        field->showText(typed);
        return;
    }
    r.frequency = typed;
    applyBand(m_band, r);
    deferred().edit(BandFrequencyKey);
}

void FilterPage::eqGainEditingFinished()
{
    if (!bandEditable())
        return;
    // The field takes -20..20 dB, more than the knob's +-15, so it is read here
    // rather than through the knob's range.
    KnobField *field = m_bandPanel->gain();
    bool ok = false;
    const float typed = field->edit()->text().trimmed().toFloat(&ok);
    const float gain = qBound(-TextGainLimit, ok ? typed : 0.0f, TextGainLimit);
    PeqBandRecord r = m_bands[size_t(m_band)];
    if (gain == r.gain) {
        field->showText(gain);
        return;
    }
    r.gain = gain;
    applyBand(m_band, r);
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
    if (!m_known.isKnown(bandSlot(band))) {
        syncBandToGraph(band); // the graph shows the stored band again
        return;
    }
    PeqBandRecord r = m_bands[size_t(band)];
    bool refused = false;
    if (std::isfinite(gain) && std::fabs(gain) <= KnobGainLimit) {
        if (gain != r.gain)
            deferred().edit(BandGainKey);
        r.gain = gain;
    } else {
        refused = true;
    }
    if (isAudioFrequency(freq)) {
        if (freq != r.frequency)
            deferred().edit(BandFrequencyKey);
        r.frequency = freq;
    } else {
        refused = true;
    }
    applyBand(band, r);
    if (refused)
        syncBandToGraph(band); // the graph shows the stored band again
}

// ---- channels, copy and reset ---------------------------------------------

void FilterPage::channelChanged()
{
    const int channel = m_channels->channelOf(sender());
    if (channel < 0)
        return;
    // An edit of the old channel goes out for the old channel. The new
    // channel is read at once and its answers are taken; until each filter's
    // answer has come, its controls wait.
    deferred().flush();
    deferred().endHold();
    m_channel = channel;
    m_channels->showSelected(channel);
    m_known.forgetAll();
    showEditable();
    refresh();
}

void FilterPage::copyClicked()
{
    // The unit copies what it holds: what is still pending goes out first.
    deferred().flush();
    m_copySource = m_channel;
    QChannelSelect *select = channelSelect();
    if (m_config.outputs)
        select->setOutputChannelEnabled(m_channel, false);
    else
        select->setInputChannelEnabled(m_channel, false);
    select->open();
}

// Made when "Copy to" is first used: most sessions never open it.
QChannelSelect *FilterPage::channelSelect()
{
    if (!m_select) {
        m_select = new QChannelSelect(this);
        connect(m_select, &QDialog::accepted, this, &FilterPage::copyAccepted);
    }
    return m_select;
}

void FilterPage::copyAccepted()
{
    sendCommand(m_config.module, Cmd::Copy, quint8(m_copySource),
                Le::bytes(m_select->inputMask(), m_select->outputMask()));
}

void FilterPage::resetClicked()
{
    const int answer = OperatorPrompt::current().ask(
        this, QMessageBox::Warning, QStringLiteral("warning"), QStringLiteral("Clear all setting?"),
        {QStringLiteral("OK"), QStringLiteral("Cancel")}, 1);
    if (answer != 0)
        return;
    // Edits still pending would undo part of the reset; the unit's values
    // show with the next refresh.
    deferred().dropPending();
    sendCommand(m_config.module, Cmd::Reset, quint8(m_channel), QByteArray());
    // What the page holds is no longer the unit's: read the defaults back
    // before anything is edited again.
    m_known.forgetAll();
    showEditable();
    refresh();
}
