#include "settings/settings.h"

#include "model/unitstate.h"
#include "pages/funcwidget.h"
#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "protocol/commands.h"
#include "protocol/transport.h"
#include "settings/deviceinfoview.h"
#include "settings/gainlimitpanel.h"
#include "settings/settingstext.h"
#include "widgets/appfont.h"
#include "widgets/fieldsync.h"

#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The unit's address must be a unicast one (first number 1..223); masks and
// gateways take any four numbers.
const char AddressPattern[] =
    "(\\d{1,2}|1\\d\\d|2[0-1]\\d|22[0-3])\\.(\\d{1,2}|1\\d\\d|2[0-4]\\d|25["
    "0-5])\\.(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])\\.(\\d{1,2}|1\\d\\d|2["
    "0-4]\\d|25[0-5])";
const char MaskPattern[] = "(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])\\.(\\d{1,2}|1\\d\\d|2[0-4]\\d|25["
                           "0-5])\\.(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])\\.(\\d{1,2}|1\\d\\d|2["
                           "0-4]\\d|25[0-5])";

void setIndexSilently(QComboBox *box, int index)
{
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(index);
}

} // namespace

settings::settings(DeviceStatus *status, QWidget *parent) : BlockPage(parent), m_status(status)
{
    setObjectName(QStringLiteral("settingsWidget"));
    m_info = new DeviceInfoView(status, m_form, this);
    m_limits = new GainLimitPanel(this);
    for (int c = 0; c < GainLimitPanel::Channels; ++c) {
        using P = GainLimitPanel;
        const auto hook = [this, c](P::Side side, P::Bound bound, void (settings::*slot)(int)) {
            connect(m_limits->spinBox(side, bound, c), qOverload<int>(&QSpinBox::valueChanged),
                    this, slot);
        };
        hook(P::Input, P::Maximum, &settings::inMaxGainChanged);
        hook(P::Input, P::Minimum, &settings::inMinGainChanged);
        hook(P::Output, P::Maximum, &settings::outMaxGainChanged);
        hook(P::Output, P::Minimum, &settings::outMinGainChanged);
    }
    deferred().setSender([this](int key) { sendLimits(key); });

    auto *middle = new QVBoxLayout;
    middle->setSpacing(6);
    middle->addWidget(buildNetworkPanel());
    middle->addWidget(buildSystemPanel(), 1);
    auto *health = new QVBoxLayout;
    health->setSpacing(6);
    health->addWidget(m_info->voltagePanel());
    health->addWidget(m_info->faultPanel(), 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 5, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(m_info->infoPanel(), 1);
    layout->addLayout(middle, 1);
    layout->addLayout(health);
    layout->addWidget(m_limits);

    connect(m_status, &DeviceStatus::changed, this, &settings::showField);
    // The limits are the level blocks': whoever changes them, the page shows them.
    connect(&state(), &Model::UnitState::changed, this, &settings::stateChanged);
    for (int c = 0; c < GainLimitPanel::Channels; ++c)
        for (int side : {GainLimitPanel::Input, GainLimitPanel::Output})
            showLimits(side, c);
    retranslate();
}

settings *settings::install(FuncWidget *container)
{
    auto *page = new settings(container->deviceStatus(), container->pageParent());
    // The limits the level pages take reach the page through the shared
    // state; the signals carry the same values.
    connect(container->preMixLevel(), &LevelPage::gainLimit, page, &settings::setInGainLimit);
    connect(container->outLevel(), &LevelPage::gainLimit, page, &settings::setOutGainLimit);
    container->setPage(FuncWidget::Settings, page);
    return page;
}

QLineEdit *settings::addAddressField(QGridLayout *grid, const char *caption, const QString &pattern,
                                     void (settings::*slot)())
{
    auto *field = new QLineEdit(grid->parentWidget());
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), field));
    field->setFixedSize(112, 20);
    // A half-typed address is not kept when the operator leaves the field
    // (it reports no finished edit for it): the stored one comes back.
    FieldSync::track(field);
    connect(field, &QLineEdit::editingFinished, this, slot);
    m_form.addRow(grid, caption, field);
    return field;
}

