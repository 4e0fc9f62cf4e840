#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CtlCommand;
class CtlConsole;
struct CtlOptions;

// The dapctl command line: finds the command, parses its options, shows the
// help, and runs it. main() only builds the application and calls run(), so
// tests run every command in-process.
class DapCtl final
{
public:
    // `environment` stands for the process environment (DAPCTL_PASSWORD).
    explicit DapCtl(const QHash<QString, QString> &environment = {});
    ~DapCtl();
    DapCtl(const DapCtl &) = delete;
    DapCtl &operator=(const DapCtl &) = delete;

    // The arguments after the program name; returns the exit code.
    int run(const QStringList &arguments, CtlConsole &console);

    // The process environment as run() takes it.
    static QHash<QString, QString> processEnvironment();

private:
    CtlCommand *find(const QString &name) const;
    void printHelp(CtlConsole &console) const;
    void printCommandHelp(const CtlCommand &command, CtlConsole &console) const;
    // Splits options from arguments; false with `error` for a bad option.
    bool parse(const CtlCommand &command, const QStringList &arguments, CtlOptions &options,
               QStringList &positional, bool &help, QString &error) const;

    std::vector<std::unique_ptr<CtlCommand>> m_commands;
    QHash<QString, QString> m_environment;
};
