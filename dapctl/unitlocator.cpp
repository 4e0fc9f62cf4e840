#include "dapctl/unitlocator.h"

#include "devices/discoverylistener.h"
#include "protocol/transport.h"

#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>

UnitLocator::UnitLocator(const CtlOptions &options) : m_options(options) {}

bool UnitLocator::isAddress(const QString &text)
{
    static const QRegularExpression dotted(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}$"));
    return dotted.match(text).hasMatch() &&
           QHostAddress(text).protocol() == QAbstractSocket::IPv4Protocol;
}

bool UnitLocator::listen(int ms, const std::function<bool(const broadcastMsg &)> &stop,
                         QVector<broadcastMsg> &found, QString &error) const
{
    // The listener takes the units of the program's code.
    setCodeId(m_options.code);
    DiscoveryListener listener(m_options.discoveryScope());
    listener.openSockets();
    if (listener.socketCount() == 0) {
        error = QStringLiteral("cannot listen for announcements on UDP port %1")
                    .arg(m_options.announcePort);
        return false;
    }
    QEventLoop loop;
    QObject::connect(&listener, &DiscoveryListener::announcement, &loop,
                     [&](const broadcastMsg &record) {
                         bool known = false;
                         for (broadcastMsg &m : found)
                             if (m.machineid == record.machineid) {
                                 m = record;
                                 known = true;
                             }
                         if (!known)
                             found.append(record);
                         if (stop && stop(record))
                             loop.quit();
                     });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return true;
}

std::optional<UnitTarget> UnitLocator::resolve(const QString &text, QString &error) const
{
    UnitTarget target;
    target.port = m_options.port;
    if (isAddress(text)) {
        target.address = QHostAddress(text);
        return target;
    }
    bool numeric = false;
    const quint32 id = text.toUInt(&numeric);
    const auto matches = [&](const broadcastMsg &m) {
        return (numeric && m.machineid == id) || (!text.isEmpty() && m.sn == text);
    };
    QVector<broadcastMsg> found;
    if (!listen(m_options.timeoutMs, matches, found, error))
        return std::nullopt;
    for (const broadcastMsg &m : qAsConst(found)) {
        if (!matches(m))
            continue;
        target.address = QHostAddress(m.ipaddress);
        target.machineid = m.machineid;
        target.serial = m.sn;
        return target;
    }
    error = QStringLiteral("no unit with the device id or serial number \"%1\" announced itself "
                           "within %2 s")
                .arg(text)
                .arg(m_options.timeoutMs / 1000.0);
    return std::nullopt;
}
