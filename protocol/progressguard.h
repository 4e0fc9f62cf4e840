#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QTimer;

// The progress of the one paced transfer that may run at a time (a firmware
// upgrade, a preset export or import, a preset recall), without any widget: the
// main window shows it in its progress dialog, a command-line tool may print it.
//
// A transfer starts the progress as its owner, steps it with every piece it
// sends and finishes it when it is done. Only the owner may step or finish it,
// so a transfer that was displaced, cancelled or timed out cannot move another
// transfer's progress, and its late answers send nothing.
//
// The watchdog: when the owner has not stepped for interval() ms (2000 unless
// set otherwise), the progress ends and timedOut() tells whoever shows it that
// the transfer did not finish.
class ProgressGuard final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ProgressGuard)

public:
    static constexpr int DefaultInterval = 2000;

    explicit ProgressGuard(QObject *parent = nullptr);

    // Makes `owner` the active transfer (displacing any other) with the label
    // and a range of 0..maximum at value 0, and starts the watchdog.
    void start(QObject *owner, const QString &label, qint64 maximum);
    // False when `owner` is not the active transfer or the operator cancelled;
    // otherwise shows `value`, restarts the watchdog and returns true.
    bool step(QObject *owner, qint64 value);
    // Ends the progress when `owner` is the active transfer.
    void finish(QObject *owner);
    // The operator cancelled: the owner's next step answers false.
    void cancel();

    bool isActive(const QObject *owner) const;
    bool isRunning() const { return m_running && !m_cancelled; }
    QString label() const { return m_label; }
    qint64 maximum() const { return m_maximum; }
    qint64 value() const { return m_value; }

    int interval() const;
    void setInterval(int ms);

signals:
    void started(const QString &label, qint64 maximum);
    void valueChanged(qint64 value);
    // The progress ended (finished, cancelled or timed out).
    void ended();
    // The watchdog ended the transfer of `owner` before it finished.
    void timedOut(QObject *owner);

private:
    void release();
    void watchdogFired();

    QPointer<QObject> m_owner;
    bool m_running = false;
    bool m_cancelled = false;
    QString m_label;
    qint64 m_maximum = 0;
    qint64 m_value = 0;
    QTimer *m_watchdog;
};
