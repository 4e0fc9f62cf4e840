#pragma once

#include "sim/simmodel.h"

#include <QStringList>

// The channel names kept by the unit: 16 input names and 16 output names of
// 16 bytes, and 16 touch-screen input names of 10 bytes (op 2, module 3).
class LabelTables final
{
public:
    static constexpr quint8 Module = 3;
    enum Table : quint8
    {
        Inputs = 1,
        Outputs = 2,
        Panel = 3
    };

    LabelTables();

    // Installs the tables' request handler in the model.
    void install(SimModel &model);
    void handle(const Proto::Frame &request, QVector<SimModel::Answer> &out);

    // The stored bytes of one name (without the NUL filling).
    QByteArray label(Table table, int channel) const;
    void reset();

private:
    static int width(quint8 table) { return table == Panel ? 10 : 16; }

    QByteArray m_tables[3]; // 16 fields each, NUL-filled
};
