#include "dapd/privatefile.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace PrivateFile {

bool read(const QString &path, qint64 maxBytes, QByteArray &out, QString &error)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        error = QStringLiteral("%1: no such file").arg(path);
        return false;
    }
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::WriteOther | QFileDevice::ExeOther;
    if (info.permissions() & others) {
        error = QStringLiteral("%1: readable by others than its owner; make it mode 0600 "
                               "(chmod 600 %1)")
                    .arg(path);
        return false;
    }
    if (info.ownerId() != uint(::geteuid())) {
        error = QStringLiteral("%1: owned by another user").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    out = file.read(maxBytes + 1);
    if (out.size() > maxBytes) {
        out.clear();
        error = QStringLiteral("%1: larger than %2 bytes").arg(path).arg(maxBytes);
        return false;
    }
    return true;
}

bool sameSecret(const QByteArray &a, const QByteArray &b)
{
    // Every byte of the longer text is looked at whatever the outcome.
    const int n = qMax(a.size(), b.size());
    unsigned diff = unsigned(a.size() ^ b.size());
    for (int i = 0; i < n; ++i) {
        const unsigned x = i < a.size() ? uchar(a[i]) : 0u;
        const unsigned y = i < b.size() ? uchar(b[i]) : 0u;
        diff |= x ^ y;
    }
    return diff == 0;
}

} // namespace PrivateFile
