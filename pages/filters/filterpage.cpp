#include "pages/filters/filterpage.h"

#include "model/edithistory.h"
#include "model/unitstate.h"
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
#include "widgets/knob.h"
#include "widgets/qchannelselect.h"

#include <QComboBox>
#include <QPushButton>

#include <cmath>

namespace Cmd = Proto::FilterCmd;
using Field = FilterParams;

FilterPage::FilterPage(const FilterPageConfig &config, QWidget *parent)
    : BlockPage(parent), m_config(config), m_params(config.outputs),
      m_view(QString::fromLatin1(config.channelPrefix), this)
{
    setObjectName(QString::fromLatin1(config.objectName));
    deferred().setHoldTicks(HoldTicks);
    deferred().setSender([this](int key) { sendPending(key); });
    connectControls();
    // Another unit: nothing the page holds is its until its answers come.
    connect(LinkWatch::instance(), &LinkWatch::linkChanged, this, &FilterPage::showEditable);
    connect(&state(), &Model::UnitState::answered, this, &FilterPage::answered);

    showChannel();
    m_view.graph()->setCurrentHandle(m_band);
    showEditable();
    retranslate();
}

bool FilterPage::isAudioFrequency(float f)
{
    return std::isfinite(f) && f >= FilterTables::MinFrequency && f <= FilterTables::MaxFrequency;
}

void FilterPage::connectControls()
{
    CutFilterPanel *hpf = highPassPanel();
    CutFilterPanel *lpf = lowPassPanel();
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
        connect(channelButton(c), &QPushButton::clicked, this, &FilterPage::channelChanged);

    FilterBandPanel *bands = bandPanel();
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

    FilterGraph *graph = m_view.graph();
    connect(graph, &FilterGraph::peqChanged, this, &FilterPage::peqGraphChanged);
    connect(graph, &FilterGraph::HPFilterChanged, this, &FilterPage::HPFilterGraphChanged);
    connect(graph, &FilterGraph::LPFilterChanged, this, &FilterPage::LPFilterGraphChanged);
    connect(graph, &FilterGraph::handleSelected, this, [this](int index) {
        if (index >= 0 && index < Bands && index != m_band)
            selectBand(index);
    });
    // The wheel over a band's handle moves its Q as the Q knob does.
    connect(graph, &FilterGraph::qStepped, this, [this](uchar band, int steps) {
        if (band >= Bands)
            return;
        if (band != m_band)
            selectBand(band);
        eqQChanged(bandPanel()->q()->knob()->value() + float(steps));
    });
    connect(graph, &FilterGraph::importEqRequested, this, &FilterPage::importEq);
    connect(graph, &FilterGraph::exportEqRequested, this, &FilterPage::exportEq);

    connect(copyButton(), &QPushButton::clicked, this, &FilterPage::copyClicked);
    connect(resetButton(), &QPushButton::clicked, this, &FilterPage::resetClicked);
}

void FilterPage::retranslate()
{
    highPassPanel()->retranslate(tr("High-Pass"));
    lowPassPanel()->retranslate(tr("Low-Pass"));
    bandPanel()->retranslate();
    copyButton()->setText(tr("Copy to"));
    resetButton()->setText(tr("Reset"));
    m_view.setFonts();
    updateAccessibleNames();
}

// The panels show one channel and band at a time: their names say which.
void FilterPage::updateAccessibleNames()
{
    const QString channel = m_view.channels()->channelName(m_channel);
    highPassPanel()->setAccessibleNames(channel);
    lowPassPanel()->setAccessibleNames(channel);
    bandPanel()->setAccessibleNames(channel, m_band);
    m_view.graph()->setAccessibleName(channel + QStringLiteral(", ") + tr("filter response"));
}

void FilterPage::setChannelLabel(int channel, const QString &text)
{
    m_view.channels()->setLabel(channel, text);
    if (channel == m_channel)
        updateAccessibleNames();
}

QPushButton *FilterPage::channelButton(int channel) const
{
    return m_view.channels()->button(channel);
}

int FilterPage::bandCount() const
{
    return m_view.graph()->bandCount();
}

void FilterPage::setBandCount(int count)
{
    if (m_view.setBandCount(count))
        bandPanel()->bandButton(0)->click();
}

CutFilterRecord FilterPage::highPass() const
{
    return m_params.cutValues(state(), HighCut, m_channel);
}

CutFilterRecord FilterPage::lowPass() const
{
    return m_params.cutValues(state(), LowCut, m_channel);
}

PeqBandRecord FilterPage::bandRecord(int band) const
{
    return m_params.bandValues(state(), m_channel, band);
}

// ---- requests and answers -------------------------------------------------

