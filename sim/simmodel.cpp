#include "sim/simmodel.h"

#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "sim/labeltables.h"
#include "sim/levelblocks.h"

#include <QtMath>

#include <cstring>

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

qint8 clampLevel(double db)
{
    return qint8(qBound(-100.0, std::round(db), 24.0));
}

} // namespace

SimModel::SimModel()
{
    m_system.started.start();
    m_clock.start();
    m_blocks.insert(SimModule::InputLevel, makeInputLevelBlock());
    m_blocks.insert(SimModule::PreMixLevel, makePreMixLevelBlock());
    m_blocks.insert(SimModule::OutputLevel, makeOutputLevelBlock());
    m_labels = std::make_unique<LabelTables>();
    m_labels->install(*this);
}

SimModel::~SimModel() = default;

ChannelBlock *SimModel::block(quint8 module)
{
    auto it = m_blocks.find(module);
    return it == m_blocks.end() ? nullptr : &it.value();
}

void SimModel::setHandler(quint8 op, quint8 module, BlockHandler handler)
{
    m_handlers.insert(quint16(op << 8 | module), handler);
}

QVector<SimModel::Answer> SimModel::handle(const Proto::Frame &f)
{
    QVector<Answer> out;
    if (const BlockHandler h = m_handlers.value(quint16(f.op << 8 | f.module))) {
        h(f, out);
        return out;
    }
    switch (f.op) {
    case Proto::OpFirmware:
        handleFirmware(f, out);
        break;
    case Proto::OpSystem:
        if (f.module == 2)
            handleSystem(f, out);
        else if (f.module == 4)
            handleSettings4(f, out);
        break;
    case Proto::OpBlock:
        if (m_blocks.contains(f.module))
            handleLevelBlock(f.module, f, out);
        break;
    default:
        break;
    }
    return out;
}

void SimModel::handleFirmware(const Proto::Frame &f, QVector<Answer> &out)
{
    if ((f.module != 1 && f.module != 2) || f.cmd != 1 || f.flag != Proto::FlagWrite ||
        f.payload.size() < 2)
        return;
    const quint16 index = Le::get<quint16>(f.payload, 0);
    QByteArray &image = m_firmware[f.module];
    if (index == 0)
        image.clear();
    const int offset = index * 1024;
    if (image.size() < offset)
        image.append(QByteArray(offset - image.size(), '\0'));
    image.replace(offset, qMin(image.size() - offset, f.payload.size() - 2), f.payload.mid(2));
    out.append({Proto::OpFirmware, f.module, 1, Proto::FlagAnswer, Le::bytes(index)});
}

