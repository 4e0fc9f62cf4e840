#include "pages/devicestatus.h"

#include "model/unitstate.h"

#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "protocol/transport.h"

#include <QDateTime>

#include <cmath>

namespace Cmd = Proto::SettingsCmd;

namespace {

constexpr quint8 SettingsModule = Proto::SysModule::Settings;
constexpr quint8 Settings4Module = Proto::SysModule::Settings4;

// The settings reads, in the order the unit is asked.
constexpr quint8 SettingsReads[] = {
    Cmd::Model,       Cmd::Network, Cmd::Channels, Cmd::RunTime,   Cmd::TotalTime, Cmd::BootCount,
    Cmd::Temperature, Cmd::Clock,   Cmd::Voltages, Cmd::Rs232Baud, Cmd::Rs485Baud, Cmd::GateReport};

void sendSettingsWrite(quint8 cmd, const QByteArray &payload)
{
    sendPacket(Proto::OpSystem, SettingsModule, cmd, Proto::FlagWrite, payload);
}

} // namespace

DeviceStatus::DeviceStatus(QObject *parent) : QObject(parent) {}

void DeviceStatus::setUnitState(Model::UnitState *state)
{
    m_state = state;
}

Model::UnitState &DeviceStatus::unitState()
{
    if (!m_state)
        m_state = new Model::UnitState(this);
    return *m_state;
}

void DeviceStatus::writeSetting(const char *path, double value)
{
    Model::UnitState &state = unitState();
    const Model::ParamId id = state.catalogue().id(path);
    state.setNumber(id, value);
    sendFrame(state.writeFrameOf(id));
    state.commit();
}

const std::array<quint32, 4> &DeviceStatus::baudRates()
{
    static const std::array<quint32, 4> rates{{9600, 19200, 57600, 115200}};
    return rates;
}

int DeviceStatus::baudIndex(quint32 baud)
{
    const auto &rates = baudRates();
    const auto it = std::find(rates.begin(), rates.end(), baud);
    return it == rates.end() ? -1 : int(it - rates.begin());
}

void DeviceStatus::clear()
{
    // The overview and the fault report are told what is gone, so nothing of
    // the previous connection stays on screen.
    setVersion(ArmVersion, m_arm, Version{});
    setVersion(DspVersion, m_dsp, Version{});
    setText(SerialNumber, m_sn, QString());
    setText(Location, m_location, QString());
    setText(Description, m_description, QString());
    setFault(0);
    m_model.clear();
    m_channels.reset();
    m_runTime.reset();
    m_totalTime.reset();
    m_bootCount.reset();
    m_temperature.reset();
    m_clock = {};
    m_networkKnown = false;
    m_ip = m_mask = m_gateway = 0;
    m_allMute = -1;
    m_usage.reset();
    m_rs232 = m_rs485 = -1;
    m_voltageReport = VoltageReport::Values;
    m_voltages = {};
    m_gateReport = -1;
    m_aec.reset();
    m_anc.reset();
    m_codeId.reset();
    for (Field f :
         {ModelName, ChannelConfig, RunTime, TotalTime, BootCount, Temperature, Clock, Network,
          Rs232Baud, Rs485Baud, Voltages, GateReport, AecSupport, AncSupport, CodeId})
        emit changed(f);
}

bool DeviceStatus::handle(const Proto::Frame &f)
{
    // Module 2 under op 3 is the gate: only system answers are this class's.
    if (f.op != Proto::OpSystem)
        return false;
    if (f.module == SettingsModule)
        return handleSettings(f);
    if (f.module == Settings4Module)
        return handleSettings4(f);
    return false;
}

void DeviceStatus::setText(Field field, QString &stored, const QString &value)
{
    if (value == stored)
        return;
    stored = value;
    emit changed(field);
    if (field == SerialNumber)
        emit sig_sn(value);
    else if (field == Location)
        emit sig_location(value);
    else if (field == Description)
        emit sig_description(value);
}

void DeviceStatus::setVersion(Field field, Version &stored, const Version &value)
{
    if (value == stored)
        return;
    stored = value;
    emit changed(field);
    if (field == ArmVersion)
        emit sig_armVer(value[0], value[1], value[2]);
    else
        emit sig_dspVer(value[0], value[1], value[2]);
}

template <typename T> void DeviceStatus::setOptional(Field field, std::optional<T> &stored, T value)
{
    if (stored && *stored == value)
        return;
    stored = value;
    emit changed(field);
}

