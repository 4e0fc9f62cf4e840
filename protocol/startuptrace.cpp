#include "protocol/startuptrace.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QObject>

#include <cstdio>
#include <ctime>

#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

Q_LOGGING_CATEGORY(lcStartup, "dap.startup", QtInfoMsg)

namespace {

QElapsedTimer &startClock()
{
    static QElapsedTimer timer;
    return timer;
}

qint64 g_last = 0;    // nanoseconds at the previous mark
qint64 g_lastCpu = 0; // CPU nanoseconds of the process at the previous mark

// CPU time of the process: on a loaded machine it tells more than the clock.
qint64 cpuNanoseconds()
{
    timespec t{};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t) != 0)
        return 0;
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Marks a phase once an event of one type has been handled by its receiver.
class FirstEventWatch final : public QObject
{
public:
    FirstEventWatch(QObject *object, QEvent::Type type, const char *phase)
        : QObject(object), m_type(type), m_phase(phase)
    {
        object->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == m_type && !m_seen) {
            m_seen = true;
            // Marked once the receiver has handled it (the window painted).
            QMetaObject::invokeMethod(
                this,
                [this, watched] {
                    StartupTrace::mark(m_phase);
                    watched->removeEventFilter(this);
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QEvent::Type m_type;
    const char *m_phase;
    bool m_seen = false;
};

// Resident memory of the process in MB (0 where it cannot be read).
double residentMegabytes()
{
    long pages = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        long size = 0;
        if (std::fscanf(f, "%ld %ld", &size, &pages) != 2)
            pages = 0;
        std::fclose(f);
    }
    return double(pages) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Bytes of heap in use, in MB: unlike the resident size it does not count the
// libraries a phase maps (0 where the C library cannot tell).
double heapMegabytes()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
#else
    return 0;
#endif
}

} // namespace

void StartupTrace::start()
{
    startClock().start();
    g_last = 0;
    g_lastCpu = cpuNanoseconds();
}

bool StartupTrace::isEnabled()
{
    return lcStartup().isDebugEnabled() && startClock().isValid();
}

void StartupTrace::mark(const char *phase)
{
    if (!lcStartup().isDebugEnabled() || !startClock().isValid())
        return;
    const qint64 now = startClock().nsecsElapsed();
    const qint64 cpu = cpuNanoseconds();
    qCDebug(lcStartup, "%7.1f ms (+%5.1f, cpu +%5.1f) %6.1f MB, heap %5.1f MB  %s",
            double(now) / 1e6, double(now - g_last) / 1e6, double(cpu - g_lastCpu) / 1e6,
            residentMegabytes(), heapMegabytes(), phase);
    g_last = now;
    g_lastCpu = cpu;
}

void StartupTrace::markFirstEvent(QObject *object, QEvent::Type type, const char *phase)
{
    if (object && lcStartup().isDebugEnabled())
        new FirstEventWatch(object, type, phase);
}