QWidget *settings::buildNetworkPanel()
{
    QGridLayout *grid = nullptr;
    QWidget *bg = m_form.panel(this, "networkCtrlBgWidget", QT_TR_NOOP("Network"), grid);
    const QString address = QString::fromLatin1(AddressPattern);
    const QString mask = QString::fromLatin1(MaskPattern);
    m_ip = addAddressField(grid, QT_TR_NOOP("IP address :"), address, &settings::ipaddrChanged);
    m_mask = addAddressField(grid, QT_TR_NOOP("Subnet mask :"), mask, &settings::netmaskChanged);
    m_gateway = addAddressField(grid, QT_TR_NOOP("Gateway :"), mask, &settings::gatewayChanged);

    const auto combo = [&](const char *caption) {
        auto *box = new QComboBox(bg);
        box->setFixedSize(112, 20);
        m_form.addRow(grid, caption, box);
        return box;
    };
    m_rs232 = combo(QT_TR_NOOP("RS232 Baud :"));
    m_rs485 = combo(QT_TR_NOOP("RS485 Baud :"));
    for (quint32 baud : DeviceStatus::baudRates()) {
        m_rs232->addItem(QString::number(baud));
        m_rs485->addItem(QString::number(baud));
    }
    m_rs485->setEnabled(false); // shown only: the unit takes no RS485 speed
    m_gateReport = combo(QT_TR_NOOP("Gate report :"));
    m_gateReport->addItems({QString(), QString()}); // texts set by retranslate()
    setIndexSilently(m_rs232, -1);
    setIndexSilently(m_rs485, -1);
    setIndexSilently(m_gateReport, -1);
    connect(m_rs232, qOverload<int>(&QComboBox::activated), this, &settings::rs232BaudChanged);
    connect(m_gateReport, qOverload<int>(&QComboBox::activated), this,
            &settings::gateReportChanged);
    return bg;
}

QWidget *settings::buildSystemPanel()
{
    QGridLayout *grid = nullptr;
    QWidget *bg = m_form.panel(this, "systemCtrlBgWidget", QT_TR_NOOP("Location and clock"), grid);
    const auto text = [&](const char *caption, void (settings::*slot)()) {
        auto *field = new QLineEdit(bg);
        field->setFixedSize(112, 20);
        connect(field, &QLineEdit::editingFinished, this, slot);
        m_form.addRow(grid, caption, field);
        return field;
    };
    m_location = text(QT_TR_NOOP("Location :"), &settings::locationChanged);
    m_description = text(QT_TR_NOOP("Desc :"), &settings::descriptionChanged);
    m_clock = m_form.addRow(grid, QT_TR_NOOP("Clock :"));
    m_calibrate = new QPushButton(bg);
    m_calibrate->setFixedSize(112, 20);
    m_calibrate->setFocusPolicy(Qt::NoFocus);
    connect(m_calibrate, &QPushButton::clicked, this, &settings::rtcCalibration);
    grid->addWidget(m_calibrate, grid->rowCount(), 1);
    return bg;
}

void settings::retranslate()
{
    setFont(appFont(8));
    m_form.retranslate();
    m_calibrate->setText(tr("Calibrate"));
    m_gateReport->setItemText(0, tr("Off"));
    m_gateReport->setItemText(1, tr("On"));
    m_limits->retranslate();
    showAll();
}

QLabel *settings::valueLabel(DeviceStatus::Field field) const
{
    return m_info->valueLabel(field);
}

QLabel *settings::voltageLabel(int index) const
{
    return m_info->voltageLabel(index);
}

QLabel *settings::faultLabel(int bit) const
{
    return m_info->faultLabel(bit);
}

