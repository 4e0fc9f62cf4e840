#include "settings/deviceinfoview.h"

#include "settings/settingsform.h"
#include "settings/settingstext.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

namespace {

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

// The page's texts keep the page's translation context.
QString pageText(const char *text)
{
    return QCoreApplication::translate("settings", text);
}

template <typename T> QString optionalText(const std::optional<T> &value, QString (*format)(T))
{
    return value ? format(*value) : QString();
}

} // namespace

DeviceInfoView::DeviceInfoView(const DeviceStatus *status, SettingsForm &form, QWidget *page)
    : QObject(page), m_status(status)
{
    buildInfoPanel(form, page);
    QGridLayout *grid = nullptr;
    m_voltagePanel =
        form.panel(page, "voltageCtrlBgWidget", QT_TRANSLATE_NOOP("settings", "Voltage"), grid);
    for (int i = 0; i < DeviceStatus::VoltageCount; ++i) {
        m_voltages[size_t(i)] = form.addRow(grid, VoltageCaptions[i]);
        m_voltages[size_t(i)]->setMinimumWidth(44);
    }
    m_faultPanel =
        form.panel(page, "errorCtrlBgWidget", QT_TRANSLATE_NOOP("settings", "Fault"), grid);
    for (int bit = 0; bit < 4; ++bit)
        m_faults[size_t(bit)] = form.addRow(grid, FaultCaptions[bit]);
}

void DeviceInfoView::buildInfoPanel(SettingsForm &form, QWidget *page)
{
    QGridLayout *grid = nullptr;
    m_info = form.panel(page, "deviceInfoCtrlBgWidget",
                        QT_TRANSLATE_NOOP("settings", "Device Infomation"), grid);
    const std::pair<DeviceStatus::Field, const char *> rows[] = {
        {DeviceStatus::ModelName, QT_TRANSLATE_NOOP("settings", "Model :")},
        {DeviceStatus::ArmVersion, QT_TRANSLATE_NOOP("settings", "ARM Ver :")},
        {DeviceStatus::DspVersion, QT_TRANSLATE_NOOP("settings", "DSP Ver :")},
        {DeviceStatus::SerialNumber, QT_TRANSLATE_NOOP("settings", "SN :")},
        {DeviceStatus::ChannelConfig, QT_TRANSLATE_NOOP("settings", "Channel Cfg :")},
        {DeviceStatus::RunTime, QT_TRANSLATE_NOOP("settings", "Run time :")},
        {DeviceStatus::TotalTime, QT_TRANSLATE_NOOP("settings", "Total time :")},
        {DeviceStatus::BootCount, QT_TRANSLATE_NOOP("settings", "Boot counts :")},
        {DeviceStatus::Temperature, QT_TRANSLATE_NOOP("settings", "Temperature :")},
        {DeviceStatus::CodeId, QT_TRANSLATE_NOOP("settings", "Code ID :")},
        {DeviceStatus::DeviceId, QT_TRANSLATE_NOOP("settings", "Device id :")},
        {DeviceStatus::AecSupport, QT_TRANSLATE_NOOP("settings", "AEC Support :")},
        {DeviceStatus::AncSupport, QT_TRANSLATE_NOOP("settings", "ANC Support :")},
    };
    for (const auto &[field, caption] : rows) {
        QLabel *value = form.addRow(grid, caption);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(100);
        m_values[size_t(field)] = value;
    }
}

bool DeviceInfoView::show(DeviceStatus::Field field)
{
    const DeviceStatus &s = *m_status;
    QLabel *value = field <= DeviceStatus::DeviceId ? m_values[size_t(field)] : nullptr;
    switch (field) {
    case DeviceStatus::ModelName:
        value->setText(s.model());
        return true;
    case DeviceStatus::ArmVersion:
        value->setText(SettingsText::version(s.armVersion()));
        return true;
    case DeviceStatus::DspVersion:
        value->setText(SettingsText::version(s.dspVersion()));
        return true;
    case DeviceStatus::SerialNumber:
        value->setText(s.serialNumber());
        return true;
    case DeviceStatus::ChannelConfig: {
        const auto cfg = s.channelConfig();
        value->setText(cfg ? SettingsText::channelConfig((*cfg)[0], (*cfg)[1]) : QString());
        return true;
    }
    case DeviceStatus::RunTime:
        value->setText(optionalText(s.runTime(), &SettingsText::duration));
        return true;
    case DeviceStatus::TotalTime:
        value->setText(optionalText(s.totalTime(), &SettingsText::duration));
        return true;
    case DeviceStatus::BootCount:
        value->setText(s.bootCount() ? QString::number(*s.bootCount()) : QString());
        return true;
    case DeviceStatus::Temperature:
        value->setText(optionalText(s.temperature(), &SettingsText::temperature));
        return true;
    case DeviceStatus::CodeId:
        value->setText(s.codeId() ? QString::number(*s.codeId()) : QString());
        return true;
    case DeviceStatus::DeviceId:
        value->setText(s.deviceId() ? QString::number(s.deviceId()) : QString());
        return true;
    case DeviceStatus::AecSupport:
    case DeviceStatus::AncSupport: {
        const auto on = field == DeviceStatus::AecSupport ? s.aecSupport() : s.ancSupport();
        value->setText(on ? (*on ? pageText(QT_TRANSLATE_NOOP("settings", "Yes"))
                                 : pageText(QT_TRANSLATE_NOOP("settings", "No")))
                          : QString());
        return true;
    }
    case DeviceStatus::Voltages:
        showVoltages();
        return true;
    case DeviceStatus::Fault:
        showFault();
        return true;
    default:
        return false;
    }
}

void DeviceInfoView::showVoltages()
{
    const bool refused = m_status->voltageReport() == DeviceStatus::VoltageReport::Refused;
    for (int i = 0; i < DeviceStatus::VoltageCount; ++i) {
        const QString v = SettingsText::voltage(m_status->voltages()[size_t(i)]);
        m_voltages[size_t(i)]->setText(refused ? pageText(QT_TRANSLATE_NOOP("settings", "Null"))
                                       : v.isEmpty()
                                           ? pageText(QT_TRANSLATE_NOOP("settings", "None"))
                                           : v);
    }
}

void DeviceInfoView::showFault()
{
    for (int bit = 0; bit < 4; ++bit) {
        QLabel *label = m_faults[size_t(bit)];
        const bool set = m_status->fault() & (1 << bit);
        label->setText(!set       ? pageText(QT_TRANSLATE_NOOP("settings", "normal"))
                       : bit == 3 ? pageText(QT_TRANSLATE_NOOP("settings", "alarm"))
                                  : pageText(QT_TRANSLATE_NOOP("settings", "error")));
        label->setStyleSheet(set ? FaultStyle : QString());
    }
}
