#pragma once

#include <QObject>

class QTimer;

// A repeating timer behind a small interface: a QTimer in the program, and a
// timer that tests advance by hand, so that a two-minute repeat is tested
// without waiting two minutes.
class RepeatTimer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(RepeatTimer)

public:
    explicit RepeatTimer(QObject *parent = nullptr);
    ~RepeatTimer() override;

    // (Re)starts: timeout() every `intervalMs` from now on.
    virtual void start(int intervalMs);
    virtual void stop();
    virtual bool isActive() const;

signals:
    void timeout();

private:
    QTimer *m_timer;
};
