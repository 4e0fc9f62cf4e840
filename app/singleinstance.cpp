#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

QString SingleInstance::lockFilePath(const QString &executablePath)
{
    // One lock per user and per executable, as the default identity of a
    // single-application guard is.
    const QString canonical = QFileInfo(executablePath).canonicalFilePath();
    const QByteArray key = QCryptographicHash::hash(
        (canonical.isEmpty() ? executablePath : canonical).toUtf8(), QCryptographicHash::Sha1);
    return QDir::temp().filePath(QStringLiteral("dapcontrol-%1-%2.lock")
                                     .arg(uint(getuid()))
                                     .arg(QString::fromLatin1(key.toHex().left(16))));
}

SingleInstance::SingleInstance(const QString &executablePath)
    : m_lock(std::make_unique<QLockFile>(lockFilePath(executablePath)))
{
    // Never stale by age: only a lock whose process has gone is taken over.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::isRunning()
{
    if (!m_checked) {
        m_checked = true;
        m_running = !m_lock->tryLock(0);
    }
    return m_running;
}
