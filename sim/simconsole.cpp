#include "sim/simconsole.h"

#include "sim/simoptions.h"
#include "sim/simunit.h"

#include <QSocketNotifier>
#include <QTextStream>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

SimConsole::SimConsole(QObject *parent) : QObject(parent) {}

SimConsole::~SimConsole() = default;

void SimConsole::addUnit(SimUnit *unit)
{
    m_units.append(unit);
}

bool SimConsole::start()
{
#ifdef Q_OS_UNIX
    m_notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SimConsole::readInput);
    return true;
#else
    return false;
#endif
}

void SimConsole::readInput()
{
#ifdef Q_OS_UNIX
    char buf[512];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
        m_notifier->setEnabled(false); // end of input: the units run on
        return;
    }
    m_pending.append(buf, int(n));
    int end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromLocal8Bit(m_pending.left(end));
        m_pending.remove(0, end + 1);
        QTextStream(stdout) << execute(line) << Qt::endl;
    }
    if (m_pending.size() > 4096)
        m_pending.clear(); // not a command
#endif
}

QString SimConsole::execute(const QString &line)
{
    const QString text = line.trimmed();
    const int blank = text.indexOf(QLatin1Char(' '));
    const QString command = text.left(blank < 0 ? text.size() : blank).toLower();
    const QString argument = blank < 0 ? QString() : text.mid(blank + 1).trimmed();
    if (command.isEmpty())
        return QString();
    if (command == QLatin1String("fault")) {
        bool ok = false;
        const uint fault = argument.toUInt(&ok, 0);
        if (!ok || fault > 255)
            return QStringLiteral("fault: give a byte, 0..255");
        for (SimUnit *u : qAsConst(m_units))
            if (u)
                u->setFaultByte(quint8(fault));
        return QStringLiteral("fault %1").arg(fault);
    }
    if (command == QLatin1String("voltages")) {
        std::array<float, 7> volts{};
        bool refused = false;
        if (!parseVoltages(argument, volts, refused))
            return QStringLiteral("voltages: give seven numbers or null");
        for (SimUnit *u : qAsConst(m_units)) {
            if (!u)
                continue;
            if (refused)
                u->setReportsVoltages(false);
            else
                u->setVoltages(volts);
        }
        return refused ? QStringLiteral("voltages null") : QStringLiteral("voltages set");
    }
    if (command == QLatin1String("reset")) {
        for (SimUnit *u : qAsConst(m_units))
            if (u) {
                u->model().factoryReset();
                u->restart();
            }
        return QStringLiteral("reset");
    }
    if (command == QLatin1String("drop")) {
        for (SimUnit *u : qAsConst(m_units))
            if (u)
                u->dropConnections();
        return QStringLiteral("dropped");
    }
    if (command == QLatin1String("junk")) {
        bool ok = false;
        const int count = argument.toInt(&ok);
        if (!ok || count < 0 || count > 65536)
            return QStringLiteral("junk: give a number of bytes, 0..65536");
        for (SimUnit *u : qAsConst(m_units))
            if (u)
                u->setJunkBytes(count);
        return QStringLiteral("junk %1").arg(count);
    }
    if (command == QLatin1String("split")) {
        const QString mode = argument.toLower();
        if (mode != QLatin1String("on") && mode != QLatin1String("off"))
            return QStringLiteral("split: give on or off");
        for (SimUnit *u : qAsConst(m_units))
            if (u)
                u->setSplitAnswers(mode == QLatin1String("on"));
        return QStringLiteral("split %1").arg(mode);
    }
    if (command == QLatin1String("restart")) {
        bool ok = true;
        const double seconds = argument.isEmpty() ? 3.0 : argument.toDouble(&ok);
        if (!ok || seconds < 0 || seconds > 600)
            return QStringLiteral("restart: give the seconds the unit is off, 0..600");
        for (SimUnit *u : qAsConst(m_units))
            if (u)
                u->powerCycle(int(seconds * 1000));
        return QStringLiteral("restart %1").arg(seconds);
    }
    if (command == QLatin1String("status")) {
        QStringList units;
        for (SimUnit *u : qAsConst(m_units))
            if (u)
                units << QStringLiteral("unit %1: %2 sessions, %3, %4 requests, junk %5, split %6")
                             .arg(u->model().machineId)
                             .arg(u->sessionCount())
                             .arg(u->isDown()               ? QStringLiteral("off")
                                  : u->hasLoggedInSession() ? QStringLiteral("logged in")
                                                            : QStringLiteral("not logged in"))
                             .arg(u->requestCount())
                             .arg(u->faults().junkBytes)
                             .arg(u->faults().splitAnswers ? QStringLiteral("on")
                                                           : QStringLiteral("off"));
        return units.join(QLatin1Char('\n'));
    }
    if (command == QLatin1String("help"))
        return QStringLiteral("commands: fault N | voltages V1,...,V7 | voltages null | reset | "
                              "drop | junk N | split on|off | restart [SECONDS] | status");
    return QStringLiteral("unknown command: %1 (try help)").arg(command);
}
