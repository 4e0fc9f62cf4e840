#include "pages/dynamics/channelrecordpage.h"

#include "model/edithistory.h"
#include "model/unitstate.h"
#include "pages/accessibility.h"
#include "pages/knobfield.h"
#include "pages/operatorprompt.h"
#include "protocol/frame.h"
#include "protocol/lebytes.h"
#include "protocol/linkwatch.h"
#include "protocol/transport.h"
#include "widgets/appfont.h"
#include "widgets/elidedlabel.h"
#include "widgets/qchannelselect.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr int ButtonsPerRow = 8;

const Model::Catalogue &catalogue()
{
    return Model::UnitState::catalogue();
}

QWidget *panel(const char *objectName, QWidget *parent)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(objectName));
    w->setAttribute(Qt::WA_StyledBackground);
    return w;
}
} // namespace

ChannelRecordPage::ChannelRecordPage(const ChannelRecordConfig &config, QWidget *parent)
    : BlockPage(parent), m_config(config),
      m_record(catalogue().param(catalogue().paramIndex(config.enablePath)).record),
      m_fields(catalogue().record(m_record).params), m_chartArea(panel("chartWidget", this)),
      m_parameters(new QHBoxLayout), m_title(new QLabel(this)), m_name(new ElidedLabel(this)),
      m_enable(new QPushButton(this)), m_copy(new QPushButton(this)),
      m_reset(new QPushButton(this)), m_channelsTitle(new QLabel(this))
{
    setObjectName(QString::fromLatin1(config.objectName));
    deferred().setHoldTicks(config.holdTicks);
    deferred().setSender([this](int) { sendRecord(); });
    deferred().setGate([this](int) { return isKnown(); });
    connect(&state(), &Model::UnitState::changed, this, &ChannelRecordPage::onChanged);
    // Another unit: the record shown is not its until its answer comes.
    connect(LinkWatch::instance(), &LinkWatch::linkChanged, this, &ChannelRecordPage::showEditable);

    auto *chartLayout = new QVBoxLayout(m_chartArea);
    chartLayout->setContentsMargins(8, 8, 8, 8);

    // Settings: the channel shown and the buttons on top, the knobs below.
    QWidget *cfg = panel("cfgWidget", this);
    m_title->setObjectName(QStringLiteral("titleLabel"));
    m_name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_enable->setObjectName(QStringLiteral("normalButton"));
    m_enable->setCheckable(true);
    m_enable->setChecked(state().isOn(fieldId(0)));
    m_enable->setFixedSize(60, 25);
    for (QPushButton *b : {m_copy, m_reset})
        b->setFixedHeight(25);
    connect(m_enable, &QPushButton::clicked, this, &ChannelRecordPage::enableClicked);
    connect(m_copy, &QPushButton::clicked, this, &ChannelRecordPage::copyClicked);
    connect(m_reset, &QPushButton::clicked, this, &ChannelRecordPage::resetClicked);
    m_recordControls.append(m_enable);
    auto *top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(m_title);
    top->addWidget(m_name, 1);
    top->addWidget(m_enable);
    top->addSpacing(12);
    top->addWidget(m_copy);
    top->addWidget(m_reset);
    m_parameters->setSpacing(10);
    auto *cfgLayout = new QVBoxLayout(cfg);
    cfgLayout->setContentsMargins(10, 8, 10, 10);
    cfgLayout->setSpacing(10);
    cfgLayout->addLayout(top);
    cfgLayout->addLayout(m_parameters);

    // Channels: exactly one button checked, the current channel.
    QWidget *channels = panel("channelWidget", this);
    m_channelsTitle->setObjectName(QStringLiteral("titleLabel"));
    auto *grid = new QGridLayout;
    grid->setSpacing(4);
    const QString prefix = config.outputs ? QStringLiteral("OUT ") : QStringLiteral("IN ");
    for (int c = 0; c < Channels; ++c) {
        auto *b = new QPushButton(prefix + QString::number(c + 1), channels);
        b->setObjectName(QStringLiteral("normalButton"));
        b->setCheckable(true);
        b->setFixedSize(50, 30);
        connect(b, &QPushButton::clicked, this, &ChannelRecordPage::channelChanged);
        grid->addWidget(b, c / ButtonsPerRow, c % ButtonsPerRow);
        m_channelButtons[size_t(c)] = b;
    }
    m_channelButtons[0]->setChecked(true);
    auto *channelLayout = new QVBoxLayout(channels);
    channelLayout->setContentsMargins(10, 6, 10, 10);
    channelLayout->setSpacing(6);
    channelLayout->addWidget(m_channelsTitle);
    channelLayout->addLayout(grid);

    auto *right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(cfg);
    right->addWidget(channels);
    right->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(m_chartArea, 0, Qt::AlignTop);
    layout->addLayout(right, 1);

    ChannelRecordPage::retranslate();
}

