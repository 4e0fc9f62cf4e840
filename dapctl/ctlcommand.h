#pragma once

#include "dapctl/ctloptions.h"

#include <QString>
#include <QStringList>

#include <optional>

class CtlConsole;
class UnitLink;

// One dapctl command ("get", "backup", ...): its help and its work. The
// dispatcher (DapCtl) parses the options a command takes and hands it the
// rest of its arguments.
class CtlCommand
{
public:
    CtlCommand() = default;
    virtual ~CtlCommand();
    CtlCommand(const CtlCommand &) = delete;
    CtlCommand &operator=(const CtlCommand &) = delete;

    virtual QString name() const = 0;
    // The arguments after the name: "UNIT PATH...".
    virtual QString synopsis() const = 0;
    // One line for the list of commands.
    virtual QString summary() const = 0;
    // More text for the command's --help (may be empty).
    virtual QString description() const { return QString(); }
    // The option groups it takes (CtlOptions::Group).
    virtual unsigned optionGroups() const = 0;

    // Runs the command; returns the exit code.
    virtual int run(const QStringList &args, const CtlOptions &options, CtlConsole &console) = 0;

protected:
    // Prints the message and a hint to the help; returns ExitUsage.
    int usageError(CtlConsole &console, const QString &text) const;
    // Prints the message; returns ExitFailure.
    static int failure(CtlConsole &console, const QString &text);
    // Finds the unit and opens the link (a failure is reported on the
    // console; the link is then closed).
    static bool connect(UnitLink &link, const QString &unit, const CtlOptions &options,
                        CtlConsole &console);
    // A preset slot as written (1..32), 0-based; nothing when it is none.
    static std::optional<int> slotNumber(const QString &text);
};