void DeviceStatus::setFault(quint8 fault)
{
    if (fault == m_fault)
        return;
    m_fault = fault;
    emit changed(Fault);
    emit sig_fault(m_fault, QVector<float>(m_voltages.begin(), m_voltages.end()));
}

bool DeviceStatus::handleSettings(const Proto::Frame &f)
{
    AnswerReader a(f.flag, f.length, f.payload);
    switch (f.cmd) {
    case Cmd::Model:
    case Cmd::Serial:
    case Cmd::Location:
    case Cmd::Description: {
        // Texts of any length: at most the unit's field, up to the first NUL.
        if (!a.atLeast(0))
            return false;
        const QString text = a.text(0, TextWidth);
        if (f.cmd == Cmd::Model)
            setText(ModelName, m_model, text);
        else if (f.cmd == Cmd::Serial)
            setText(SerialNumber, m_sn, text);
        else if (f.cmd == Cmd::Location)
            setText(Location, m_location, text);
        else
            setText(Description, m_description, text);
        return true;
    }
    case Cmd::ArmVersion:
    case Cmd::DspVersion: {
        if (!a.exact(3))
            return false;
        const Version v{{a.u8(0), a.u8(1), a.u8(2)}};
        if (f.cmd == Cmd::ArmVersion)
            setVersion(ArmVersion, m_arm, v);
        else
            setVersion(DspVersion, m_dsp, v);
        return true;
    }
    case Cmd::Channels:
        if (!a.exact(2))
            return false;
        setOptional(ChannelConfig, m_channels, std::array<quint8, 2>{{a.u8(0), a.u8(1)}});
        return true;
    case Cmd::RunTime:
    case Cmd::TotalTime:
    case Cmd::BootCount:
        if (!a.exact(4))
            return false;
        if (f.cmd == Cmd::RunTime)
            setOptional(RunTime, m_runTime, a.u32(0));
        else if (f.cmd == Cmd::TotalTime)
            setOptional(TotalTime, m_totalTime, a.u32(0));
        else
            setOptional(BootCount, m_bootCount, a.u32(0));
        return true;
    case Cmd::Temperature:
        if (!a.exact(4))
            return false;
        if (const auto t = a.real(0, -1000.0f, 1000.0f))
            setOptional(Temperature, m_temperature, *t);
        return true;
    case Cmd::Clock: {
        if (!a.atLeast(7)) // any length, but the layout needs seven bytes
            return false;
        ClockBytes c;
        for (int i = 0; i < 7; ++i)
            c[size_t(i)] = a.u8(i);
        if (c != m_clock) {
            m_clock = c;
            emit changed(Clock);
        }
        return true;
    }
    case Cmd::Network: {
        if (!a.exact(12))
            return false;
        const quint32 ip = a.u32(0), mask = a.u32(4), gateway = a.u32(8);
        if (!m_networkKnown || ip != m_ip || mask != m_mask || gateway != m_gateway) {
            m_networkKnown = true;
            m_ip = ip;
            m_mask = mask;
            m_gateway = gateway;
            emit changed(Network);
        }
        return true;
    }
    case Cmd::Fault:
        if (!a.atLeast(1))
            return false;
        setFault(a.u8(0));
        return true;
    case Cmd::AllMute:
        if (!a.atLeast(1))
            return false;
        if (int(a.u8(0) != 0) != m_allMute) {
            m_allMute = a.u8(0) != 0;
            emit sig_allMute(m_allMute);
        }
        return true;
    case Cmd::Rs232Baud:
    case Cmd::Rs485Baud: {
        if (!a.exact(4))
            return false;
        // A speed the boxes do not offer leaves them as they are.
        const int index = baudIndex(a.u32(0));
        int &stored = f.cmd == Cmd::Rs232Baud ? m_rs232 : m_rs485;
        if (index >= 0 && index != stored) {
            stored = index;
            emit changed(f.cmd == Cmd::Rs232Baud ? Rs232Baud : Rs485Baud);
        }
        return true;
    }
    case Cmd::DspUsage: {
        if (!a.exact(8))
            return false;
        std::array<float, 2> usage = m_usage.value_or(std::array<float, 2>{{0.0f, 0.0f}});
        for (int i = 0; i < 2; ++i)
            if (const auto v = a.real(i * 4, -1.0e6f, 1.0e6f))
                usage[size_t(i)] = *v;
        if (usage != m_usage) {
            m_usage = usage;
            emit sig_dspUsage(usage[0], usage[1]);
        }
        return true;
    }
    case Cmd::Voltages: {
        if (a.isRefused()) {
            if (m_voltageReport != VoltageReport::Refused) {
                m_voltageReport = VoltageReport::Refused;
                emit changed(Voltages);
            }
            return true;
        }
        if (!a.exact(32))
            return false;
        std::array<float, VoltageCount> v = m_voltages;
        for (int i = 0; i < VoltageCount; ++i)
            if (const auto volts = a.real(i * 4, -1.0e6f, 1.0e6f))
                v[size_t(i)] = *volts;
        if (v != m_voltages || m_voltageReport != VoltageReport::Values) {
            m_voltages = v;
            m_voltageReport = VoltageReport::Values;
            emit changed(Voltages);
        }
        return true;
    }
    case Cmd::GateReport:
        if (!a.exact(1))
            return false;
        if (const auto mode = a.index(0, GateReportModes); mode && *mode != m_gateReport) {
            m_gateReport = *mode;
            emit changed(GateReport);
        }
        return true;
    case Cmd::AecSupport:
    case Cmd::AncSupport:
        if (!a.exact(1))
            return false;
        setOptional(f.cmd == Cmd::AecSupport ? AecSupport : AncSupport,
                    f.cmd == Cmd::AecSupport ? m_aec : m_anc, a.u8(0) != 0);
        return true;
    default:
        return false;
    }
}