void ChannelRecordPage::setChart(QWidget *chart)
{
    m_chart = chart;
    chart->setFixedSize(ChartSize, ChartSize);
    m_chartArea->layout()->addWidget(chart);
    // The page asks for room for the smallest chart only, so that a page
    // with a grown chart can shrink with the window again.
    m_chartArea->setMinimumSize(m_chartArea->minimumSizeHint());
}

void ChannelRecordPage::resizeEvent(QResizeEvent *event)
{
    BlockPage::resizeEvent(event);
    if (!m_chart)
        return;
    // What the page has beyond its least size goes to the chart, as far as
    // the square fits in both directions.
    const QSize spare = (size() - minimumSizeHint()).expandedTo(QSize(0, 0));
    const int side = ChartSize + qMin(spare.width(), spare.height());
    if (m_chart->width() != side)
        m_chart->setFixedSize(side, side);
}

KnobField *ChannelRecordPage::addParameter(QLabel *caption, int recordField, float scale,
                                           const char *format)
{
    const Model::ParamDesc &d = catalogue().param(m_fields.value(recordField));
    auto *field = new KnobField(this);
    field->setScale(scale);
    field->setRange(float(d.minimum), float(d.maximum));
    field->setFormat(format);
    field->setValue(float(value(recordField)));
    caption->setAlignment(Qt::AlignCenter);
    field->edit()->setFixedWidth(50);
    field->edit()->setFont(appFont(10));
    auto *column = new QVBoxLayout;
    column->setSpacing(4);
    column->addWidget(caption);
    column->addWidget(field, 0, Qt::AlignHCenter);
    m_parameters->addLayout(column);
    m_recordControls.append(field);
    m_captioned.append({caption, field});
    return field;
}

void ChannelRecordPage::retranslate()
{
    const QFont font = appFont(9);
    m_title->setFont(appFont(10, true));
    m_channelsTitle->setFont(appFont(9, true));
    m_name->setFont(font);
    m_enable->setText(tr("Enable"));
    m_copy->setText(tr("Copy to"));
    m_reset->setText(tr("Reset"));
    m_channelsTitle->setText(m_config.outputs ? tr("Outputs") : tr("Inputs"));
    for (QPushButton *b : {m_enable, m_copy, m_reset})
        b->setFont(font);
    for (int c = 0; c < Channels; ++c) {
        m_channelButtons[size_t(c)]->setFont(font);
        m_channelButtons[size_t(c)]->setToolTip(channelTitle(c) + m_names[size_t(c)]);
    }
    showChannelTitle();
}

QString ChannelRecordPage::channelTitle(int c) const
{
    return (m_config.outputs ? tr("OUT %1 : ") : tr("IN %1 : ")).arg(c + 1);
}

void ChannelRecordPage::showChannelTitle()
{
    m_title->setText(
        (m_config.outputs ? QStringLiteral("OUT %1") : QStringLiteral("IN %1")).arg(m_channel + 1));
    m_name->setText(m_names[size_t(m_channel)]);
    updateAccessibleNames();
}

