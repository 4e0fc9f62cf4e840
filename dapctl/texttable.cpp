#include "dapctl/texttable.h"

#include "unitlink/printable.h"

#include <QTextStream>

TextTable::TextTable(const QStringList &heading)
{
    m_rows.append(heading);
}

void TextTable::addRow(const QStringList &cells)
{
    QStringList shown;
    for (const QString &cell : cells)
        shown.append(printable(cell));
    m_rows.append(shown);
}

void TextTable::print(QTextStream &out) const
{
    QVector<int> widths;
    for (const QStringList &row : m_rows)
        for (int i = 0; i < row.size(); ++i) {
            if (widths.size() <= i)
                widths.append(0);
            widths[i] = qMax(widths[i], int(row[i].size()));
        }
    for (const QStringList &row : m_rows) {
        QString line;
        for (int i = 0; i < row.size(); ++i)
            line += i + 1 < row.size() ? row[i].leftJustified(widths[i] + 2) : row[i];
        out << line.trimmed() << '\n';
    }
}
