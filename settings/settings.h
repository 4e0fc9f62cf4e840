#pragma once

#include "model/paramid.h"
#include "pages/blockpage.h"
#include "pages/devicestatus.h"
#include "settings/settingsform.h"

#include <QVector>

#include <array>
#include <optional>
#include <utility>

class DeviceInfoView;
class FuncWidget;
class GainLimitPanel;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The device settings page: the unit's identity and health, its network
// addresses, location and description, clock, serial speeds, gate report and
// the touch-screen gain limits of every input and output.
//
// It shows the DeviceStatus the container keeps (the one owner of the unit's
// settings answers) and edits through it; the gain limits come from the
// pre-mix and output level pages and are written to those blocks.
class settings final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(settings)

public:
    explicit settings(DeviceStatus *status, QWidget *parent = nullptr);

    // Builds the page for the container's status, connects it to the level
    // pages' limits and puts it in the container's "Settings" place.
    static settings *install(FuncWidget *container);

    // Reads everything the page shows.
    void refresh() override;
    // Settings answers reach the page through DeviceStatus, which the
    // container feeds; the page itself parses nothing.
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;

    QLabel *valueLabel(DeviceStatus::Field field) const;
    QLabel *voltageLabel(int index) const;
    QLabel *faultLabel(int bit) const;
    QLabel *clockLabel() const { return m_clock; }
    QLineEdit *ipEdit() const { return m_ip; }
    QLineEdit *maskEdit() const { return m_mask; }
    QLineEdit *gatewayEdit() const { return m_gateway; }
    QLineEdit *locationEdit() const { return m_location; }
    QLineEdit *descriptionEdit() const { return m_description; }
    QComboBox *rs232Box() const { return m_rs232; }
    QComboBox *rs485Box() const { return m_rs485; }
    QComboBox *gateReportBox() const { return m_gateReport; }
    QPushButton *calibrateButton() const { return m_calibrate; }
    GainLimitPanel *gainLimits() const { return m_limits; }

public slots:
    void rtcCalibration();
    void ipaddrChanged();
    void netmaskChanged();
    void gatewayChanged();
    void locationChanged();
    void descriptionChanged();
    void rs232BaudChanged(int index);
    void gateReportChanged(int index);
    void inMinGainChanged(int value);
    void inMaxGainChanged(int value);
    void outMinGainChanged(int value);
    void outMaxGainChanged(int value);
    void setInGainLimit(uchar channel, int upper, int lower);
    void setOutGainLimit(uchar channel, int upper, int lower);

protected:
    void retranslate() override;
    void onTick() override;
    // Limits withheld during a hold are shown on the first tick after it.
    bool needsTicks() const override;

private:
    QWidget *buildNetworkPanel();
    QWidget *buildSystemPanel();
    QLineEdit *addAddressField(QGridLayout *grid, const char *caption, const QString &pattern,
                               void (settings::*slot)());
    void showField(DeviceStatus::Field field);
    void showAll();
    void showNetwork();
    void networkEdited(QLineEdit *field);
    void textEdited(QLineEdit *field, DeviceStatus::Field which);
    Model::ParamId limitParam(int side, bool upper, int channel) const;
    void storeLimits(int side, int channel);
    void limitEdited(int side, int channel);
    void sendLimits(int key);
    void reportLimits(int side, int channel, int upper, int lower);
    void stateChanged(const Model::ParamId &id);
    void showLimits(int side, int channel);

    DeviceStatus *m_status;
    SettingsForm m_form;
    DeviceInfoView *m_info = nullptr;
    QLineEdit *m_ip = nullptr;
    QLineEdit *m_mask = nullptr;
    QLineEdit *m_gateway = nullptr;
    QLineEdit *m_location = nullptr;
    QLineEdit *m_description = nullptr;
    QLabel *m_clock = nullptr;
    QPushButton *m_calibrate = nullptr;
    QComboBox *m_rs232 = nullptr;
    QComboBox *m_rs485 = nullptr;
    QComboBox *m_gateReport = nullptr;
    GainLimitPanel *m_limits = nullptr;
    // Limits from the unit that arrived during an edit hold, by side * 16 + channel.
    std::array<std::optional<std::pair<int, int>>, 32> m_withheld{};
    bool m_storingLimits = false; // the operator's limits going into the state
};
