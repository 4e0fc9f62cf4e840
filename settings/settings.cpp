#include "settings/settings.h"

#include "model/unitstate.h"
#include "pages/funcwidget.h"
#include "pages/levels/qoutlevel.h"
#include "pages/levels/qpremixlevel.h"
#include "protocol/commands.h"
#include "protocol/transport.h"
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

const char *const VoltageCaptions[DeviceStatus::VoltageCount] = {
    QT_TRANSLATE_NOOP("settings", "12V :"),  QT_TRANSLATE_NOOP("settings", "-12V :"),
    QT_TRANSLATE_NOOP("settings", "5V :"),   QT_TRANSLATE_NOOP("settings", "-5V :"),
    QT_TRANSLATE_NOOP("settings", "3.3V :"), QT_TRANSLATE_NOOP("settings", "2.5V :"),
    QT_TRANSLATE_NOOP("settings", "48V :"),
};
const char *const FaultCaptions[4] = {
    QT_TRANSLATE_NOOP("settings", "DSP :"), QT_TRANSLATE_NOOP("settings", "DAC :"),
    QT_TRANSLATE_NOOP("settings", "Flash :"), QT_TRANSLATE_NOOP("settings", "Temp :")};

const QString FaultStyle = QStringLiteral("color: rgb(204, 0, 0);");

void setIndexSilently(QComboBox *box, int index)
{
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(index);
}

template <typename T> QString optionalText(const std::optional<T> &value, QString (*format)(T))
{
    return value ? format(*value) : QString();
}

} // namespace

