#pragma once

#include "sim/simblock.h"

#include <functional>

class SimModel;
struct SystemState;

// The unit's identity, health and system settings (op 2, module 2): every
// read answered from the system state, every write applied to it.
class SystemBlock final : public SimBlock
{
public:
    using Hook = std::function<void()>;

    explicit SystemBlock(SimModel &model);

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    void reset() override;

    // What the unit does beyond its state, done by whoever runs it: after a
    // network write (the unit may move), after a factory reset (it restarts).
    void setNetworkHook(Hook hook) { m_networkHook = std::move(hook); }
    void setRestartHook(Hook hook) { m_restartHook = std::move(hook); }

private:
    void write(const Proto::Frame &request);

    SimModel &m_model;
    Hook m_networkHook;
    Hook m_restartHook;
};

// Further settings (op 2, module 4): the code ID.
class Settings4Block final : public SimBlock
{
public:
    explicit Settings4Block(const SystemState &system) : m_system(system) {}

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    void reset() override {}

private:
    const SystemState &m_system;
};
