#include "protocol/localtext.h"

#include <QTextCodec>

#include <cstring>

namespace LocalText {

namespace {
QTextCodec *codec()
{
    static QTextCodec *const c = [] {
        QTextCodec *gb = QTextCodec::codecForName("GB2312");
        return gb ? gb : QTextCodec::codecForName("ISO-8859-1");
    }();
    return c;
}
} // namespace

QByteArray encode(const QString &text)
{
    return codec()->fromUnicode(text);
}

QString decode(const QByteArray &bytes)
{
    return codec()->toUnicode(bytes);
}

QString decodeField(const char *field, int width)
{
    if (width <= 0)
        return QString();
    const void *nul = std::memchr(field, 0, size_t(width));
    const int len = nul ? int(static_cast<const char *>(nul) - field) : width;
    return codec()->toUnicode(field, len);
}

QString decodeField(const QByteArray &bytes, int offset, int width)
{
    if (offset < 0 || offset >= bytes.size())
        return QString();
    return decodeField(bytes.constData() + offset, qMin(width, bytes.size() - offset));
}

QByteArray encodeFitting(const QString &text, int maxBytes, QString *kept)
{
    // GB2312 keeps no state between characters, so the text's bytes are the
    // characters' bytes one after the other: each character is encoded once,
    // and the first one that does not fit ends the text.
    QByteArray out;
    const QChar *chars = text.constData();
    const int size = text.size();
    int taken = 0;
    while (taken < size) {
        // A surrogate pair is one character.
        const int width =
            chars[taken].isHighSurrogate() && taken + 1 < size && chars[taken + 1].isLowSurrogate()
                ? 2
                : 1;
        const QByteArray bytes = codec()->fromUnicode(chars + taken, width);
        if (out.size() + bytes.size() > maxBytes)
            break;
        out += bytes;
        taken += width;
    }
    if (kept)
        *kept = text.left(taken);
    return out;
}

int maxInputLength(int fieldBytes)
{
    return 4 * qMax(0, fieldBytes);
}

} // namespace LocalText
