#include "unitlink/unittarget.h"

#include "devices/broadcastmsg.h"

#include <QRegularExpression>

QString UnitTarget::describe() const
{
    if (machineid == 0)
        return address.toString();
    return QStringLiteral("unit %1 (%2)").arg(machineid).arg(address.toString());
}

bool UnitTarget::isAddress(const QString &text)
{
    static const QRegularExpression dotted(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}$"));
    return dotted.match(text).hasMatch() &&
           QHostAddress(text).protocol() == QAbstractSocket::IPv4Protocol;
}

bool UnitTarget::names(const QString &text, const broadcastMsg &record)
{
    bool numeric = false;
    const quint32 id = text.toUInt(&numeric);
    return (numeric && record.machineid == id) || (!text.isEmpty() && record.sn == text);
}
