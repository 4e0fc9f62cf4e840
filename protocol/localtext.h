#pragma once

#include <QByteArray>
#include <QString>

// Text exchanged with the unit (labels, names, location, ...) travels in
// GB2312. The codec is this module's own: the process keeps the locale's
// codec, through which Qt converts file names, the command line and the
// terminal's text.
namespace LocalText {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// Decodes a fixed-width field: the text ends at its first NUL byte or at the
// field's width, whichever comes first. Reads nothing past `available` bytes.
QString decodeField(const char *field, int width);
QString decodeField(const QByteArray &bytes, int offset, int width);

// Encodes `text` and cuts it to the longest prefix of whole characters whose
// encoded form fits `maxBytes`. `kept` receives the characters that were kept.
// The work is bounded by `maxBytes`, not by the length of `text`.
QByteArray encodeFitting(const QString &text, int maxBytes, QString *kept = nullptr);

// The longest text taken from outside (a command line, a file) for a field of
// `fieldBytes` bytes. A longer one is refused rather than cut: a text this far
// beyond its field is a mistake, not a name.
int maxInputLength(int fieldBytes);

} // namespace LocalText
