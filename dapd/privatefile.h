#pragma once

#include <QByteArray>
#include <QString>

// Files that hold secrets (the configuration with the units' passwords, the
// token file): read only when they are regular files that their owner, the
// user running the server, alone may read or write (mode 0600 or 0400), and
// only up to `maxBytes`. Their content never reaches a message.
namespace PrivateFile {

bool read(const QString &path, qint64 maxBytes, QByteArray &out, QString &error);

// Compares a secret in time independent of where the texts differ.
bool sameSecret(const QByteArray &a, const QByteArray &b);

} // namespace PrivateFile
