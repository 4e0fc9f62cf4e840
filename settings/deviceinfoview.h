#pragma once

#include "pages/devicestatus.h"

#include <QObject>

#include <array>

class QLabel;
class QWidget;
class SettingsForm;

// The unit's identity and health on the settings page: the information
// panel, the voltages and the fault bits, shown as DeviceStatus reports them.
// Nothing here is edited.
class DeviceInfoView final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DeviceInfoView)

public:
    // The panels are made under `page`, their captions kept by `form`.
    DeviceInfoView(const DeviceStatus *status, SettingsForm &form, QWidget *page);

    QWidget *infoPanel() const { return m_info; }
    QWidget *voltagePanel() const { return m_voltagePanel; }
    QWidget *faultPanel() const { return m_faultPanel; }
    QLabel *valueLabel(DeviceStatus::Field field) const { return m_values[size_t(field)]; }
    QLabel *voltageLabel(int index) const { return m_voltages[size_t(index)]; }
    QLabel *faultLabel(int bit) const { return m_faults[size_t(bit)]; }

    // Shows one field of the identity or health; false for a field shown
    // elsewhere on the page.
    bool show(DeviceStatus::Field field);

private:
    void buildInfoPanel(SettingsForm &form, QWidget *page);
    void showVoltages();
    void showFault();

    const DeviceStatus *m_status;
    QWidget *m_info = nullptr;
    QWidget *m_voltagePanel = nullptr;
    QWidget *m_faultPanel = nullptr;
    std::array<QLabel *, DeviceStatus::DeviceId + 1> m_values{};
    std::array<QLabel *, DeviceStatus::VoltageCount> m_voltages{};
    std::array<QLabel *, 4> m_faults{};
};