void SimModel::handleSystem(const Proto::Frame &f, QVector<Answer> &out)
{
    SystemState &s = m_system;
    if (f.flag == Proto::FlagWrite) {
        const QByteArray &p = f.payload;
        switch (f.cmd) {
        case 10:
            s.location = LocalText::decode(p);
            break;
        case 11:
            s.description = LocalText::decode(p);
            break;
        case 12:
            s.setClock(p);
            break;
        case 13:
            if (p.size() == 12) {
                s.ipAddress = Le::get<quint32>(p, 0);
                s.subnetMask = Le::get<quint32>(p, 4);
                s.gateway = Le::get<quint32>(p, 8);
            }
            break;
        case 15:
            s.password = QString::fromLatin1(p);
            break;
        case 16:
            if (p.size() == 1)
                s.allMute = quint8(p.at(0)) ? 1 : 0;
            break;
        case 17:
            if (p.size() == 4)
                s.rs232Baud = Le::get<quint32>(p, 0);
            break;
        case 18:
            if (p.size() == 4)
                s.rs485Baud = Le::get<quint32>(p, 0);
            break;
        case 21:
            factoryReset();
            break;
        case 23:
            if (p.size() == 1)
                s.gateReport = quint8(p.at(0));
            break;
        default:
            break;
        }
        return;
    }
    if (f.flag != Proto::FlagRead)
        return;

    QByteArray a;
    quint8 flag = Proto::FlagAnswer;
    const auto version = [](const std::array<quint8, 3> &v) {
        return QByteArray(reinterpret_cast<const char *>(v.data()), 3);
    };
    switch (f.cmd) {
    case 1:
        a = field(s.model, 16);
        break;
    case 2:
        a = version(s.armVersion);
        break;
    case 3:
        a = version(s.dspVersion);
        break;
    case 4:
        a = field(s.sn, 16);
        break;
    case 5:
        a = u8(s.inputs) + u8(s.outputs);
        break;
    case 6:
        a = Le::bytes(s.runTime());
        break;
    case 7:
        a = Le::bytes(s.totalTimeBase + s.runTime());
        break;
    case 8:
        a = Le::bytes(s.bootCount);
        break;
    case 9:
        a = Le::bytes(s.temperature);
        break;
    case 10:
        a = field(s.location, 16);
        break;
    case 11:
        a = field(s.description, 16);
        break;
    case 12:
        a = s.clockBytes();
        break;
    case 13:
        a = Le::bytes(s.ipAddress, s.subnetMask, s.gateway);
        break;
    case 14:
        a = u8(s.fault);
        break;
    case 16:
        a = u8(s.allMute);
        break;
    case 17:
        a = Le::bytes(s.rs232Baud);
        break;
    case 18:
        a = Le::bytes(s.rs485Baud);
        break;
    case 19: {
        const double t = m_clock.elapsed() / 1000.0;
        a = Le::bytes(float(22.0 + 3.0 * std::sin(t / 2.0)), float(35.0 + 2.0 * std::cos(t / 3.0)));
        break;
    }
    case 20:
        if (!s.reportsVoltages) {
            flag = Proto::FlagRefused;
            break;
        }
        for (float v : s.voltages)
            Le::append(a, v);
        a.append(QByteArray(4, '\0'));
        break;
    case 23:
        a = u8(s.gateReport);
        break;
    case 25:
        a = u8(s.aecSupport);
        break;
    case 28:
        a = u8(s.ancSupport);
        break;
    default:
        return; // not a read the unit knows
    }
    out.append({Proto::OpSystem, 2, f.cmd, flag, a});
}

void SimModel::handleSettings4(const Proto::Frame &f, QVector<Answer> &out)
{
    if (f.cmd == 1 && f.flag == Proto::FlagRead) {
        QByteArray a(2, '\0');
        Le::append(a, m_system.code);
        a.append(QByteArray(2, '\0'));
        out.append({Proto::OpSystem, 4, 1, Proto::FlagAnswer, a});
    }
}

void SimModel::handleLevelBlock(quint8 module, const Proto::Frame &f, QVector<Answer> &out)
{
    ChannelBlock &b = m_blocks[module];
    if (f.flag == Proto::FlagWrite) {
        const bool isPre = module == SimModule::PreMixLevel;
        const bool isOut = module == SimModule::OutputLevel;
        const quint8 limitsCmd = isPre ? PreMixCmd::Limits : OutLevelCmd::Limits;
        const quint8 deltaCmd = isPre ? PreMixCmd::GainDelta : OutLevelCmd::GainDelta;
        const quint8 gainCmd = isPre ? PreMixCmd::Gain : OutLevelCmd::Gain;
        const int channel = f.payload.isEmpty() ? -1 : quint8(f.payload.at(0));
        if ((isPre || isOut) && f.cmd == limitsCmd && f.payload.size() == 3 && channel < 16) {
            // Limits are written as whole dB (maximum, minimum) and read as floats.
            b.setValue(limitsCmd, channel,
                       Le::bytes(float(qint8(f.payload.at(1))), float(qint8(f.payload.at(2)))));
        } else if ((isPre || isOut) && f.cmd == deltaCmd && f.payload.size() == 5 && channel < 16) {
            const float gain = b.get<float>(gainCmd, channel) + Le::get<float>(f.payload, 1);
            b.set<float>(gainCmd, channel, qBound(-56.0f, gain, 12.0f));
        } else {
            b.write(f.cmd, f.payload);
        }
        return;
    }
    if (f.flag != Proto::FlagRead)
        return;

    // Meter reads are computed; everything else comes from the parameter table.
    QByteArray a;
    qint8 (SimModel::*meter)(int) const = nullptr;
    if (module == SimModule::InputLevel && f.cmd == InLevelCmd::Meter)
        meter = &SimModel::inputMeter;
    else if (module == SimModule::PreMixLevel && f.cmd == PreMixCmd::Meter)
        meter = &SimModel::preMixMeter;
    else if (module == SimModule::OutputLevel && f.cmd == OutLevelCmd::Meter)
        meter = &SimModel::outputMeter;
    else if (module == SimModule::OutputLevel && f.cmd == OutLevelCmd::PreMeter)
        meter = &SimModel::outputPreMeter;
    if (meter) {
        for (int c = 0; c < ChannelBlock::Channels; ++c)
            a.append(char((this->*meter)(c)));
    } else {
        a = b.read(f.cmd);
        if (a.isNull())
            return;
    }
    out.append({Proto::OpBlock, module, f.cmd, Proto::FlagAnswer, a});
}

