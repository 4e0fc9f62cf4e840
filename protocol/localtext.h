#pragma once

#include <QByteArray>
#include <QString>

// Text exchanged with the unit (labels, names, location, ...) travels in the
// application's local 8-bit codec, which start-up sets to GB2312.
namespace LocalText {

// Installs GB2312 as the codec for the locale. Start-up, the simulated unit and
// tests call it so that all of them read and write the same bytes.
void installCodec();

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// Decodes a fixed-width field: the text ends at its first NUL byte or at the
// field's width, whichever comes first. Reads nothing past `available` bytes.
QString decodeField(const char *field, int width);
QString decodeField(const QByteArray &bytes, int offset, int width);

// Encodes `text` and cuts it to the longest prefix of whole characters whose
// encoded form fits `maxBytes`. `kept` receives the characters that were kept.
QByteArray encodeFitting(const QString &text, int maxBytes, QString *kept = nullptr);

} // namespace LocalText
