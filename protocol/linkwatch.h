#pragma once

#include <QObject>

// Tells when frames sent on the transmit path can reach a unit: there is a
// current socket and it is connected. Whatever only sends reads (the poll
// clock) runs while the link is up, so with no unit connected nothing wakes
// the program.
class LinkWatch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LinkWatch)

public:
    // The one watch of the transmit path.
    static LinkWatch *instance();

    bool isUp() const { return m_up; }

    // Called by the transmit path when the current socket or its state
    // changes.
    void update(bool up);

signals:
    void linkChanged(bool up);

private:
    LinkWatch() = default;
    bool m_up = false;
};
