#include "dapctl/pathscommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/parampath.h"
#include "dapctl/texttable.h"

QString PathsCommand::summary() const
{
    return QStringLiteral("list the parameter paths of get and set");
}

int PathsCommand::run(const QStringList &args, const CtlOptions &, CtlConsole &console)
{
    if (!args.isEmpty())
        return usageError(console, QStringLiteral("paths takes no arguments"));
    TextTable table({QStringLiteral("PATH"), QStringLiteral("VALUES")});
    for (const ParamPath::Help &h : ParamPath::catalogue())
        table.addRow({QLatin1String(h.path), QLatin1String(h.values)});
    table.print(console.out());
    console.out() << "\nN, I, O: channel 1..16. Out-of-range values are clamped as the program's "
                     "controls clamp them.\n";
    console.flush();
    return ExitOk;
}
