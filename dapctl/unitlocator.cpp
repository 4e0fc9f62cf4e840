#include "dapctl/unitlocator.h"

#include "devices/discoverylistener.h"
#include "protocol/transport.h"

#include <QEventLoop>
#include <QTimer>

UnitLocator::UnitLocator(const CtlOptions &options) : m_options(options) {}

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
    if (UnitTarget::isAddress(text)) {
        target.address = QHostAddress(text);
        return target;
    }
    const auto matches = [&](const broadcastMsg &m) { return UnitTarget::names(text, m); };
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