settings::settings(DeviceStatus *status, QWidget *parent) : BlockPage(parent), m_status(status)
{
    setObjectName(QStringLiteral("settingsWidget"));
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
    health->addWidget(buildVoltagePanel());
    health->addWidget(buildFaultPanel(), 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 5, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(buildInfoPanel(), 1);
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

QWidget *settings::panel(const char *objectName, const char *title, QGridLayout *&grid)
{
    auto *bg = new QWidget(this);
    bg->setObjectName(QString::fromLatin1(objectName));
    bg->setAttribute(Qt::WA_StyledBackground);
    auto *heading = new QLabel(bg);
    heading->setObjectName(QStringLiteral("titleLabel"));
    m_captions.append({heading, title});
    m_titles.append(heading);
    grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(2, 1); // spare width stays right of the values
    auto *layout = new QVBoxLayout(bg);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(3);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addStretch(1);
    return bg;
}

QLabel *settings::addRow(QGridLayout *grid, const char *caption, QWidget *value)
{
    auto *parent = grid->parentWidget();
    auto *label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_captions.append({label, caption});
    QLabel *valueLabel = nullptr;
    if (!value) {
        valueLabel = new QLabel(parent);
        valueLabel->setMinimumHeight(17);
        value = valueLabel;
    }
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    return valueLabel;
}

QWidget *settings::buildInfoPanel()
{
    QGridLayout *grid = nullptr;
    QWidget *bg = panel("deviceInfoCtrlBgWidget", QT_TR_NOOP("Device Infomation"), grid);
    const std::pair<DeviceStatus::Field, const char *> rows[] = {
        {DeviceStatus::ModelName, QT_TR_NOOP("Model :")},
        {DeviceStatus::ArmVersion, QT_TR_NOOP("ARM Ver :")},
        {DeviceStatus::DspVersion, QT_TR_NOOP("DSP Ver :")},
        {DeviceStatus::SerialNumber, QT_TR_NOOP("SN :")},
        {DeviceStatus::ChannelConfig, QT_TR_NOOP("Channel Cfg :")},
        {DeviceStatus::RunTime, QT_TR_NOOP("Run time :")},
        {DeviceStatus::TotalTime, QT_TR_NOOP("Total time :")},
        {DeviceStatus::BootCount, QT_TR_NOOP("Boot counts :")},
        {DeviceStatus::Temperature, QT_TR_NOOP("Temperature :")},
        {DeviceStatus::CodeId, QT_TR_NOOP("Code ID :")},
        {DeviceStatus::DeviceId, QT_TR_NOOP("Device id :")},
        {DeviceStatus::AecSupport, QT_TR_NOOP("AEC Support :")},
        {DeviceStatus::AncSupport, QT_TR_NOOP("ANC Support :")},
    };
    for (const auto &[field, caption] : rows) {
        QLabel *value = addRow(grid, caption);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(100);
        m_values[size_t(field)] = value;
    }
    return bg;
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
    addRow(grid, caption, field);
    return field;
}

QWidget *settings::buildNetworkPanel()
{
    QGridLayout *grid = nullptr;
    QWidget *bg = panel("networkCtrlBgWidget", QT_TR_NOOP("Network"), grid);
    const QString address = QString::fromLatin1(AddressPattern);
    const QString mask = QString::fromLatin1(MaskPattern);
    m_ip = addAddressField(grid, QT_TR_NOOP("IP address :"), address, &settings::ipaddrChanged);
    m_mask = addAddressField(grid, QT_TR_NOOP("Subnet mask :"), mask, &settings::netmaskChanged);
    m_gateway = addAddressField(grid, QT_TR_NOOP("Gateway :"), mask, &settings::gatewayChanged);

    const auto combo = [&](const char *caption) {
        auto *box = new QComboBox(bg);
        box->setFixedSize(112, 20);
        addRow(grid, caption, box);
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
    QWidget *bg = panel("systemCtrlBgWidget", QT_TR_NOOP("Location and clock"), grid);
    const auto text = [&](const char *caption, void (settings::*slot)()) {
        auto *field = new QLineEdit(bg);
        field->setFixedSize(112, 20);
        connect(field, &QLineEdit::editingFinished, this, slot);
        addRow(grid, caption, field);
        return field;
    };
    m_location = text(QT_TR_NOOP("Location :"), &settings::locationChanged);
    m_description = text(QT_TR_NOOP("Desc :"), &settings::descriptionChanged);
    m_clock = addRow(grid, QT_TR_NOOP("Clock :"));
    m_calibrate = new QPushButton(bg);
    m_calibrate->setFixedSize(112, 20);
    m_calibrate->setFocusPolicy(Qt::NoFocus);
    connect(m_calibrate, &QPushButton::clicked, this, &settings::rtcCalibration);
    grid->addWidget(m_calibrate, grid->rowCount(), 1);
    return bg;
}

QWidget *settings::buildVoltagePanel()
{
    QGridLayout *grid = nullptr;
    QWidget *bg = panel("voltageCtrlBgWidget", QT_TR_NOOP("Voltage"), grid);
    for (int i = 0; i < DeviceStatus::VoltageCount; ++i) {
        m_voltages[size_t(i)] = addRow(grid, VoltageCaptions[i]);
        m_voltages[size_t(i)]->setMinimumWidth(44);
    }
    return bg;
}

QWidget *settings::buildFaultPanel()
{
    QGridLayout *grid = nullptr;
    QWidget *bg = panel("errorCtrlBgWidget", QT_TR_NOOP("Fault"), grid);
    for (int bit = 0; bit < 4; ++bit)
        m_faults[size_t(bit)] = addRow(grid, FaultCaptions[bit]);
    return bg;
}

void settings::retranslate()
{
    setFont(appFont(8));
    for (const Caption &c : qAsConst(m_captions))
        c.label->setText(tr(c.text));
    for (QLabel *t : qAsConst(m_titles))
        t->setFont(appFont(8, true));
    m_calibrate->setText(tr("Calibrate"));
    m_gateReport->setItemText(0, tr("Off"));
    m_gateReport->setItemText(1, tr("On"));
    m_limits->retranslate();
    showAll();
}

QLabel *settings::valueLabel(DeviceStatus::Field field) const
{
    return m_values[size_t(field)];
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
    const DeviceStatus &s = *m_status;
    QLabel *value = m_values[size_t(field)];
    switch (field) {
    case DeviceStatus::ModelName:
        value->setText(s.model());
        break;
    case DeviceStatus::ArmVersion:
        value->setText(SettingsText::version(s.armVersion()));
        break;
    case DeviceStatus::DspVersion:
        value->setText(SettingsText::version(s.dspVersion()));
        break;
    case DeviceStatus::SerialNumber:
        value->setText(s.serialNumber());
        break;
    case DeviceStatus::ChannelConfig: {
        const auto cfg = s.channelConfig();
        value->setText(cfg ? SettingsText::channelConfig((*cfg)[0], (*cfg)[1]) : QString());
        break;
    }
    case DeviceStatus::RunTime:
        value->setText(optionalText(s.runTime(), &SettingsText::duration));
        break;
    case DeviceStatus::TotalTime:
        value->setText(optionalText(s.totalTime(), &SettingsText::duration));
        break;
    case DeviceStatus::BootCount:
        value->setText(s.bootCount() ? QString::number(*s.bootCount()) : QString());
        break;
    case DeviceStatus::Temperature:
        value->setText(optionalText(s.temperature(), &SettingsText::temperature));
        break;
    case DeviceStatus::CodeId:
        value->setText(s.codeId() ? QString::number(*s.codeId()) : QString());
        break;
    case DeviceStatus::DeviceId:
        value->setText(s.deviceId() ? QString::number(s.deviceId()) : QString());
        break;
    case DeviceStatus::AecSupport:
    case DeviceStatus::AncSupport: {
        const auto on = field == DeviceStatus::AecSupport ? s.aecSupport() : s.ancSupport();
        value->setText(on ? (*on ? tr("Yes") : tr("No")) : QString());
        break;
    }
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
    case DeviceStatus::Fault:
        showFault();
        break;
    case DeviceStatus::Rs232Baud:
        setIndexSilently(m_rs232, s.rs232BaudIndex());
        break;
    case DeviceStatus::Rs485Baud:
        setIndexSilently(m_rs485, s.rs485BaudIndex());
        break;
    case DeviceStatus::Voltages:
        showVoltages();
        break;
    case DeviceStatus::GateReport:
        setIndexSilently(m_gateReport, s.gateReport());
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

void settings::showVoltages()
{
    const bool refused = m_status->voltageReport() == DeviceStatus::VoltageReport::Refused;
    for (int i = 0; i < DeviceStatus::VoltageCount; ++i) {
        const QString v = SettingsText::voltage(m_status->voltages()[size_t(i)]);
        m_voltages[size_t(i)]->setText(refused ? tr("Null") : v.isEmpty() ? tr("None") : v);
    }
}

void settings::showFault()
{
    for (int bit = 0; bit < 4; ++bit) {
        QLabel *label = m_faults[size_t(bit)];
        const bool set = m_status->fault() & (1 << bit);
        label->setText(!set ? tr("normal") : bit == 3 ? tr("alarm") : tr("error"));
        label->setStyleSheet(set ? FaultStyle : QString());
    }
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
    sendFrame(state().writeFrame(state().catalogue().recordOf(limitParam(side, true, channel))));
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
