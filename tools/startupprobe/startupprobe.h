#pragma once

#include <QApplication>

// The application object of the measuring programs (the program on loopback
// and the bare window it is compared with). With the probe switched on it
// writes to standard output, one line each:
//   "exposed <cpu_us>"  once the first expose of a top-level window has been
//                       handled (the window is painted), with the CPU time the
//                       process has used so far;
//   "ready <cpu_us>"    once the program has built everything it builds at
//                       start (markReady(); the expose when nobody waits);
//   "rss <kB>"          the resident memory `rssDelayMs` after that;
// and then quits. The caller times the lines from the moment it started the
// process, so every program is measured the same way.
class ProbeApplication final : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY(ProbeApplication)

public:
    ProbeApplication(int &argc, char **argv);

    // Takes "--probe" out of the arguments; true when it was there.
    static bool takeProbeOption(int &argc, char **argv);
    void setProbe(bool on, int rssDelayMs = 1000);
    // The program calls markReady() when its start is complete.
    void setWaitForReady(bool wait) { m_waitForReady = wait; }
    void markReady();

    bool notify(QObject *receiver, QEvent *event) override;

    // CPU time (user and system) of this process, in microseconds.
    static qint64 cpuMicroseconds();
    // VmRSS of this process, in kB (0 where it cannot be read).
    static qint64 residentKilobytes();

private:
    void reportReady();

    bool m_probe = false;
    bool m_exposed = false;
    bool m_waitForReady = false;
    bool m_ready = false;
    bool m_reported = false;
    int m_rssDelayMs = 1000;
};
