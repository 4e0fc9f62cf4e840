#include "sim/systemblock.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "sim/simmodel.h"

#include <cmath>

using namespace Proto::SettingsCmd;

namespace {

// A text in a fixed field of `width` bytes, NUL-filled.
QByteArray field(const QString &text, int width)
{
    QByteArray bytes = LocalText::encodeFitting(text, width);
    bytes.append(QByteArray(width - bytes.size(), '\0'));
    return bytes;
}

QByteArray u8(quint8 v)
{
    return QByteArray(1, char(v));
}

QByteArray version(const std::array<quint8, 3> &v)
{
    return QByteArray(reinterpret_cast<const char *>(v.data()), 3);
}

} // namespace

SystemBlock::SystemBlock(SimModel &model) : m_model(model) {}

void SystemBlock::reset()
{
    m_model.system().factoryReset();
}

void SystemBlock::write(const Proto::Frame &f)
{
    SystemState &s = m_model.system();
    const QByteArray &p = f.payload;
    switch (f.cmd) {
    case Location:
        s.location = LocalText::decode(p);
        break;
    case Description:
        s.description = LocalText::decode(p);
        break;
    case Clock:
        s.setClock(p);
        break;
    case Network:
        if (p.size() == 12) {
            s.ipAddress = Le::get<quint32>(p, 0);
            s.subnetMask = Le::get<quint32>(p, 4);
            s.gateway = Le::get<quint32>(p, 8);
            if (m_networkHook)
                m_networkHook();
        }
        break;
    case Password:
        s.password = QString::fromLatin1(p);
        break;
    case AllMute:
        if (p.size() == 1)
            s.allMute = quint8(p.at(0)) ? 1 : 0;
        break;
    case Rs232Baud:
        if (p.size() == 4)
            s.rs232Baud = Le::get<quint32>(p, 0);
        break;
    case Rs485Baud:
        if (p.size() == 4)
            s.rs485Baud = Le::get<quint32>(p, 0);
        break;
    case FactoryReset:
        m_model.factoryReset();
        if (m_restartHook)
            m_restartHook();
        break;
    case GateReport:
        if (p.size() == 1)
            s.gateReport = quint8(p.at(0));
        break;
    default:
        break;
    }
}

void SystemBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    if (f.flag == Proto::FlagWrite) {
        write(f);
        return;
    }
    if (f.flag != Proto::FlagRead)
        return;

    const SystemState &s = m_model.system();
    QByteArray a;
    quint8 flag = Proto::FlagAnswer;
    switch (f.cmd) {
    case Model:
        a = field(s.model, 16);
        break;
    case ArmVersion:
        a = version(s.armVersion);
        break;
    case DspVersion:
        a = version(s.dspVersion);
        break;
    case Serial:
        a = field(s.sn, 16);
        break;
    case Channels:
        a = u8(s.inputs) + u8(s.outputs);
        break;
    case RunTime:
        a = Le::bytes(s.runTime());
        break;
    case TotalTime:
        a = Le::bytes(s.totalTimeBase + s.runTime());
        break;
    case BootCount:
        a = Le::bytes(s.bootCount);
        break;
    case Temperature:
        a = Le::bytes(s.temperature);
        break;
    case Location:
        a = field(s.location, 16);
        break;
    case Description:
        a = field(s.description, 16);
        break;
    case Clock:
        a = s.clockBytes();
        break;
    case Network:
        a = Le::bytes(s.ipAddress, s.subnetMask, s.gateway);
        break;
    case Fault:
        a = u8(s.fault);
        break;
    case AllMute:
        a = u8(s.allMute);
        break;
    case Rs232Baud:
        a = Le::bytes(s.rs232Baud);
        break;
    case Rs485Baud:
        a = Le::bytes(s.rs485Baud);
        break;
    case DspUsage: {
        const double t = m_model.elapsedSeconds();
        a = Le::bytes(float(22.0 + 3.0 * std::sin(t / 2.0)), float(35.0 + 2.0 * std::cos(t / 3.0)));
        break;
    }
    case Voltages:
        if (!s.reportsVoltages) {
            flag = Proto::FlagRefused;
            break;
        }
        for (float v : s.voltages)
            Le::append(a, v);
        a.append(QByteArray(4, '\0'));
        break;
    case GateReport:
        a = u8(s.gateReport);
        break;
    case AecSupport:
        a = u8(s.aecSupport);
        break;
    case AncSupport:
        a = u8(s.ancSupport);
        break;
    default:
        return; // not a read the unit knows
    }
    out.append({Proto::OpSystem, Proto::SysModule::Settings, f.cmd, flag, a});
}

void Settings4Block::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    if (f.cmd == Proto::Settings4Cmd::CodeId && f.flag == Proto::FlagRead) {
        QByteArray a(2, '\0');
        Le::append(a, m_system.code);
        a.append(QByteArray(2, '\0'));
        out.append({Proto::OpSystem, Proto::SysModule::Settings4, f.cmd, Proto::FlagAnswer, a});
    }
}
