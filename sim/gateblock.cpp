#include "sim/gateblock.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/simmodel.h"

#include <cmath>

namespace {
constexpr double Never = -1.0e9;

float bounded(float value, float lo, float hi)
{
    return qBound(lo, std::trunc(value), hi);
}
} // namespace

GateBlock::GateBlock(const SimModel &model) : m_model(model)
{
    m_lastAbove.fill(Never);
}

void GateBlock::setRecord(int channel, const Record &record)
{
    if (channel < 0 || channel >= Channels)
        return;
    // The unit keeps whole numbers within each field's range.
    Record &r = m_records[size_t(channel)];
    r.enable = record.enable ? 1 : 0;
    r.threshold = bounded(record.threshold, -120.0f, 0.0f);
    r.attack = bounded(record.attack, 1.0f, 1000.0f);
    r.decay = bounded(record.decay, 20.0f, 1000.0f);
}

QByteArray GateBlock::encode(const Record &r)
{
    return Le::bytes(r.enable, r.threshold, r.attack, r.decay);
}

bool GateBlock::decode(const QByteArray &bytes, Record &r)
{
    if (bytes.size() != RecordSize)
        return false;
    r.enable = Le::get<quint8>(bytes, 0);
    r.threshold = Le::get<float>(bytes, 1);
    r.attack = Le::get<float>(bytes, 5);
    r.decay = Le::get<float>(bytes, 9);
    return std::isfinite(r.threshold) && std::isfinite(r.attack) && std::isfinite(r.decay);
}

QByteArray GateBlock::openStates()
{
    const double now = m_model.elapsedSeconds();
    QByteArray states(Channels, '\0');
    for (int c = 0; c < Channels; ++c) {
        const Record &r = m_records[size_t(c)];
        if (m_model.inputMeter(c) > r.threshold)
            m_lastAbove[size_t(c)] = now;
        const bool open = r.enable && now - m_lastAbove[size_t(c)] <= r.decay / 1000.0;
        states[c] = char(open ? 1 : 0);
    }
    return states;
}

void GateBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    using namespace Proto;
    const auto answer = [&out, &f](const QByteArray &payload) {
        out.append({OpBlock, Module::Gate, f.cmd, FlagAnswer, payload});
    };
    if (f.cmd == GateCmd::State && f.flag == FlagRead) {
        answer(openStates());
        return;
    }
    if (f.cmd != GateCmd::Record || f.payload.isEmpty())
        return;
    const int channel = quint8(f.payload.at(0));
    if (channel >= Channels)
        return;
    if (f.flag == FlagRead && f.payload.size() == 1) {
        answer(QByteArray(1, char(channel)) + encode(m_records[size_t(channel)]));
    } else if (f.flag == FlagWrite && f.payload.size() == 1 + RecordSize) {
        Record r;
        if (decode(f.payload.mid(1), r))
            setRecord(channel, r);
    }
}

QByteArray GateBlock::saveState() const
{
    QByteArray state;
    for (const Record &r : m_records)
        state += encode(r);
    return state;
}

bool GateBlock::restoreState(const QByteArray &state)
{
    if (state.size() != Channels * RecordSize)
        return false;
    std::array<Record, Channels> records{};
    for (int c = 0; c < Channels; ++c)
        if (!decode(state.mid(c * RecordSize, RecordSize), records[size_t(c)]))
            return false;
    for (int c = 0; c < Channels; ++c)
        setRecord(c, records[size_t(c)]);
    return true;
}

void GateBlock::reset()
{
    m_records.fill(Record{});
    m_lastAbove.fill(Never);
}
