#pragma once

#include <QHostAddress>
#include <QString>

// A unit dapctl talks to: where it is reached and, when discovery found it,
// who it is.
struct UnitTarget
{
    QHostAddress address;
    quint16 port = 0;
    quint32 machineid = 0; // 0: reached by address, identity not known
    QString serial;

    // "unit 1001 (127.0.0.1)" or "127.0.0.1".
    QString describe() const;
};
