#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a signal of the event loop, so a command that
// runs until interrupted (the trace) ends cleanly: its link closed, its
// output flushed. The handlers are the process's while the object lives.
class InterruptWatcher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(InterruptWatcher)

public:
    explicit InterruptWatcher(QObject *parent = nullptr);
    ~InterruptWatcher() override;

signals:
    void interrupted();

private:
    QSocketNotifier *m_notifier = nullptr;
};
