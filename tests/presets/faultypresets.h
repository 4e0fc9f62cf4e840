#pragma once

// The simulated unit's presets with one fault: a PresetBlock that answers as
// the unit's does except where the fault says otherwise. Installed in place
// of a unit's preset block, so the program and dapctl meet it through a real
// connection. Header-only: the end-to-end and dapctl tests share it.

#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/presetblock.h"
#include "sim/simunit.h"

#include <QTimer>

#include <memory>

class FaultyPresets final : public SimBlock
{
public:
    enum class Fault
    {
        SilentBegin,  // no answer to a request to export or import
        TakesNothing, // every import chunk that carries data is taken as 0 bytes
        HugeImage,    // an export announces 128 MiB
        SilentAfter,  // no answer after `chunks` export answers
        DropsAfter    // the connection drops after `chunks` export answers
    };

    FaultyPresets(SimUnit &unit, Fault fault, int chunks)
        : m_unit(unit), m_presets(unit.model()), m_fault(fault), m_chunks(chunks)
    {
    }

    static FaultyPresets *install(SimUnit &unit, Fault fault, int chunks = 0)
    {
        return unit.model().addBlock(Proto::OpBlock, Proto::Module::Preset,
                                     std::make_unique<FaultyPresets>(unit, fault, chunks));
    }

    void handle(const Proto::Frame &f, QVector<SimAnswer> &out) override
    {
        namespace Cmd = Proto::PresetCmd;
        const auto reply = [&out](quint8 cmd, const QByteArray &payload) {
            out.append({Proto::OpBlock, Proto::Module::Preset, cmd, Proto::FlagAnswer, payload});
        };
        switch (m_fault) {
        case Fault::SilentBegin:
            if (f.cmd == Cmd::ExportOne || f.cmd == Cmd::ExportAll || f.cmd == Cmd::ImportOne ||
                f.cmd == Cmd::ImportAll)
                return;
            break;
        case Fault::TakesNothing:
            if (f.cmd == Cmd::ImportData && f.payload.size() > 4) {
                reply(Cmd::ImportData, Le::bytes(quint32(0)));
                return;
            }
            break;
        case Fault::HugeImage:
            if (f.cmd == Cmd::ExportOne || f.cmd == Cmd::ExportAll) {
                reply(f.cmd, Le::bytes(quint32(128u << 20)));
                return;
            }
            break;
        case Fault::SilentAfter:
        case Fault::DropsAfter:
            if (f.cmd == Cmd::ExportData && m_answered++ >= m_chunks) {
                // Dropped from the event loop, after the session has handled
                // the request.
                if (m_fault == Fault::DropsAfter)
                    QTimer::singleShot(0, &m_unit, [unit = &m_unit] { unit->dropConnections(); });
                return;
            }
            break;
        }
        m_presets.handle(f, out);
    }
    void reset() override { m_presets.reset(); }

    PresetBlock &presets() { return m_presets; }

private:
    SimUnit &m_unit;
    PresetBlock m_presets;
    Fault m_fault;
    int m_chunks;
    int m_answered = 0;
};