// The controls show one channel at a time: their names say which.
void ChannelRecordPage::updateAccessibleNames()
{
    const QString channel = channelLabel(m_title, m_name);
    for (const auto &c : qAsConst(m_captioned))
        c.second->setAccessibleLabel(channel + QStringLiteral(", ") + c.first->text(),
                                     unitOfCaption(c.first->text()));
    nameControls(channel, {{m_enable, m_enable->text()}, {m_chart, tr("transfer chart")}});
    for (int c = 0; c < Channels; ++c)
        m_channelButtons[size_t(c)]->setAccessibleName(channelLabel(
            (m_config.outputs ? QStringLiteral("OUT %1") : QStringLiteral("IN %1")).arg(c + 1),
            m_names[size_t(c)]));
}

void ChannelRecordPage::setInputName(int channel, const QString &name)
{
    if (m_config.outputs || channel < 0 || channel >= Channels)
        return;
    m_names[size_t(channel)] = name;
    m_channelButtons[size_t(channel)]->setToolTip(channelTitle(channel) + name);
    if (channel == m_channel)
        showChannelTitle();
}

void ChannelRecordPage::setOutputName(int channel, const QString &name)
{
    if (!m_config.outputs || channel < 0 || channel >= Channels)
        return;
    m_names[size_t(channel)] = name;
    m_channelButtons[size_t(channel)]->setToolTip(channelTitle(channel) + name);
    if (channel == m_channel)
        showChannelTitle();
}

Model::RecordId ChannelRecordPage::currentRecord() const
{
    return Model::RecordId{m_record, m_channel, 0};
}

bool ChannelRecordPage::isKnown() const
{
    return state().isKnown(currentRecord());
}

Model::ParamId ChannelRecordPage::fieldId(int field) const
{
    return Model::ParamId{m_fields.value(field), m_channel, 0};
}

double ChannelRecordPage::value(int field) const
{
    return state().number(fieldId(field));
}

void ChannelRecordPage::onChanged(const Model::ParamId &id)
{
    if (id.a != m_channel)
        return;
    const int field = m_fields.indexOf(id.param);
    if (field == 0)
        setCheckedSilently(m_enable, state().isOn(id));
    if (field >= 0)
        showField(field);
}

void ChannelRecordPage::showAll()
{
    setCheckedSilently(m_enable, state().isOn(fieldId(0)));
    for (int f = 0; f < m_fields.size(); ++f)
        showField(f);
}

bool ChannelRecordPage::takeEdit(int field, float value, double *kept)
{
    if (!isKnown()) {
        showAll(); // the unit's record is not known yet
        return false;
    }
    const double v = state().setNumber(fieldId(field), double(value));
    if (kept)
        *kept = v;
    return true;
}

void ChannelRecordPage::showEditable()
{
    const bool known = isKnown();
    for (QWidget *w : qAsConst(m_recordControls))
        w->setEnabled(known);
}

void ChannelRecordPage::refresh()
{
    showEditable(); // another unit may have become current
    sendPacket(Proto::OpBlock, m_config.module, m_config.recordCmd, Proto::FlagRead,
               QByteArray(1, char(m_channel)));
}

void ChannelRecordPage::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    if (cmd != m_config.recordCmd || length != payload.size() || payload.isEmpty())
        return;
    if (deferred().isHolding())
        return; // the operator's edit wins over answers to earlier reads
    if (quint8(payload.at(0)) != m_channel)
        return; // an answer for a channel no longer shown
    if (state().apply(Proto::OpBlock, m_config.module, cmd, flag, payload))
        showEditable();
}

void ChannelRecordPage::sendRecord()
{
    if (!isKnown())
        return; // never a record made of another channel's values
    sendWrite(state().writeFrame(currentRecord()));
}

float ChannelRecordPage::tenths(float value)
{
    return std::round(value * 10.0f) / 10.0f;
}

