#include "dapctl/ctlcommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/unitlink.h"
#include "dapctl/unitlocator.h"

CtlCommand::~CtlCommand() = default;

int CtlCommand::usageError(CtlConsole &console, const QString &text) const
{
    console.error(text);
    console.err() << "usage: dapctl " << name() << ' ' << synopsis() << "\n"
                  << "(dapctl " << name() << " --help says more)\n";
    console.flush();
    return ExitUsage;
}

int CtlCommand::failure(CtlConsole &console, const QString &text)
{
    console.error(text);
    return ExitFailure;
}

bool CtlCommand::connect(UnitLink &link, const QString &unit, const CtlOptions &options,
                         CtlConsole &console)
{
    QString error;
    const std::optional<UnitTarget> target = UnitLocator(options).resolve(unit, error);
    if (!target) {
        console.error(error);
        return false;
    }
    if (!link.open(*target)) {
        console.error(link.errorString());
        return false;
    }
    return true;
}

std::optional<int> CtlCommand::slotNumber(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1 || n > 32)
        return std::nullopt;
    return n - 1;
}
