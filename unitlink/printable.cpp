#include "unitlink/printable.h"

namespace {
bool isControl(ushort c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}
} // namespace

QString printable(const QString &text)
{
    // Most texts hold no control character: they are returned as they are.
    int first = 0;
    while (first < text.size() && !isControl(text.at(first).unicode()))
        ++first;
    if (first == text.size())
        return text;
    QString out = text.left(first);
    out.reserve(text.size() + 8);
    for (int i = first; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (!isControl(c)) {
            out += text.at(i);
        } else if (c == '\n') {
            out += QLatin1String("\\n");
        } else if (c == '\r') {
            out += QLatin1String("\\r");
        } else if (c == '\t') {
            out += QLatin1String("\\t");
        } else {
            out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        }
    }
    return out;
}
