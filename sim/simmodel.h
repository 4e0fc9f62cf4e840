#pragma once

#include "protocol/frame.h"
#include "sim/channelblock.h"
#include "sim/systemstate.h"

#include <QElapsedTimer>
#include <QMap>
#include <QVector>

#include <functional>
#include <memory>

class LabelTables;

// The state of one simulated unit and its answers to requests, without any
// socket: a frame goes in, the answers come out. Login is the session's matter.
class SimModel final
{
public:
    struct Answer
    {
        quint8 op;
        quint8 module;
        quint8 cmd;
        quint8 flag;
        QByteArray payload;
    };
    using BlockHandler = std::function<void(const Proto::Frame &, QVector<Answer> &)>;

    SimModel();
    ~SimModel();
    SimModel(const SimModel &) = delete;
    SimModel &operator=(const SimModel &) = delete;

    SystemState &system() { return m_system; }
    const SystemState &system() const { return m_system; }

    quint32 machineId = 1;
    QString presetName;

    LabelTables &labels() { return *m_labels; }

    // A channel block under op 3, or nullptr when the unit has no such block yet.
    ChannelBlock *block(quint8 module);

    // Installs the handler of one module of `op`; it takes precedence over the
    // built-in handling (later blocks plug in here).
    void setHandler(quint8 op, quint8 module, BlockHandler handler);

    // Answers to one request (none for writes and for what the unit does not know).
    QVector<Answer> handle(const Proto::Frame &request);

    // The 106-byte announcement record.
    QByteArray announcement() const;

    // Firmware images received so far, by module (1 ARM, 2 DSP).
    QByteArray firmware(quint8 module) const { return m_firmware.value(module); }

    // Meter levels of one channel in dB, as the four meter reads report them.
    qint8 inputMeter(int channel) const;
    qint8 preMixMeter(int channel) const;
    qint8 outputPreMeter(int channel) const;
    qint8 outputMeter(int channel) const;

    void factoryReset();

private:
    void handleSystem(const Proto::Frame &f, QVector<Answer> &out);
    void handleSettings4(const Proto::Frame &f, QVector<Answer> &out);
    void handleLevelBlock(quint8 module, const Proto::Frame &f, QVector<Answer> &out);
    void handleFirmware(const Proto::Frame &f, QVector<Answer> &out);
    double sourceLevel(int channel) const;

    SystemState m_system;
    QMap<quint8, ChannelBlock> m_blocks;
    QMap<quint16, BlockHandler> m_handlers; // by op << 8 | module
    QMap<quint8, QByteArray> m_firmware;
    QElapsedTimer m_clock;
    std::unique_ptr<LabelTables> m_labels;
};
