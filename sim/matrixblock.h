#pragma once

#include "sim/simblock.h"

#include <array>

// The matrix mixer of the simulated unit (op 3, module 8): for every output
// and input whether the input is routed to the output, and the crosspoint's
// gain in whole dB.
//
// Reads name one output and are answered with the output byte and its 16
// values. Writes name one output, any number of its inputs and one value for
// all of them; a write with an output or input out of range changes nothing.
class MatrixBlock final : public SimBlock
{
public:
    static constexpr int Channels = 16;

    MatrixBlock();

    bool isOn(int output, int input) const;
    qint8 gain(int output, int input) const;
    void setOn(int output, int input, bool on);
    void setGain(int output, int input, qint8 gain);

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    QByteArray saveState() const override;
    bool restoreState(const QByteArray &state) override;
    // Each input routed to the output of the same number, at 0 dB.
    void reset() override;

private:
    static bool inRange(int output, int input);

    std::array<std::array<quint8, Channels>, Channels> m_on{}; // [output][input]
    std::array<std::array<qint8, Channels>, Channels> m_gain{};
};
