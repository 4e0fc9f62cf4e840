#pragma once

#include "sim/simblock.h"

#include <array>

class SimModel;

// The input noise gates (module 2): per channel a 13-byte record (enable,
// threshold, attack, decay), read and written one channel at a time, and the
// open state of all 16 gates. A gate opens while its input's level lies above
// its threshold and closes once the level has stayed below it for the decay
// time; a switched-off gate stays closed.
class GateBlock final : public SimBlock
{
public:
    static constexpr int Channels = 16;
    static constexpr int RecordSize = 13;

    struct Record
    {
        quint8 enable = 1;
        float threshold = -65.0f;
        float attack = 1.0f;
        float decay = 20.0f;
    };

    explicit GateBlock(const SimModel &model);

    const Record &record(int channel) const { return m_records[size_t(channel)]; }
    void setRecord(int channel, const Record &record);
    // The gates' open states now, as the state read reports them.
    QByteArray openStates();

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override;
    bool restoreState(const QByteArray &state) override;
    void reset() override;

private:
    static QByteArray encode(const Record &record);
    // False when the bytes do not make a record (a float not finite).
    static bool decode(const QByteArray &bytes, Record &record);

    const SimModel &m_model;
    std::array<Record, Channels> m_records{};
    std::array<double, Channels> m_lastAbove{}; // seconds; when the level last lay above
};
