#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Tells whether another instance of this program runs for the same user and the
// same executable. It never talks to the other instance. A lock left behind by
// a crashed instance is recognised (its process is gone) and taken over.
class SingleInstance final
{
public:
    explicit SingleInstance(const QString &executablePath);
    ~SingleInstance();

    bool isRunning();

    // Where the lock of an executable lives (tests look at it).
    static QString lockFilePath(const QString &executablePath);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_checked = false;
    bool m_running = false;
};