void settings::refresh()
{
    m_status->requestSettings();
    sendPacket(Proto::OpBlock, Proto::Module::PreMixLevel, Proto::PreMixCmd::Limits,
               Proto::FlagRead);
    sendPacket(Proto::OpBlock, Proto::Module::OutputLevel, Proto::OutLevelCmd::Limits,
               Proto::FlagRead);
}

void settings::receive(quint8, quint8, quint16, const QByteArray &) {}

void settings::showAll()
{
    for (int f = 0; f <= DeviceStatus::DeviceId; ++f)
        showField(DeviceStatus::Field(f));
}

void settings::showField(DeviceStatus::Field field)
{
    if (m_info->show(field))
        return; // identity and health
    const DeviceStatus &s = *m_status;
    switch (field) {
    case DeviceStatus::Location:
        FieldSync::showText(m_location, s.location());
        break;
    case DeviceStatus::Description:
        FieldSync::showText(m_description, s.description());
        break;
    case DeviceStatus::Clock: {
        const QString text = SettingsText::clock(s.clock());
        m_clock->setText(text.isEmpty() ? tr("None") : text);
        break;
    }
    case DeviceStatus::Network:
        showNetwork();
        break;
    case DeviceStatus::Rs232Baud:
        setIndexSilently(m_rs232, s.rs232BaudIndex());
        break;
    case DeviceStatus::Rs485Baud:
        setIndexSilently(m_rs485, s.rs485BaudIndex());
        break;
    case DeviceStatus::GateReport:
        setIndexSilently(m_gateReport, s.gateReport());
        break;
    default:
        break;
    }
}

void settings::showNetwork()
{
    const DeviceStatus &s = *m_status;
    const auto text = [&s](quint32 v) {
        return s.networkKnown() ? SettingsText::dottedAddress(v) : QString();
    };
    FieldSync::showText(m_ip, text(s.ipAddress()));
    FieldSync::showText(m_mask, text(s.subnetMask()));
    FieldSync::showText(m_gateway, text(s.gateway()));
}

void settings::networkEdited(QLineEdit *field)
{
    {
        const QSignalBlocker blocker(field);
        field->clearFocus();
    }
    field->setModified(false);
    const std::optional<quint32> value = SettingsText::parseDottedAddress(field->text());
    if (value) {
        quint32 ip = m_status->ipAddress();
        quint32 mask = m_status->subnetMask();
        quint32 gateway = m_status->gateway();
        (field == m_ip ? ip : field == m_mask ? mask : gateway) = *value;
        // Refused until the unit's own addresses are known; the field then
        // shows the stored value again.
        m_status->setNetwork(ip, mask, gateway);
    }
    showNetwork();
}

void settings::ipaddrChanged()
{
    networkEdited(m_ip);
}

void settings::netmaskChanged()
{
    networkEdited(m_mask);
}

void settings::gatewayChanged()
{
    networkEdited(m_gateway);
}

void settings::textEdited(QLineEdit *field, DeviceStatus::Field which)
{
    FieldSync::endEdit(field);
    {
        const QSignalBlocker blocker(field);
        field->clearFocus();
    }
    const QString kept = which == DeviceStatus::Location ? m_status->setLocation(field->text())
                                                         : m_status->setDescription(field->text());
    field->setText(kept);
}

void settings::locationChanged()
{
    textEdited(m_location, DeviceStatus::Location);
}

void settings::descriptionChanged()
{
    textEdited(m_description, DeviceStatus::Description);
}

void settings::rtcCalibration()
{
    m_status->calibrateClock(QDateTime::currentDateTime());
}

void settings::rs232BaudChanged(int index)
{
    m_status->setRs232BaudIndex(index);
}

void settings::gateReportChanged(int index)
{
    m_status->setGateReport(index);
}

