#include "sim/simmodel.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "sim/firmwareblock.h"
#include "sim/generatorblock.h"
#include "sim/labeltables.h"
#include "sim/levelblocks.h"
#include "sim/matrixblock.h"

#include <QtMath>

#include <cstring>

namespace {

// A text in a 16-byte field, NUL-filled.
QByteArray field(const QString &text)
{
    QByteArray bytes = LocalText::encodeFitting(text, 16);
    bytes.append(QByteArray(16 - bytes.size(), '\0'));
    return bytes;
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
    installBlocks(*this);
}

SimModel::~SimModel() = default;

SimBlock *SimModel::blockAt(quint8 op, quint8 module) const
{
    const auto it = m_blockTable.find(key(op, module));
    return it == m_blockTable.end() ? nullptr : it->second.get();
}

ChannelBlock *SimModel::block(quint8 module)
{
    auto *b = blockAs<LevelBlock>(Proto::OpBlock, module);
    return b ? &b->table() : nullptr;
}

const ChannelBlock *SimModel::block(quint8 module) const
{
    const auto *b = blockAs<LevelBlock>(Proto::OpBlock, module);
    return b ? &b->table() : nullptr;
}

LabelTables &SimModel::labels()
{
    return *blockAs<LabelTables>(Proto::OpSystem, Proto::SysModule::Labels);
}

QVector<SimModel::Answer> SimModel::handle(const Proto::Frame &f)
{
    QVector<Answer> out;
    if (SimBlock *b = blockAt(f.op, f.module))
        b->handle(f, out);
    return out;
}

QByteArray SimModel::firmware(quint8 module) const
{
    const auto *b = blockAs<FirmwareBlock>(Proto::OpFirmware, module);
    return b ? b->image() : QByteArray();
}

QByteArray SimModel::presetState() const
{
    // Each block's parameters behind its op, module and size.
    QByteArray image;
    for (const auto &[k, b] : m_blockTable) {
        const QByteArray state = b->saveState();
        if (state.isEmpty())
            continue;
        image += Le::bytes(quint8(k >> 8), quint8(k & 0xFF), quint32(state.size()));
        image += state;
    }
    return image;
}

bool SimModel::restorePresetState(const QByteArray &image)
{
    // Check the whole image first, so a bad one changes nothing.
    QVector<QPair<SimBlock *, QByteArray>> parts;
    int at = 0;
    while (at < image.size()) {
        if (at + 6 > image.size())
            return false;
        const auto op = Le::get<quint8>(image, at);
        const auto module = Le::get<quint8>(image, at + 1);
        const auto size = Le::get<quint32>(image, at + 2);
        at += 6;
        SimBlock *b = blockAt(op, module);
        if (!b || size > quint32(image.size() - at) || b->saveState().size() != int(size))
            return false;
        parts.append({b, image.mid(at, int(size))});
        at += int(size);
    }
    for (const auto &[b, state] : parts)
        b->restoreState(state);
    return true;
}

double SimModel::sourceLevel(int c) const
{
    // A talker-like level per input: a slow swell and a faster syllable rhythm.
    const double t = elapsedSeconds();
    return -30.0 + 9.0 * std::sin(2 * M_PI * t / (3.0 + 0.37 * c) + c) +
           5.0 * std::sin(2 * M_PI * t / (0.6 + 0.05 * c) + 2.0 * c);
}

qint8 SimModel::inputMeter(int c) const
{
    const ChannelBlock &b = *block(Proto::Module::InputLevel);
    if (b.get<quint8>(Proto::InLevelCmd::Mute, c) || m_system.allMute)
        return -100;
    const double gain = preampStepDb(b.get<quint8>(Proto::InLevelCmd::Step, c)) +
                        b.get<float>(Proto::InLevelCmd::Gain, c);
    return clampLevel(sourceLevel(c) + gain);
}

qint8 SimModel::preMixMeter(int c) const
{
    const ChannelBlock &b = *block(Proto::Module::PreMixLevel);
    const qint8 in = inputMeter(c);
    if (in <= -100 || b.get<quint8>(Proto::PreMixCmd::Mute, c))
        return -100;
    return clampLevel(in + b.get<float>(Proto::PreMixCmd::Gain, c));
}

qint8 SimModel::outputPreMeter(int c) const
{
    // An output carries the pre-mix levels of the inputs routed to it, each
    // after its crosspoint gain, and the generator when it feeds the output,
    // summed in power. Nothing routed is silence.
    double power = 0.0;
    if (const auto *matrix = blockAs<MatrixBlock>(Proto::OpBlock, Proto::Module::Matrix)) {
        for (int in = 0; in < MatrixBlock::Channels; ++in) {
            const qint8 level = matrix->isOn(c, in) ? preMixMeter(in) : qint8(-100);
            if (level > -100)
                power += std::pow(10.0, (level + matrix->gain(c, in)) / 10.0);
        }
    }
    const auto *generator = blockAs<GeneratorBlock>(Proto::OpBlock, Proto::Module::Generator);
    if (generator && generator->feeds(c))
        power += std::pow(10.0, generator->gain() / 10.0);
    return power > 0.0 ? clampLevel(10.0 * std::log10(power)) : qint8(-100);
}

qint8 SimModel::outputMeter(int c) const
{
    const ChannelBlock &b = *block(Proto::Module::OutputLevel);
    const qint8 pre = outputPreMeter(c);
    if (pre <= -100 || b.get<quint8>(Proto::OutLevelCmd::Mute, c))
        return -100;
    return clampLevel(pre + b.get<float>(Proto::OutLevelCmd::Gain, c));
}

QByteArray SimModel::announcement() const
{
    QByteArray r(106, '\0');
    char *p = r.data();
    Le::put<quint32>(p + 0, machineId);
    Le::put<quint32>(p + 4, m_system.ipAddress);
    std::memcpy(p + 17, m_system.armVersion.data(), 3);
    std::memcpy(p + 20, m_system.dspVersion.data(), 3);
    r.replace(23, 16, field(m_system.sn));
    r.replace(39, 16, field(m_system.model));
    r.replace(55, 16, field(m_system.location));
    r.replace(71, 16, field(m_system.description));
    r.replace(87, 16, field(presetName));
    r[103] = char(m_system.fault);
    Le::put<quint16>(r.data() + 104, m_system.code);
    return r;
}

void SimModel::factoryReset()
{
    for (auto &entry : m_blockTable)
        entry.second->reset();
}