bool DeviceStatus::handleSettings4(const Proto::Frame &f)
{
    AnswerReader a(f.flag, f.length, f.payload);
    if (f.cmd != Proto::Settings4Cmd::CodeId || !a.exact(6))
        return false;
    setOptional(CodeId, m_codeId, a.u16(2));
    return true;
}

void DeviceStatus::requestSettings() const
{
    for (quint8 cmd : SettingsReads)
        sendPacket(Proto::OpSystem, SettingsModule, cmd, Proto::FlagRead);
    sendPacket(Proto::OpSystem, Settings4Module, Proto::Settings4Cmd::CodeId, Proto::FlagRead);
}

bool DeviceStatus::setNetwork(quint32 address, quint32 mask, quint32 gateway)
{
    if (!m_networkKnown)
        return false;
    // Leaving a field unchanged sends nothing: a unit may restart its network
    // for any write of its addresses.
    if (address == m_ip && mask == m_mask && gateway == m_gateway)
        return true;
    m_ip = address;
    m_mask = mask;
    m_gateway = gateway;
    emit changed(Network);
    sendSettingsWrite(Cmd::Network, Le::bytes(address, mask, gateway));
    return true;
}

QString DeviceStatus::writeText(Field field, QString &stored, const QString &text)
{
    Model::UnitState &state = unitState();
    const Model::ParamId id =
        state.catalogue().id(field == Location ? "system.location" : "system.description");
    QString kept;
    LocalText::encodeFitting(text, TextWidth, &kept);
    // An unchanged text is not sent: leaving the field before the unit's text
    // has arrived must not blank the unit's.
    if (kept == stored)
        return kept;
    setText(field, stored, kept);
    state.setText(id, kept);
    sendFrame(state.writeFrameOf(id));
    state.commit();
    return kept;
}

QString DeviceStatus::setLocation(const QString &text)
{
    return writeText(Location, m_location, text);
}

QString DeviceStatus::setDescription(const QString &text)
{
    return writeText(Description, m_description, text);
}

void DeviceStatus::calibrateClock(const QDateTime &localTime)
{
    const QDate d = localTime.date();
    const QTime t = localTime.time();
    // Second, minute, hour, day, an unused byte (sent as 0), month, year - 2000.
    QByteArray b(7, '\0');
    b[0] = char(t.second());
    b[1] = char(t.minute());
    b[2] = char(t.hour());
    b[3] = char(d.day());
    b[5] = char(d.month());
    b[6] = char(qBound(0, d.year() - 2000, 255));
    sendSettingsWrite(Cmd::Clock, b);
}

bool DeviceStatus::setRs232BaudIndex(int index)
{
    if (index < 0 || index >= int(baudRates().size()))
        return false;
    m_rs232 = index;
    writeSetting("system.rs232", baudRates()[size_t(index)]);
    return true;
}

bool DeviceStatus::setGateReport(int index)
{
    if (index < 0 || index >= GateReportModes)
        return false;
    m_gateReport = index;
    writeSetting("system.gatereport", index);
    return true;
}

void DeviceStatus::setDeviceId(quint32 id)
{
    if (id == m_deviceId)
        return;
    m_deviceId = id;
    emit changed(DeviceId);
}
