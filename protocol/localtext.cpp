#include "protocol/localtext.h"

#include <QTextCodec>

#include <cstring>

namespace LocalText {

namespace {
QTextCodec *codec()
{
    return QTextCodec::codecForLocale();
}
} // namespace

void installCodec()
{
    if (QTextCodec *gb = QTextCodec::codecForName("GB2312"))
        QTextCodec::setCodecForLocale(gb);
}

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
    QByteArray out = encode(text);
    int chars = text.size();
    while (out.size() > maxBytes && chars > 0) {
        --chars;
        // Never cut a surrogate pair in two.
        if (chars > 0 && text.at(chars).isLowSurrogate())
            --chars;
        out = encode(text.left(chars));
    }
    if (kept)
        *kept = text.left(chars);
    return out;
}

} // namespace LocalText
