#include "sim/presetblock.h"

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "sim/simmodel.h"

namespace {

namespace Cmd = Proto::PresetCmd;

const char BootName[] = "Boot Default";

QByteArray nameField(const QByteArray &name)
{
    return name.left(PresetBlock::NameBytes) +
           QByteArray(PresetBlock::NameBytes - qMin(int(name.size()), PresetBlock::NameBytes),
                      '\0');
}

QByteArray upToNul(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

// The state image at the start of `body` without the padding behind it: the
// image is a run of (op, module, size u32, state) entries, and no block has op 0.
QByteArray withoutPadding(const QByteArray &body)
{
    int at = 0;
    while (at + 6 <= body.size() && body.at(at) != 0) {
        const qint64 next = at + 6 + qint64(Le::get<quint32>(body, at + 2));
        if (next > body.size())
            break;
        at = int(next);
    }
    return body.left(at);
}

SimAnswer answer(quint8 cmd, const QByteArray &payload)
{
    return {Proto::OpBlock, Proto::Module::Preset, cmd, Proto::FlagAnswer, payload};
}

} // namespace

PresetBlock::PresetBlock(SimModel &model) : m_model(model)
{
    reset();
}

void PresetBlock::reset()
{
    m_slots = {};
    m_slots[0].exists = true;
    m_slots[0].name = BootName;
    m_current = 0;
    m_bootCaptured = false; // taken from the blocks' defaults at the next request
    m_export.clear();
    m_import.clear();
    m_importSlot = -1;
}

void PresetBlock::captureBootPreset()
{
    if (m_bootCaptured)
        return;
    m_bootCaptured = true;
    if (m_slots[0].exists && m_slots[0].state.isEmpty())
        m_slots[0].state = m_model.presetState();
}

bool PresetBlock::holdsPreset(int slot) const
{
    return slot >= 0 && slot < Slots && m_slots[size_t(slot)].exists;
}

QByteArray PresetBlock::name(int slot) const
{
    return slot >= 0 && slot < Slots ? m_slots[size_t(slot)].name : QByteArray();
}

QByteArray PresetBlock::state(int slot) const
{
    return slot >= 0 && slot < Slots ? m_slots[size_t(slot)].state : QByteArray();
}

int PresetBlock::recordSize() const
{
    return HeaderSize + int(m_model.presetState().size());
}

void PresetBlock::handle(const Proto::Frame &f, QVector<SimAnswer> &out)
{
    captureBootPreset();
    const QByteArray &p = f.payload;
    const int slot = p.isEmpty() ? -1 : quint8(p.at(0));
    const bool validSlot = slot >= 0 && slot < Slots;
    if (f.flag == Proto::FlagRead) {
        if (f.cmd == Cmd::List && p.isEmpty()) {
            out.append(answer(Cmd::List, listAnswer()));
        } else if (f.cmd == Cmd::ExportData && p.size() == 8) {
            const quint32 offset = Le::get<quint32>(p, 0);
            const quint32 count = qMin<quint32>(Le::get<quint32>(p, 4), MaxChunk);
            out.append(answer(Cmd::ExportData, offset < quint32(m_export.size())
                                                   ? m_export.mid(int(offset), int(count))
                                                   : QByteArray()));
        }
        return;
    }
    if (f.flag != Proto::FlagWrite)
        return;
    switch (f.cmd) {
    case Cmd::Save:
        if (validSlot) {
            Slot &s = m_slots[size_t(slot)];
            s.exists = true;
            s.state = m_model.presetState();
            if (s.name.isEmpty())
                s.name = QByteArray("Preset ") + QByteArray::number(slot + 1);
        }
        break;
    case Cmd::ToolRecall:
        if (validSlot)
            recall(slot);
        break;
    case Cmd::Recall:
        // The page shows the recall's progress from these answers.
        if (validSlot && recall(slot))
            for (qint8 percent : {0, 25, 50, 75, 100})
                out.append(answer(Cmd::Recall, Le::bytes(percent)));
        break;
    case Cmd::Delete:
        if (validSlot)
            m_slots[size_t(slot)] = Slot();
        break;
    case Cmd::Rename:
        if (validSlot && p.size() >= 2)
            m_slots[size_t(slot)].name = upToNul(p.mid(1, NameBytes));
        break;
    case Cmd::ExportOne:
        if (validSlot) {
            m_export = record(slot, recordSize());
            out.append(answer(Cmd::ExportOne, Le::bytes(quint32(m_export.size()))));
        }
        break;
    case Cmd::ExportAll: {
        const int size = recordSize();
        m_export.clear();
        for (int s = 0; s < Slots; ++s)
            m_export += record(s, size);
        out.append(answer(Cmd::ExportAll, Le::bytes(quint32(m_export.size()))));
        break;
    }
    case Cmd::ImportOne:
    case Cmd::ImportAll:
        if (f.cmd == Cmd::ImportOne && !validSlot)
            break;
        m_importSlot = f.cmd == Cmd::ImportOne ? slot : Slots;
        m_import = QByteArray(recordSize() * (f.cmd == Cmd::ImportOne ? 1 : Slots), '\0');
        out.append(answer(f.cmd, Le::bytes(quint32(m_import.size()))));
        break;
    case Cmd::ImportData:
        importData(p, out);
        break;
    default:
        break;
    }
}

QByteArray PresetBlock::listAnswer() const
{
    QByteArray list(1, char(m_current));
    for (const Slot &s : m_slots) {
        list.append(char(s.exists ? 1 : 0));
        list.append(nameField(s.name));
    }
    return list;
}

QByteArray PresetBlock::record(int slot, int size) const
{
    const Slot &s = m_slots[size_t(slot)];
    QByteArray r(1, char(s.exists ? 1 : 0));
    r += nameField(s.name);
    if (s.exists)
        r += s.state.left(size - HeaderSize);
    r.append(QByteArray(size - r.size(), '\0'));
    return r;
}

void PresetBlock::storeRecord(int slot, const QByteArray &record)
{
    Slot &s = m_slots[size_t(slot)];
    s = Slot();
    if (record.isEmpty() || record.at(0) == 0)
        return;
    s.exists = true;
    s.name = upToNul(record.mid(1, NameBytes));
    s.state = withoutPadding(record.mid(HeaderSize));
}

bool PresetBlock::recall(int slot)
{
    const Slot &s = m_slots[size_t(slot)];
    if (!s.exists || !m_model.restorePresetState(s.state))
        return false;
    m_current = quint8(slot);
    m_model.presetName = LocalText::decode(s.name);
    return true;
}

void PresetBlock::importData(const QByteArray &p, QVector<SimAnswer> &out)
{
    if (p.size() < 4)
        return;
    const quint32 offset = Le::get<quint32>(p, 0);
    const QByteArray data = p.mid(4);
    quint32 accepted = 0;
    if (m_importSlot >= 0 && offset <= quint32(m_import.size())) {
        accepted = qMin<quint32>(quint32(data.size()), quint32(m_import.size()) - offset);
        m_import.replace(int(offset), int(accepted), data.left(int(accepted)));
    }
    out.append(answer(Cmd::ImportData, Le::bytes(accepted)));
    const quint32 size = quint32(m_import.size());
    if (m_importSlot < 0 || offset > size || offset + accepted < size)
        return;
    // The last byte is in: every record takes its place at once.
    if (m_importSlot == Slots) {
        const int size = int(m_import.size()) / Slots;
        for (int s = 0; s < Slots; ++s)
            storeRecord(s, m_import.mid(s * size, size));
    } else {
        storeRecord(m_importSlot, m_import);
    }
    m_import.clear();
    m_importSlot = -1;
}
