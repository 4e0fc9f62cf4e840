#include "tools/startupprobe/startupprobe.h"

#include <QFile>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstring>

#include <sys/resource.h>

ProbeApplication::ProbeApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool ProbeApplication::takeProbeOption(int &argc, char **argv)
{
    bool found = false;
    int out = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--probe") == 0)
            found = true;
        else
            argv[out++] = argv[i];
    }
    argc = out;
    argv[argc] = nullptr;
    return found;
}

void ProbeApplication::setProbe(bool on, int rssDelayMs)
{
    m_probe = on;
    m_rssDelayMs = rssDelayMs;
}

bool ProbeApplication::notify(QObject *receiver, QEvent *event)
{
    const bool result = QApplication::notify(receiver, event);
    // Checked after delivery: handling the first expose paints the window.
    if (m_probe && !m_exposed && event->type() == QEvent::Expose) {
        const auto *window = qobject_cast<QWindow *>(receiver);
        if (window && window->isTopLevel() && window->isExposed()) {
            m_exposed = true;
            std::printf("exposed %lld\n", static_cast<long long>(cpuMicroseconds()));
            std::fflush(stdout);
            if (!m_waitForReady || m_ready)
                reportReady();
        }
    }
    return result;
}

void ProbeApplication::markReady()
{
    m_ready = true;
    if (m_probe && m_exposed)
        reportReady();
}

void ProbeApplication::reportReady()
{
    if (m_reported)
        return;
    m_reported = true;
    std::printf("ready %lld\n", static_cast<long long>(cpuMicroseconds()));
    std::fflush(stdout);
    QTimer::singleShot(m_rssDelayMs, this, [] {
        std::printf("rss %lld\n", static_cast<long long>(residentKilobytes()));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}

qint64 ProbeApplication::cpuMicroseconds()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    const auto us = [](const timeval &t) { return qint64(t.tv_sec) * 1000000 + t.tv_usec; };
    return us(usage.ru_utime) + us(usage.ru_stime);
}

qint64 ProbeApplication::residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    // Files in /proc have no size: read them whole rather than to atEnd().
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines)
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}
