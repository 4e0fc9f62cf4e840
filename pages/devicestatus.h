#pragma once

#include "protocol/frame.h"

namespace Model {
class UnitState;
}

#include <QObject>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

class QDateTime;

// The connected unit's identity, health and system settings as its answers
// report them (system modules 2 and 4), without any widget. It is the one
// place these answers are parsed: the overview shows part of it through the
// sig_* signals, the settings page shows all of it through changed(). A value
// is announced only when it changes, so the views repaint only what changed.
//
// It also sends the settings reads and the settings writes, so the rules that
// protect the unit (no network write before the unit's own addresses are
// known, texts cut to the unit's field) hold whoever edits.
class DeviceStatus final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DeviceStatus)

public:
    enum Field
    {
        ModelName,
        ArmVersion,
        DspVersion,
        SerialNumber,
        ChannelConfig,
        RunTime,
        TotalTime,
        BootCount,
        Temperature,
        Location,
        Description,
        Clock,
        Network,
        Fault,
        Rs232Baud,
        Rs485Baud,
        Voltages,
        GateReport,
        AecSupport,
        AncSupport,
        CodeId,
        DeviceId,
    };
    Q_ENUM(Field)

    static constexpr int TextWidth = 16; // bytes the unit keeps of a text
    static constexpr int VoltageCount = 7;
    static constexpr int GateReportModes = 2;
    using Version = std::array<quint8, 3>;
    using ClockBytes = std::array<quint8, 7>;
    enum class VoltageReport
    {
        Values,  // the unit's values (0.0 when it has not reported one)
        Refused, // the unit does not report voltages
    };

    explicit DeviceStatus(QObject *parent = nullptr);

    // The unit state the settings writes are made with (location,
    // description, RS232 speed, gate report): the model encodes them. By
    // default one of its own.
    void setUnitState(Model::UnitState *state);

    // Takes one answer of op 2, module 2 or 4; false when it is not an answer this
    // class keeps (another command, flag or length).
    bool handle(const Proto::Frame &frame);
    // Forgets everything the unit reported (its connection ended or another
    // unit was selected). Views are told; the device id stays.
    void clear();

    // Sends the reads of everything the settings page shows.
    void requestSettings() const;

    // Writes. Each returns false, and sends nothing, when the value is not
    // taken; the views then show the stored value again.
    // The three addresses go together, and only once this unit has reported
    // its own: before that the mask and gateway sent would be guesses that can
    // cut the unit off the network.
    bool setNetwork(quint32 address, quint32 mask, quint32 gateway);
    // Cuts the text to what the unit keeps (whole characters), stores and
    // sends it. Returns the text kept; nothing is sent when it is unchanged.
    QString setLocation(const QString &text);
    QString setDescription(const QString &text);
    void calibrateClock(const QDateTime &localTime);
    bool setRs232BaudIndex(int index);
    bool setGateReport(int index);
    void setDeviceId(quint32 id);

    // The serial speeds the unit offers, by combo index.
    static const std::array<quint32, 4> &baudRates();
    static int baudIndex(quint32 baud); // -1 for a speed not offered

    const QString &model() const { return m_model; }
    Version armVersion() const { return m_arm; }
    Version dspVersion() const { return m_dsp; }
    const QString &serialNumber() const { return m_sn; }
    std::optional<std::array<quint8, 2>> channelConfig() const { return m_channels; }
    std::optional<quint32> runTime() const { return m_runTime; }
    std::optional<quint32> totalTime() const { return m_totalTime; }
    std::optional<quint32> bootCount() const { return m_bootCount; }
    std::optional<float> temperature() const { return m_temperature; }
    const QString &location() const { return m_location; }
    const QString &description() const { return m_description; }
    ClockBytes clock() const { return m_clock; }
    bool networkKnown() const { return m_networkKnown; }
    quint32 ipAddress() const { return m_ip; }
    quint32 subnetMask() const { return m_mask; }
    quint32 gateway() const { return m_gateway; }
    quint8 fault() const { return m_fault; }
    int rs232BaudIndex() const { return m_rs232; }
    int rs485BaudIndex() const { return m_rs485; }
    VoltageReport voltageReport() const { return m_voltageReport; }
    const std::array<float, VoltageCount> &voltages() const { return m_voltages; }
    int gateReport() const { return m_gateReport; }
    std::optional<bool> aecSupport() const { return m_aec; }
    std::optional<bool> ancSupport() const { return m_anc; }
    std::optional<quint16> codeId() const { return m_codeId; }
    quint32 deviceId() const { return m_deviceId; }

signals:
    void changed(DeviceStatus::Field field);
    void sig_armVer(uchar major, uchar minor, uchar patch);
    void sig_dspVer(uchar major, uchar minor, uchar patch);
    void sig_location(QString text);
    void sig_description(QString text);
    void sig_dspUsage(float a, float b);
    void sig_allMute(bool mute);
    void sig_sn(QString text);
    void sig_fault(uchar fault, QVector<float> voltages);

private:
    bool handleSettings(const Proto::Frame &frame);
    bool handleSettings4(const Proto::Frame &frame);
    void setText(Field field, QString &stored, const QString &value);
    void setVersion(Field field, Version &stored, const Version &value);
    template <typename T> void setOptional(Field field, std::optional<T> &stored, T value);
    void setFault(quint8 fault);
    QString writeText(Field field, QString &stored, const QString &text);
    // Keeps `value` in the unit state at `path` and sends the model's write.
    void writeSetting(const char *path, double value);
    Model::UnitState &unitState();

    QString m_model;
    Version m_arm{};
    Version m_dsp{};
    QString m_sn;
    std::optional<std::array<quint8, 2>> m_channels;
    std::optional<quint32> m_runTime;
    std::optional<quint32> m_totalTime;
    std::optional<quint32> m_bootCount;
    std::optional<float> m_temperature;
    QString m_location;
    QString m_description;
    ClockBytes m_clock{};
    bool m_networkKnown = false;
    quint32 m_ip = 0;
    quint32 m_mask = 0;
    quint32 m_gateway = 0;
    quint8 m_fault = 0;
    int m_allMute = -1;
    std::optional<std::array<float, 2>> m_usage;
    int m_rs232 = -1;
    int m_rs485 = -1;
    VoltageReport m_voltageReport = VoltageReport::Values;
    std::array<float, VoltageCount> m_voltages{};
    int m_gateReport = -1;
    std::optional<bool> m_aec;
    std::optional<bool> m_anc;
    std::optional<quint16> m_codeId;
    quint32 m_deviceId = 0;
    Model::UnitState *m_state = nullptr;
};