void FilterPage::refresh()
{
    showEditable(); // another unit may have become current
    sendFrame(state().readFrame(cutRecord(HighCut)));
    sendFrame(state().readFrame(cutRecord(LowCut)));
    for (int b = 0; b < Bands; ++b) // all 16, whatever the band count
        readBand(b);
}

void FilterPage::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (deferred().isHolding())
        return; // the operator's edit wins over answers to earlier reads
    // Answers name their channel first; only the selected channel's are taken.
    AnswerReader answer(flag, length, payload);
    if (!answer.atLeast(1) || answer.u8(0) != m_channel)
        return;
    state().apply(Proto::OpBlock, m_config.module, cmd, flag, payload);
}

void FilterPage::answered(const Model::RecordId &rec)
{
    if (rec.a != m_channel)
        return;
    if (rec == cutRecord(HighCut))
        showCut(HighCut);
    else if (rec == cutRecord(LowCut))
        showCut(LowCut);
    else if (rec == bandRecordId(rec.b))
        showBand(rec.b);
    else
        return;
    showEditable();
}

void FilterPage::readBand(int band)
{
    sendFrame(state().readFrame(bandRecordId(band)));
}

Model::RecordId FilterPage::cutRecord(Cut which) const
{
    return m_params.cutRecord(which, m_channel);
}

Model::RecordId FilterPage::bandRecordId(int band) const
{
    return m_params.bandRecord(m_channel, band);
}

bool FilterPage::cutKnown(Cut which) const
{
    return state().isKnown(cutRecord(which));
}

bool FilterPage::bandKnown(int band) const
{
    return state().isKnown(bandRecordId(band));
}

bool FilterPage::cutEditable(Cut which)
{
    if (cutKnown(which))
        return true;
    showCut(which); // the controls show the stored filter again
    showEditable();
    return false;
}

bool FilterPage::bandEditable()
{
    if (bandKnown(m_band))
        return true;
    showBand(m_band); // the controls show the stored band again
    showEditable();
    return false;
}

void FilterPage::forgetChannel()
{
    state().forget(cutRecord(HighCut));
    state().forget(cutRecord(LowCut));
    for (int b = 0; b < Bands; ++b)
        state().forget(bandRecordId(b));
}

void FilterPage::showEditable()
{
    m_view.setEditable(cutKnown(HighCut), cutKnown(LowCut), bandKnown(m_band));
}

void FilterPage::showChannel()
{
    showCut(HighCut);
    showCut(LowCut);
    for (int b = 0; b < Bands; ++b)
        showBand(b);
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

// ---- channels, copy and reset ---------------------------------------------

void FilterPage::channelChanged()
{
    const int channel = m_view.channels()->channelOf(sender());
    if (channel < 0)
        return;
    // An edit of the old channel goes out for the old channel. The new
    // channel is read at once and its answers are taken; until each filter's
    // answer has come, its controls wait.
    deferred().flush();
    deferred().endHold();
    m_channel = channel;
    m_view.channels()->showSelected(channel);
    updateAccessibleNames();
    forgetChannel();
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

// The parameters of a channel's filter: both cut filters and every band.
QVector<Model::ParamId> FilterPage::channelParams(bool outputs, int channel) const
{
    const FilterParams params(outputs);
    const Model::Catalogue &c = state().catalogue();
    QVector<Model::ParamId> out = c.paramsOf(params.cutRecord(HighCut, channel)) +
                                  c.paramsOf(params.cutRecord(LowCut, channel));
    for (int band = 0; band < Bands; ++band) // the page reads all 16
        out += c.paramsOf(params.bandRecord(channel, band));
    return out;
}

QString FilterPage::channelCaption(int channel) const
{
    return (m_config.outputs ? tr("OUT %1 filter") : tr("IN %1 filter")).arg(channel + 1);
}

void FilterPage::copyAccepted()
{
    const quint16 inputs = m_select->inputMask();
    const quint16 outputs = m_select->outputMask();
    QVector<Model::ParamId> affected;
    for (int c = 0; c < Channels; ++c) {
        if (inputs & (1u << c))
            affected += channelParams(false, c);
        if (outputs & (1u << c))
            affected += channelParams(true, c);
    }
    sendOperation(
        tr("Copy %1 to other channels").arg(channelCaption(m_copySource)),
        commandFrame(m_config.module, Cmd::Copy, quint8(m_copySource), Le::bytes(inputs, outputs)),
        affected);
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
    sendOperation(tr("%1 reset").arg(channelCaption(m_channel)),
                  commandFrame(m_config.module, Cmd::Reset, quint8(m_channel), QByteArray()),
                  channelParams(m_config.outputs, m_channel));
    // What the page holds is no longer the unit's: read the defaults back
    // before anything is edited again.
    forgetChannel();
    showEditable();
    refresh();
}