Model::ParamId settings::limitParam(int side, bool upper, int channel) const
{
    static const int params[4] = {
        Model::Catalogue::instance().paramIndex("premix.#.max"),
        Model::Catalogue::instance().paramIndex("premix.#.min"),
        Model::Catalogue::instance().paramIndex("output.#.max"),
        Model::Catalogue::instance().paramIndex("output.#.min"),
    };
    return Model::ParamId{params[side * 2 + (upper ? 0 : 1)], channel, 0};
}

// The spin boxes' values into the state, without showing them as the unit's.
void settings::storeLimits(int side, int channel)
{
    const auto s = GainLimitPanel::Side(side);
    const QScopedValueRollback<bool> quiet(m_storingLimits, true);
    state().setNumber(limitParam(side, true, channel), m_limits->maximum(s, channel));
    state().setNumber(limitParam(side, false, channel), m_limits->minimum(s, channel));
}

void settings::limitEdited(int side, int channel)
{
    if (channel < 0)
        return;
    storeLimits(side, channel);
    deferred().edit(side * GainLimitPanel::Channels + channel);
}

void settings::inMaxGainChanged(int)
{
    limitEdited(GainLimitPanel::Input, m_limits->channelOf(sender()));
}

void settings::inMinGainChanged(int)
{
    limitEdited(GainLimitPanel::Input, m_limits->channelOf(sender()));
}

void settings::outMaxGainChanged(int)
{
    limitEdited(GainLimitPanel::Output, m_limits->channelOf(sender()));
}

void settings::outMinGainChanged(int)
{
    limitEdited(GainLimitPanel::Output, m_limits->channelOf(sender()));
}

// What the operator set goes out, whatever the unit reported meanwhile.
void settings::sendLimits(int key)
{
    const int side = key / GainLimitPanel::Channels;
    const int channel = key % GainLimitPanel::Channels;
    storeLimits(side, channel);
    sendWrite(state().writeFrameOf(limitParam(side, true, channel)));
}

void settings::setInGainLimit(uchar channel, int upper, int lower)
{
    reportLimits(GainLimitPanel::Input, channel, upper, lower);
}

void settings::setOutGainLimit(uchar channel, int upper, int lower)
{
    reportLimits(GainLimitPanel::Output, channel, upper, lower);
}

// Limits the unit reported: into the state, which shows them here and on the
// level pages.
void settings::reportLimits(int side, int channel, int upper, int lower)
{
    if (channel < 0 || channel >= GainLimitPanel::Channels)
        return;
    state().setNumber(limitParam(side, true, channel), upper);
    state().setNumber(limitParam(side, false, channel), lower);
}

void settings::stateChanged(const Model::ParamId &id)
{
    for (int side = 0; side < 2 && !m_storingLimits; ++side)
        if (id == limitParam(side, true, id.a) || id == limitParam(side, false, id.a))
            showLimits(side, id.a);
}

void settings::showLimits(int side, int channel)
{
    const int key = side * GainLimitPanel::Channels + channel;
    const int upper = int(state().number(limitParam(side, true, channel)));
    const int lower = int(state().number(limitParam(side, false, channel)));
    // While the operator edits, limits from the unit wait: the reads behind
    // them may predate the edit. They are shown once the hold ends.
    if (deferred().isHolding()) {
        m_withheld[size_t(key)] = {upper, lower};
        wakeTicks();
        return;
    }
    m_withheld[size_t(key)].reset();
    m_limits->setLimits(GainLimitPanel::Side(side), channel, upper, lower);
}

bool settings::needsTicks() const
{
    for (const auto &limits : m_withheld)
        if (limits)
            return true;
    return false;
}

void settings::onTick()
{
    if (deferred().isHolding())
        return;
    for (int key = 0; key < int(m_withheld.size()); ++key)
        if (const auto limits = m_withheld[size_t(key)]) {
            m_withheld[size_t(key)].reset();
            m_limits->setLimits(GainLimitPanel::Side(key / GainLimitPanel::Channels),
                                key % GainLimitPanel::Channels, limits->first, limits->second);
        }
}
