#pragma once

#include "protocol/frame.h"

#include <QByteArray>
#include <QVector>

// One answer frame of the simulated unit.
struct SimAnswer
{
    quint8 op;
    quint8 module;
    quint8 cmd;
    quint8 flag;
    QByteArray payload;
};

// One block of the simulated unit (a module under op 3, a system module, the
// firmware receiver): it answers the requests of its module and keeps its
// parameters, so that presets can store and recall them and a factory reset
// can restore them.
class SimBlock
{
public:
    SimBlock() = default;
    virtual ~SimBlock();
    SimBlock(const SimBlock &) = delete;
    SimBlock &operator=(const SimBlock &) = delete;

    // Answers to one request of the block's module (none for writes).
    virtual void handle(const Proto::Frame &request, QVector<SimAnswer> &out) = 0;
    // The parameters a preset holds; empty for a block presets do not hold.
    virtual QByteArray saveState() const;
    // Takes bytes saveState() gave. False, and nothing changed, when they do
    // not fit the block.
    virtual bool restoreState(const QByteArray &state);
    // Factory defaults.
    virtual void reset() = 0;
};
