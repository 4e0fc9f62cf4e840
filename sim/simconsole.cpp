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
    if (command == QLatin1String("help"))
        return QStringLiteral("commands: fault N | voltages V1,...,V7 | voltages null | reset");
    return QStringLiteral("unknown command: %1 (try help)").arg(command);
}
