#pragma once

#include "sim/simblock.h"

class SimModel;

// The input or output filter block (modules 4 and 12): per channel a
// high-pass and a low-pass record of 7 bytes and 16 band records of 11
// bytes, kept as the unit sends them. Copy writes the channel's records to
// every channel of the two masks (inputs to the input filter block, outputs
// to the output filter block); reset restores one channel's defaults.
class FilterBlock final : public SimBlock
{
public:
    static constexpr int Channels = 16;
    static constexpr int Bands = 16;
    static constexpr int CutSize = 7;
    static constexpr int BandSize = 11;
    static constexpr int ChannelSize = 2 * CutSize + Bands * BandSize;

    FilterBlock(quint8 module, const SimModel &model);

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override;
    bool restoreState(const QByteArray &state) override;
    void reset() override;

    // The stored records, for tests and for copying.
    QByteArray highPass(int channel) const;
    QByteArray lowPass(int channel) const;
    QByteArray band(int channel, int band) const;
    // Every record of one channel: high-pass, low-pass, bands 0..15.
    QByteArray channelRecords(int channel) const;
    void setChannelRecords(int channel, const QByteArray &records);

private:
    static QByteArray defaults();
    int offsetOf(quint8 cmd, int channel, int band) const;
    void copy(int source, quint16 inputMask, quint16 outputMask);

    quint8 m_module;
    const SimModel &m_model;
    QByteArray m_state; // Channels x ChannelSize
};
