#pragma once

#include "sim/simblock.h"

// Receives one firmware (op 1, module 1 ARM or 2 DSP) chunk by chunk and
// acknowledges every chunk with its index. Chunk 0 starts a new image; a
// chunk may be sent again, but one past the next expected is ignored.
class FirmwareBlock final : public SimBlock
{
public:
    explicit FirmwareBlock(quint8 module) : m_module(module) {}

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    void reset() override {}

    QByteArray image() const { return m_image; }
    // A unit that goes silent in the middle of an upgrade: chunks after
    // `lastChunk` are neither stored nor acknowledged (-1: acknowledge all).
    void stopAcknowledgingAfter(int lastChunk) { m_lastAcknowledged = lastChunk; }

private:
    quint8 m_module;
    QByteArray m_image;
    int m_lastAcknowledged = -1;
};
