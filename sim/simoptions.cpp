#include "sim/simoptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <cmath>

bool parseSimOptions(const QStringList &arguments, SimOptions &options, QString &error)
{
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Simulated digital audio processor: answers the control protocol on TCP and "
                       "announces itself on UDP, on loopback unless told otherwise."));
    p.addHelpOption();
    const QCommandLineOption bind(QStringLiteral("bind"),
                                  QStringLiteral("Address of the (first) unit."),
                                  QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("TCP port."),
                                  QStringLiteral("port"), QStringLiteral("2698"));
    const QCommandLineOption units(QStringLiteral("units"),
                                   QStringLiteral("Number of units, on consecutive addresses."),
                                   QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption password(QStringLiteral("password"),
                                      QStringLiteral("Login password (none: no login)."),
                                      QStringLiteral("text"));
    const QCommandLineOption announceTo(QStringLiteral("announce-to"),
                                        QStringLiteral("Address announcements go to."),
                                        QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption announcePort(QStringLiteral("announce-port"),
                                          QStringLiteral("UDP port of the announcements."),
                                          QStringLiteral("port"), QStringLiteral("6697"));
    const QCommandLineOption code(QStringLiteral("code"), QStringLiteral("Code of the unit."),
                                  QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption machineId(QStringLiteral("machine-id"),
                                       QStringLiteral("Machine id of the (first) unit."),
                                       QStringLiteral("n"), QStringLiteral("1001"));
    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("Model name."),
                                   QStringLiteral("text"), QStringLiteral("DAP-1616"));
    const QCommandLineOption sn(QStringLiteral("sn"), QStringLiteral("Serial number (first unit)."),
                                QStringLiteral("text"), QStringLiteral("SIM0000000001"));
    const QCommandLineOption split(QStringLiteral("split-answers"),
                                   QStringLiteral("Send answers in small pieces."));
    const QCommandLineOption junk(QStringLiteral("junk"),
                                  QStringLiteral("Junk bytes before every answer."),
                                  QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption refuse(QStringLiteral("refuse-connections"),
                                    QStringLiteral("Refuse TCP connections."));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Do not announce."));
    const QCommandLineOption fault(QStringLiteral("fault"), QStringLiteral("Fault byte to report."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption voltages(
        QStringLiteral("voltages"),
        QStringLiteral("Supply voltages to report: seven numbers (12V,-12V,5V,-5V,3.3V,2.5V,48V) "
                       "or \"null\" for a unit that reports none."),
        QStringLiteral("list"));
    const QCommandLineOption console(
        QStringLiteral("console"),
        QStringLiteral("Read control commands on standard input while running, one per line: "
                       "\"fault N\", \"voltages LIST|null\", \"reset\" (restart as after a "
                       "factory reset), \"drop\", \"junk N\", \"split on|off\", \"restart "
                       "[SECONDS]\" (off for SECONDS, then on), \"status\", \"help\". They "
                       "apply to every unit."));
    const QCommandLineOption commandPort(
        QStringLiteral("command-port"),
        QStringLiteral("UDP port on 127.0.0.1 for commands to the units (0: none)."),
        QStringLiteral("port"), QStringLiteral("6001"));
    const QCommandLineOption noAec(
        QStringLiteral("no-aec"),
        QStringLiteral("The units have no echo canceller: they report none and refuse its "
                       "commands (flag 0x82)."));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Start with the settings of a working installation (equalised "
                       "microphones, a mix on the main outputs, limiters, gates) instead of "
                       "the factory settings."));
    const QCommandLineOption firmwareSilent(
        QStringLiteral("firmware-silent-after"),
        QStringLiteral("Stop acknowledging firmware chunks after chunk n (a unit that goes "
                       "silent in the middle of an upgrade)."),
        QStringLiteral("n"), QStringLiteral("-1"));
    p.addOptions({bind,      port,     units,   password,    announceTo, announcePort,   code,
                  machineId, model,    sn,      split,       junk,       refuse,         silent,
                  fault,     voltages, console, commandPort, noAec,      firmwareSilent, demo});
    if (!p.parse(arguments)) {
        error = p.errorText();
        return false;
    }
    if (p.isSet(QStringLiteral("help"))) {
        error = p.helpText();
        return false;
    }

    bool ok = true;
    const auto number = [&](const QCommandLineOption &o, qint64 lo, qint64 hi) -> qint64 {
        bool good = false;
        const qint64 v = p.value(o).toLongLong(&good, 0);
        if (!good || v < lo || v > hi) {
            if (ok)
                error =
                    QStringLiteral("invalid value for --%1: %2").arg(o.names().first(), p.value(o));
            ok = false;
        }
        return v;
    };
    const QHostAddress first(p.value(bind));
    const QHostAddress target(p.value(announceTo));
    if (first.protocol() != QAbstractSocket::IPv4Protocol ||
        target.protocol() != QAbstractSocket::IPv4Protocol) {
        error = QStringLiteral("--bind and --announce-to take IPv4 addresses");
        return false;
    }
    const int count = int(number(units, 1, 254));
    SimUnitConfig base;
    base.port = quint16(number(port, 1, 65535));
    base.announceTo = target;
    base.announcePort = quint16(number(announcePort, 1, 65535));
    base.code = quint16(number(code, 0, 65535));
    base.password = p.value(password);
    base.model = p.value(model);
    base.aec = !p.isSet(noAec);
    const quint32 id = quint32(number(machineId, 0, 0xFFFFFFFFLL));
    options.faults.splitAnswers = p.isSet(split);
    options.faults.junkBytes = int(number(junk, 0, 65536));
    options.refuseConnections = p.isSet(refuse);
    options.silent = p.isSet(silent);
    options.faultByte = quint8(number(fault, 0, 255));
    options.commandPort = quint16(number(commandPort, 0, 65535));
    options.console = p.isSet(console);
    options.demo = p.isSet(demo);
    if (ok && p.isSet(voltages)) {
        std::array<float, 7> volts{};
        if (!parseVoltages(p.value(voltages), volts, options.voltagesRefused)) {
            error = QStringLiteral("invalid value for --voltages: %1").arg(p.value(voltages));
            ok = false;
        } else if (!options.voltagesRefused) {
            options.voltages = volts;
        }
    }
    options.firmwareSilentAfter = int(number(firmwareSilent, -1, 65535));
    if (!ok)
        return false;

    for (int i = 0; i < count; ++i) {
        SimUnitConfig c = base;
        c.bind = QHostAddress(first.toIPv4Address() + quint32(i));
        c.machineId = id + quint32(i);
        c.sn = i == 0 ? p.value(sn) : QStringLiteral("%1-%2").arg(p.value(sn)).arg(i + 1);
        options.units.append(c);
    }
    return true;
}

bool parseVoltages(const QString &text, std::array<float, 7> &volts, bool &refused)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0) {
        refused = true;
        return true;
    }
    const QStringList parts =
        t.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    if (parts.size() != int(volts.size()))
        return false;
    std::array<float, 7> values{};
    for (int i = 0; i < parts.size(); ++i) {
        bool good = false;
        values[size_t(i)] = parts[i].toFloat(&good);
        if (!good || !std::isfinite(values[size_t(i)]))
            return false;
    }
    volts = values;
    refused = false;
    return true;
}
