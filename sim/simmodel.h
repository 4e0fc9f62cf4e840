#pragma once

#include "protocol/frame.h"
#include "sim/channelblock.h"
#include "sim/simblock.h"
#include "sim/systemstate.h"

#include <QElapsedTimer>
#include <QMap>
#include <QVector>

#include <map>
#include <memory>

class LabelTables;

// The state of one simulated unit and its answers to requests, without any
// socket: a frame goes in, the answers come out. Login is the session's matter.
//
// Each module is a SimBlock, installed by installBlocks() (blockregistry.cpp).
class SimModel final
{
public:
    using Answer = SimAnswer;

    SimModel();
    ~SimModel();
    SimModel(const SimModel &) = delete;
    SimModel &operator=(const SimModel &) = delete;

    SystemState &system() { return m_system; }
    const SystemState &system() const { return m_system; }

    quint32 machineId = 1;
    QString presetName;

    // Installs the block that answers `op`/`module` (replacing any before it)
    // and returns it.
    template <typename T> T *addBlock(quint8 op, quint8 module, std::unique_ptr<T> block)
    {
        T *raw = block.get();
        m_blockTable[key(op, module)] = std::move(block);
        return raw;
    }
    SimBlock *blockAt(quint8 op, quint8 module) const;
    template <typename T> T *blockAs(quint8 op, quint8 module) const
    {
        return dynamic_cast<T *>(blockAt(op, module));
    }

    // The parameter table of a level block under op 3 (input, pre-mix or
    // output level), or nullptr.
    ChannelBlock *block(quint8 module);
    const ChannelBlock *block(quint8 module) const;
    LabelTables &labels();

    // Answers to one request (none for writes and for what the unit does not know).
    QVector<Answer> handle(const Proto::Frame &request);

    // The 106-byte announcement record.
    QByteArray announcement() const;

    // Firmware images received so far, by module (1 ARM, 2 DSP).
    QByteArray firmware(quint8 module) const;

    // Meter levels of one channel in dB, as the four meter reads report them.
    qint8 inputMeter(int channel) const;
    qint8 preMixMeter(int channel) const;
    qint8 outputPreMeter(int channel) const;
    qint8 outputMeter(int channel) const;

    // The parameters of every block presets hold, as one image; and back.
    // restorePresetState() changes nothing when the image does not fit.
    QByteArray presetState() const;
    bool restorePresetState(const QByteArray &image);

    // Every block back to its defaults; system texts and switches too.
    void factoryReset();

    // Seconds since the model was made, for levels that move with time.
    double elapsedSeconds() const { return m_clock.elapsed() / 1000.0; }

private:
    static quint16 key(quint8 op, quint8 module) { return quint16(op << 8 | module); }
    double sourceLevel(int channel) const;

    SystemState m_system;
    std::map<quint16, std::unique_ptr<SimBlock>> m_blockTable; // by op << 8 | module
    QElapsedTimer m_clock;
};

// Installs every block of the simulated unit in `model`.
void installBlocks(SimModel &model);
