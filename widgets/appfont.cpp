#include "widgets/appfont.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtMath>

namespace {
QString &fontFamilyStorage()
{
    static QString family;
    return family;
}
} // namespace

QString currentFontFamily()
{
    return fontFamilyStorage();
}

void setCurrentFontFamily(const QString &family)
{
    fontFamilyStorage() = family;
}

QFont appFont(int pointSize, bool bold)
{
    QFont font = QApplication::font();
    const QString family = currentFontFamily();
    if (!family.isEmpty())
        font.setFamily(family);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

int lineSlack(const QFont &font)
{
    const int needed = qCeil(QFontInfo(font).pixelSize() * 1.2);
    return qMax(0, QFontMetrics(font).height() - needed);
}
