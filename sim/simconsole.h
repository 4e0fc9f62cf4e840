#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>

class QSocketNotifier;
class SimUnit;

// Control of running simulated units through text commands, one per line,
// read from standard input (dapsim --console):
//   fault N            the fault byte the units report (0 clears)
//   voltages LIST      seven supply voltages, or "null" for none
//   reset              restart as after a factory reset (connections drop)
//   drop               drop every connection (the unit stays up)
//   junk N             N junk bytes before every answer (0: none)
//   split on|off       answers leave in small pieces, or whole
//   restart [SECONDS]  switched off for SECONDS (default 3), then on again
//   status             sessions, login and requests received, per unit
//   help
// Each command applies to every unit; the reply goes to standard output.
class SimConsole final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SimConsole)

public:
    explicit SimConsole(QObject *parent = nullptr);
    ~SimConsole() override;

    void addUnit(SimUnit *unit);
    // Starts reading standard input. False where it cannot be watched.
    bool start();
    // Carries out one command line and returns the reply.
    QString execute(const QString &line);

private:
    void readInput();

    QList<QPointer<SimUnit>> m_units;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_pending; // a line not yet complete
};
