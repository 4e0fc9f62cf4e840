#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QTextStream;

// Columns of text padded to their widest cell, for dapctl's tables. Cells
// are printed through printable(): a unit's names fill many of them.
class TextTable final
{
public:
    explicit TextTable(const QStringList &heading);
    void addRow(const QStringList &cells);
    void print(QTextStream &out) const;

private:
    QVector<QStringList> m_rows;
};
