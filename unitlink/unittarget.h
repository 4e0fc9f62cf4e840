#pragma once

#include <QHostAddress>
#include <QString>

struct broadcastMsg;

// A unit a client talks to: where it is reached and, when discovery found
// it, who it is. Clients name units as dapctl takes them: an IPv4 address,
// a device id or a serial number.
struct UnitTarget
{
    QHostAddress address;
    quint16 port = 0;
    quint32 machineid = 0; // 0: reached by address, identity not known
    QString serial;

    // "unit 1001 (127.0.0.1)" or "127.0.0.1".
    QString describe() const;

    // Whether `text` is a dotted IPv4 address.
    static bool isAddress(const QString &text);
    // Whether `text` names the announced unit by its device id or serial
    // number.
    static bool names(const QString &text, const broadcastMsg &record);
};
