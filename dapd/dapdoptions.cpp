#include "dapd/dapdoptions.h"

#include "unitlink/unittarget.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A whole number in [low, high], checked before it is converted.
bool number(const QString &text, int low, int high, int &out)
{
    if (text.isEmpty() || text.size() > 5)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const int n = text.toInt();
    if (n < low || n > high)
        return false;
    out = n;
    return true;
}

} // namespace

bool DapdOptions::parseEndpoint(const QString &text, QHostAddress &address, quint16 &port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    else if (host.contains(QLatin1Char(':')))
        return false;
    int p = 0;
    if (!number(text.mid(colon + 1), 0, 65535, p))
        return false;
    if (host == QLatin1String("localhost"))
        host = QStringLiteral("127.0.0.1");
    const QHostAddress a(host);
    if (a.isNull() ||
        (a.protocol() == QAbstractSocket::IPv4Protocol && !UnitTarget::isAddress(host)))
        return false;
    address = a;
    port = quint16(p);
    return true;
}

DapdOptions::Parsed DapdOptions::parse(const QStringList &args, QString &error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const auto value = [&](QString &out) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("%1 needs a value").arg(arg);
                return false;
            }
            out = args[++i];
            return true;
        };
        QString v;
        int n = 0;
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help"))
            return Parsed::Help;
        if (arg == QLatin1String("--version"))
            return Parsed::Version;
        if (arg == QLatin1String("--no-discovery")) {
            discovery = false;
        } else if (arg == QLatin1String("--no-line")) {
            lineEnabled = false;
        } else if (arg == QLatin1String("--listen") || arg == QLatin1String("--line-listen")) {
            if (!value(v))
                return Parsed::Error;
            const bool line = arg == QLatin1String("--line-listen");
            if (!parseEndpoint(v, line ? lineAddress : listenAddress,
                               line ? linePort : listenPort)) {
                error = QStringLiteral("%1: \"%2\" is not ADDR:PORT (127.0.0.1:%3)")
                            .arg(arg, v)
                            .arg(line ? DefaultLinePort : DefaultPort);
                return Parsed::Error;
            }
            if (line)
                lineEnabled = true;
        } else if (arg == QLatin1String("--unit")) {
            if (!value(v))
                return Parsed::Error;
            if (!UnitTarget::isAddress(v)) {
                error = QStringLiteral("--unit: \"%1\" is not an IPv4 address").arg(v);
                return Parsed::Error;
            }
            if (units.size() >= MaxUnits) {
                error = QStringLiteral("--unit: at most %1 units").arg(MaxUnits);
                return Parsed::Error;
            }
            units.append(QHostAddress(v));
        } else if (arg == QLatin1String("--unit-port") || arg == QLatin1String("--announce-port") ||
                   arg == QLatin1String("--code")) {
            if (!value(v))
                return Parsed::Error;
            if (!number(v, arg == QLatin1String("--code") ? 0 : 1, 65535, n)) {
                error = QStringLiteral("%1: \"%2\" is not a number 1..65535").arg(arg, v);
                return Parsed::Error;
            }
            (arg == QLatin1String("--unit-port")       ? unitPort
             : arg == QLatin1String("--announce-port") ? announcePort
                                                       : code) = quint16(n);
        } else if (arg == QLatin1String("--bind")) {
            if (!value(v))
                return Parsed::Error;
            if (!UnitTarget::isAddress(v)) {
                error = QStringLiteral("--bind: \"%1\" is not an IPv4 address").arg(v);
                return Parsed::Error;
            }
            bind = QHostAddress(v);
        } else if (arg == QLatin1String("--config")) {
            if (!value(configFile))
                return Parsed::Error;
        } else {
            error = QStringLiteral("unknown option \"%1\" (dapd --help lists them)").arg(arg);
            return Parsed::Error;
        }
    }
    return Parsed::Run;
}

QString DapdOptions::helpText()
{
    return QStringLiteral(
               "Usage: dapd [OPTION]...\n"
               "The control server for the audio matrix processors: a WebSocket API (JSON-RPC "
               "2.0) and a line protocol for control systems and home automation, on one "
               "logged-in connection per unit.\n\n"
               "  --listen ADDR:PORT       the WebSocket API (default 127.0.0.1:%1)\n"
               "  --line-listen ADDR:PORT  the line protocol (default 127.0.0.1:%2)\n"
               "  --no-line                no line protocol\n"
               "  --unit ADDR              a unit reached by address besides those that "
               "announce themselves (repeatable)\n"
               "  --unit-port PORT         the units' TCP port (default %3)\n"
               "  --announce-port PORT     the UDP port of announcements (default %4)\n"
               "  --bind ADDR              hear announcements on this address only\n"
               "  --no-discovery           only the units given with --unit\n"
               "  --code N                 the code of the units (default 1)\n"
               "  --config FILE            unit passwords, the token file and TLS (default "
               "~/.config/dapd/dapd.json when it exists)\n"
               "  -h, --help               this text\n"
               "  --version                the version\n\n"
               "Listening on an address other than loopback needs a token file; every client "
               "then presents the token. Unit passwords come from the configuration file or, "
               "for every unit, from DAPD_PASSWORD. See dapd(1).\n")
        .arg(DefaultPort)
        .arg(DefaultLinePort)
        .arg(DiscoveryScope().unitPort)
        .arg(DiscoveryScope().announcePort);
}

DiscoveryScope DapdOptions::discoveryScope() const
{
    return DiscoveryScope::forTool(bind, announcePort, unitPort);
}

QString DapdOptions::configPath() const
{
    if (!configFile.isEmpty())
        return configFile;
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/dapd/dapd.json");
    return QFileInfo::exists(path) ? path : QString();
}
