#pragma once

#include "protocol/commands.h"
#include "sim/simblock.h"

#include <QStringList>

// The channel names kept by the unit: 16 input names and 16 output names of
// 16 bytes, and 16 touch-screen input names of 10 bytes (op 2, module 3).
class LabelTables final : public SimBlock
{
public:
    static constexpr quint8 Module = Proto::SysModule::Labels;
    enum Table : quint8
    {
        Inputs = Proto::LabelCmd::Inputs,
        Outputs = Proto::LabelCmd::Outputs,
        Panel = Proto::LabelCmd::Panel
    };

    LabelTables();

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;

    // The stored bytes of one name (without the NUL filling).
    QByteArray label(Table table, int channel) const;
    void reset() override;

private:
    static int width(quint8 table) { return table == Panel ? 10 : 16; }

    QByteArray m_tables[3]; // 16 fields each, NUL-filled
};
