#include "dapctl/tracecommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/interruptwatcher.h"
#include "unitlink/printable.h"
#include "dapctl/unitlink.h"
#include "pages/overviewpoll.h"
#include "protocol/commandnames.h"

#include <QTimer>

QString TraceCommand::summary() const
{
    return QStringLiteral("print the conversation with a unit until interrupted");
}

QString TraceCommand::description() const
{
    QStringList names;
    for (const Proto::ModuleInfo &m : Proto::knownModules())
        names << QLatin1String(m.name);
    return QStringLiteral(
               "Connects, logs in and sends the reads the program's overview sends (the meters "
               "every 100 ms, the status every 200 ms; none with --no-poll). Every frame sent "
               "(TX) and received (RX) is printed: time, direction, op, module, cmd, flag, "
               "length, the command's name and the payload in hexadecimal (of a login or "
               "password change only its length). Ctrl+C ends it.\n\n"
               "Modules: ") +
           names.join(QStringLiteral(", ")) + QLatin1Char('.');
}

unsigned TraceCommand::optionGroups() const
{
    return CtlOptions::UnitOptions | CtlOptions::ModuleOption | CtlOptions::NoPollOption;
}

std::optional<FrameTrace::Filter> TraceCommand::moduleFilter(const QString &text)
{
    FrameTrace::Filter filter;
    if (text.isEmpty())
        return filter;
    const QStringList parts = text.split(QLatin1Char('/'));
    bool ok = false;
    if (parts.size() == 2) {
        bool opOk = false;
        const uint op = parts[0].toUInt(&opOk);
        const uint module = parts[1].toUInt(&ok);
        if (!opOk || !ok || op < 1 || op > 255 || module > 255)
            return std::nullopt;
        filter.op = quint8(op);
        filter.module = int(module);
        return filter;
    }
    const uint module = text.toUInt(&ok);
    if (ok) {
        if (module > 255)
            return std::nullopt;
        filter.module = int(module);
        return filter;
    }
    for (const Proto::ModuleInfo &m : Proto::knownModules())
        if (text.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) {
            filter.op = m.op;
            filter.module = m.module;
            return filter;
        }
    return std::nullopt;
}

int TraceCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (args.size() != 1)
        return usageError(console, QStringLiteral("give one unit"));
    const std::optional<FrameTrace::Filter> filter = moduleFilter(options.module);
    if (!filter)
        return usageError(console, QStringLiteral("\"%1\" is no module (dapctl trace --help "
                                                  "lists the names)")
                                       .arg(options.module));

    InterruptWatcher interrupt;
    UnitLink link(options);
    QTextStream &out = console.out();
    out << FrameTrace::heading() << '\n';
    out.flush();
    FrameTrace::install([&](const FrameTrace::Record &r) {
        if (filter->accepts(r)) {
            out << printable(FrameTrace::line(r)) << '\n';
            out.flush();
        }
    });
    bool stopped = false;
    QObject::connect(&interrupt, &InterruptWatcher::interrupted, &link, [&] {
        stopped = true;
        link.quit();
    });
    const bool open = connect(link, args[0], options, console);
    int result = ExitOk;
    if (open && !stopped) {
        QTimer poll;
        int ticks = 0;
        QObject::connect(&poll, &QTimer::timeout, &link, [&ticks] {
            ++ticks;
            OverviewPoll::sendMeterReads();
            if (ticks % (OverviewPoll::StatusIntervalMs / OverviewPoll::MeterIntervalMs) == 0)
                OverviewPoll::sendStatusReads();
        });
        if (!options.noPoll)
            poll.start(OverviewPoll::MeterIntervalMs);
        if (!link.runUntilQuit() && !stopped) {
            console.error(QStringLiteral("%1 closed the connection").arg(link.target().describe()));
            result = ExitFailure;
        }
    } else if (!open) {
        result = ExitFailure;
    }
    FrameTrace::install({});
    link.close();
    console.flush();
    return result;
}
