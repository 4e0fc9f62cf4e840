#pragma once

#include "sim/simblock.h"

#include <array>

// A block whose parameters are one fixed-size record per channel: a read
// (channel byte) is answered with the channel byte and that channel's record,
// a write (channel byte, record) replaces the record, and a reset (channel
// byte) puts the channel back to its defaults. What a copy reaches differs
// between blocks, so each block handles its copy itself.
class RecordBlock : public SimBlock
{
public:
    static constexpr int Channels = 16;

    struct Commands
    {
        quint8 record;
        quint8 copy;
        quint8 reset;
    };

    RecordBlock(quint8 module, Commands commands, QByteArray defaults);

    int recordSize() const { return int(m_defaults.size()); }
    // The record of a channel 0..15 (empty for another channel).
    QByteArray record(int channel) const;
    // Replaces a channel's record; a wrong channel or size changes nothing.
    void setRecord(int channel, const QByteArray &record);

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override;
    bool restoreState(const QByteArray &state) override;
    void reset() override;

protected:
    // A copy write: the payload begins with the source channel, then the masks.
    virtual void copy(const QByteArray &payload) = 0;

private:
    quint8 m_module;
    Commands m_commands;
    QByteArray m_defaults;
    std::array<QByteArray, Channels> m_records;
};