void ChannelRecordPage::channelChanged()
{
    const auto it = std::find(m_channelButtons.begin(), m_channelButtons.end(), sender());
    if (it == m_channelButtons.end())
        return;
    const int c = int(it - m_channelButtons.begin());
    if (c != m_channel) {
        // An edit still pending belongs to the channel it was made on; the
        // new channel is read at once and its answer taken.
        deferred().flush();
        deferred().endHold();
        setCheckedSilently(m_channelButtons[size_t(m_channel)], false);
        m_channel = c;
        showChannelTitle();
        state().forget(currentRecord());
        showAll();
        setCheckedSilently(m_channelButtons[size_t(c)], true);
        refresh();
        return;
    }
    setCheckedSilently(m_channelButtons[size_t(c)], true);
}

void ChannelRecordPage::enableClicked(bool isChecked)
{
    if (!takeEdit(0, isChecked ? 1.0f : 0.0f))
        return;
    setCheckedSilently(m_enable, isChecked);
    sendRecord();
}

void ChannelRecordPage::copyClicked()
{
    // The dialog counts inputs 0..15 and outputs 16..31; the source channel
    // is not offered as a target.
    QChannelSelect *dialog = copyDialog();
    if (m_config.outputs)
        dialog->setOutputChannelEnabled(m_channel, false);
    else
        dialog->setInputChannelEnabled(m_channel, false);
    dialog->setOutputGroupVisible(m_config.copyToOutputs);
    dialog->open();
}

// Made when "Copy to" is first used: most sessions never open it.
QChannelSelect *ChannelRecordPage::copyDialog()
{
    if (!m_copyDialog) {
        m_copyDialog = new QChannelSelect(this);
        connect(m_copyDialog, &QDialog::accepted, this, &ChannelRecordPage::copyAccepted);
    }
    return m_copyDialog;
}

void ChannelRecordPage::copyAccepted()
{
    // The unit copies what it holds: an edit still pending goes out first.
    deferred().flush();
    QByteArray masks = Le::bytes(m_copyDialog->inputMask());
    if (m_config.copyToOutputs)
        masks += Le::bytes(m_copyDialog->outputMask());
    // The records the copy replaces: the inputs' and the outputs' of this
    // block's kind ("input.#.limiter.enable", "output.#.limiter.enable").
    const Model::Catalogue &cat = state().catalogue();
    const QString path = QString::fromLatin1(m_config.enablePath).section(QLatin1Char('.'), 1);
    QVector<Model::ParamId> affected;
    const int records[] = {
        cat.paramIndex(("input." + path).toLatin1().constData()),
        m_config.copyToOutputs ? cat.paramIndex(("output." + path).toLatin1().constData()) : -1};
    const quint16 maskOf[] = {m_copyDialog->inputMask(), m_copyDialog->outputMask()};
    for (int side = 0; side < 2; ++side)
        for (int c = 0; c < Channels && records[side] >= 0; ++c)
            if (maskOf[side] & (1u << c))
                affected += cat.paramsOf(cat.recordOf(Model::ParamId{records[side], c, 0}));
    sendOperation(
        tr("Copy %1 to other channels").arg(Model::EditHistory::describeRecord(currentRecord())),
        commandFrame(m_config.module, m_config.copyCmd, quint8(m_channel), masks), affected);
}

void ChannelRecordPage::resetClicked()
{
    const int answer =
        OperatorPrompt::current().ask(this, QMessageBox::Information, tr("warning"),
                                      tr("Clear all setting?"), {tr("OK"), tr("Cancel")}, 0);
    if (answer != 0)
        return;
    // An edit still pending would otherwise overwrite the reset a moment
    // later; and the defaults are shown at the next refresh.
    deferred().settle();
    sendOperation(tr("%1 reset").arg(Model::EditHistory::describeRecord(currentRecord())),
                  commandFrame(m_config.module, m_config.resetCmd, quint8(m_channel), QByteArray()),
                  state().catalogue().paramsOf(currentRecord()));
    // What the page holds is no longer the unit's: read the defaults back
    // before anything is edited again.
    state().forget(currentRecord());
    refresh();
}
