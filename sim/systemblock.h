#pragma once

#include "sim/simblock.h"

class SimModel;
struct SystemState;

// The unit's identity, health and system settings (op 2, module 2): every
// read answered from the system state, every write applied to it.
class SystemBlock final : public SimBlock
{
public:
    explicit SystemBlock(SimModel &model);

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    void reset() override;

private:
    void write(const Proto::Frame &request);

    SimModel &m_model;
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