double SimModel::sourceLevel(int c) const
{
    // A talker-like level per input: a slow swell and a faster syllable rhythm.
    const double t = m_clock.elapsed() / 1000.0;
    return -30.0 + 9.0 * std::sin(2 * M_PI * t / (3.0 + 0.37 * c) + c) +
           5.0 * std::sin(2 * M_PI * t / (0.6 + 0.05 * c) + 2.0 * c);
}

qint8 SimModel::inputMeter(int c) const
{
    const ChannelBlock &b = m_blocks[SimModule::InputLevel];
    if (b.get<quint8>(InLevelCmd::Mute, c) || m_system.allMute)
        return -100;
    const double gain =
        preampStepDb(b.get<quint8>(InLevelCmd::Step, c)) + b.get<float>(InLevelCmd::Gain, c);
    return clampLevel(sourceLevel(c) + gain);
}

qint8 SimModel::preMixMeter(int c) const
{
    const ChannelBlock &b = m_blocks[SimModule::PreMixLevel];
    const qint8 in = inputMeter(c);
    if (in <= -100 || b.get<quint8>(PreMixCmd::Mute, c))
        return -100;
    return clampLevel(in + b.get<float>(PreMixCmd::Gain, c));
}

qint8 SimModel::outputPreMeter(int c) const
{
    // Without a matrix model each output carries the input of the same number.
    return preMixMeter(c);
}

qint8 SimModel::outputMeter(int c) const
{
    const ChannelBlock &b = m_blocks[SimModule::OutputLevel];
    const qint8 pre = outputPreMeter(c);
    if (pre <= -100 || b.get<quint8>(OutLevelCmd::Mute, c))
        return -100;
    return clampLevel(pre + b.get<float>(OutLevelCmd::Gain, c));
}

QByteArray SimModel::announcement() const
{
    QByteArray r(106, '\0');
    char *p = r.data();
    Le::put<quint32>(p + 0, machineId);
    Le::put<quint32>(p + 4, m_system.ipAddress);
    std::memcpy(p + 17, m_system.armVersion.data(), 3);
    std::memcpy(p + 20, m_system.dspVersion.data(), 3);
    r.replace(23, 16, field(m_system.sn, 16));
    r.replace(39, 16, field(m_system.model, 16));
    r.replace(55, 16, field(m_system.location, 16));
    r.replace(71, 16, field(m_system.description, 16));
    r.replace(87, 16, field(presetName, 16));
    r[103] = char(m_system.fault);
    Le::put<quint16>(r.data() + 104, m_system.code);
    return r;
}

void SimModel::factoryReset()
{
    m_system.factoryReset();
    for (ChannelBlock &b : m_blocks)
        b.reset();
    m_labels->reset();
}
