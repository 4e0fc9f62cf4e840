#include "dapctl/dapctl.h"

#include "dapctl/backupcommand.h"
#include "dapctl/ctlcommand.h"
#include "dapctl/ctlconsole.h"
#include "dapctl/ctloptions.h"
#include "dapctl/diffcommand.h"
#include "dapctl/discovercommand.h"
#include "dapctl/eqcommand.h"
#include "dapctl/exitcode.h"
#include "dapctl/paramcommand.h"
#include "dapctl/pathscommand.h"
#include "dapctl/presetcommand.h"
#include "dapctl/responsecommand.h"
#include "dapctl/restorecommand.h"
#include "dapctl/statuscommand.h"
#include "dapctl/tracecommand.h"

#include <QLocale>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <cmath>

namespace {

struct OptionInfo
{
    const char *name;
    const char *value; // nullptr: a switch
    unsigned group;
    const char *help;
};

const OptionInfo Options[] = {
    {"password", "TEXT", CtlOptions::UnitOptions,
     "login password (default: the DAPCTL_PASSWORD environment variable)"},
    {"port", "PORT", CtlOptions::UnitOptions, "TCP port of the units (2698)"},
    {"bind", "ADDRESS", CtlOptions::UnitOptions | CtlOptions::DiscoveryOptions,
     "listen for announcements on this local address only (default: every IPv4 address)"},
    {"announce-port", "PORT", CtlOptions::UnitOptions | CtlOptions::DiscoveryOptions,
     "UDP port the announcements arrive on (6697)"},
    {"timeout", "SECONDS", CtlOptions::UnitOptions | CtlOptions::DiscoveryOptions,
     "how long to wait for announcements and answers (3)"},
    {"code", "N", CtlOptions::UnitOptions | CtlOptions::DiscoveryOptions,
     "the code of the units to talk to (1; 5318 takes every code)"},
    {"json", nullptr, CtlOptions::JsonOption, "print JSON"},
    {"csv", nullptr, CtlOptions::CsvOption, "print CSV"},
    {"module", "MODULE", CtlOptions::ModuleOption,
     "only frames of this module: a name (InputLevel, Settings, Preset...), OP/MODULE, or a "
     "module number of any op"},
    {"no-recall", nullptr, CtlOptions::NoRecallOption,
     "do not recall the backup's active preset after the import"},
    {"no-poll", nullptr, CtlOptions::NoPollOption,
     "send nothing after the login (show only what the unit sends by itself)"},
    {"from", "FILE", CtlOptions::FromOption,
     "the paths and values of a JSON file, flat or nested as get --json prints them"},
    {"count", nullptr, CtlOptions::CountOption, "print only the number of parameters per block"},
    {"dry-run", nullptr, CtlOptions::DryRunOption, "print what would be done and send nothing"},
};

// A negative number is a value ("set ... output.1.gain -20"), not an option.
bool isNegativeNumber(const QString &arg)
{
    static const QRegularExpression number(QStringLiteral("^-(\\d+\\.?\\d*|\\.\\d+)$"));
    return number.match(arg).hasMatch();
}

// Paragraphs wrapped at 78 columns for a terminal.
QString wrapped(const QString &text)
{
    QStringList out;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString &word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > 78) {
                out << line;
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        out << line;
    }
    return out.join(QLatin1Char('\n'));
}

bool parsePort(const QString &text, quint16 &port)
{
    bool ok = false;
    const uint v = text.toUInt(&ok);
    if (!ok || v == 0 || v > 65535)
        return false;
    port = quint16(v);
    return true;
}

} // namespace

DapCtl::DapCtl(const QHash<QString, QString> &environment) : m_environment(environment)
{
    m_commands.push_back(std::make_unique<DiscoverCommand>());
    m_commands.push_back(std::make_unique<StatusCommand>());
    m_commands.push_back(std::make_unique<ParamCommand>(ParamCommand::Get));
    m_commands.push_back(std::make_unique<ParamCommand>(ParamCommand::Set));
    m_commands.push_back(std::make_unique<PathsCommand>());
    m_commands.push_back(std::make_unique<PresetCommand>());
    m_commands.push_back(std::make_unique<ResponseCommand>());
    m_commands.push_back(std::make_unique<EqCommand>());
    m_commands.push_back(std::make_unique<BackupCommand>());
    m_commands.push_back(std::make_unique<RestoreCommand>());
    m_commands.push_back(std::make_unique<DiffCommand>());
    m_commands.push_back(std::make_unique<TraceCommand>());
}

DapCtl::~DapCtl() = default;

QHash<QString, QString> DapCtl::processEnvironment()
{
    QHash<QString, QString> env;
    const QProcessEnvironment p = QProcessEnvironment::systemEnvironment();
    for (const QString &key : p.keys())
        env.insert(key, p.value(key));
    return env;
}

CtlCommand *DapCtl::find(const QString &name) const
{
    for (const auto &c : m_commands)
        if (c->name() == name)
            return c.get();
    return nullptr;
}

void DapCtl::printHelp(CtlConsole &console) const
{
    QTextStream &out = console.out();
    out << "usage: dapctl COMMAND [ARGUMENTS] [OPTIONS]\n\n"
           "Controls digital audio matrix processors on the network, for integrators and "
           "scripts.\n\ncommands:\n";
    for (const auto &c : m_commands)
        out << "  " << c->name().leftJustified(10) << c->summary() << '\n';
    out << "\nUNIT is a device id, an IP address or a serial number.\n"
           "Exit codes: 0 success, 1 a failure of the unit, the network or a file, 2 a usage "
           "error.\n"
           "dapctl COMMAND --help describes a command and its options.\n";
    console.flush();
}

void DapCtl::printCommandHelp(const CtlCommand &command, CtlConsole &console) const
{
    QTextStream &out = console.out();
    out << "usage: dapctl " << command.name();
    if (!command.synopsis().isEmpty())
        out << ' ' << command.synopsis();
    QString summary = command.summary();
    summary[0] = summary[0].toUpper();
    out << " [OPTIONS]\n\n" << summary << ".\n";
    if (!command.description().isEmpty())
        out << '\n' << wrapped(command.description()) << '\n';
    if (command.optionGroups() & CtlOptions::UnitOptions)
        out << "\nUNIT is a device id, an IP address or a serial number.\n";
    out << "\noptions:\n";
    for (const OptionInfo &o : Options) {
        if (!(o.group & command.optionGroups()))
            continue;
        QString left = QStringLiteral("--") + QLatin1String(o.name);
        if (o.value)
            left += QLatin1Char(' ') + QLatin1String(o.value);
        out << "  " << left.leftJustified(24) << o.help << '\n';
    }
    out << "  " << QStringLiteral("-h, --help").leftJustified(24) << "this help\n";
    console.flush();
}

bool DapCtl::parse(const CtlCommand &command, const QStringList &arguments, CtlOptions &o,
                   QStringList &positional, bool &help, QString &error) const
{
    const unsigned groups = command.optionGroups();
    bool onlyArguments = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (onlyArguments || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-") ||
            isNegativeNumber(arg)) {
            positional.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            onlyArguments = true;
            continue;
        }
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            help = true;
            continue;
        }
        QString name = arg.mid(2);
        QString value;
        bool hasValue = false;
        const int eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            hasValue = true;
        }
        const OptionInfo *info = nullptr;
        if (arg.startsWith(QLatin1String("--")))
            for (const OptionInfo &opt : Options)
                if (name == QLatin1String(opt.name) && (opt.group & groups))
                    info = &opt;
        if (!info) {
            error = QStringLiteral("%1 takes no option %2").arg(command.name(), arg);
            return false;
        }
        if (info->value && !hasValue) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("%1 needs a value").arg(arg);
                return false;
            }
            value = arguments[++i];
        } else if (!info->value && hasValue) {
            error = QStringLiteral("--%1 takes no value").arg(name);
            return false;
        }
        bool ok = true;
        if (name == QLatin1String("password")) {
            o.password = value;
            o.hasPassword = true;
        } else if (name == QLatin1String("port")) {
            ok = parsePort(value, o.port);
        } else if (name == QLatin1String("announce-port")) {
            ok = parsePort(value, o.announcePort);
        } else if (name == QLatin1String("bind")) {
            o.bind = QHostAddress(value);
            ok = o.bind.protocol() == QAbstractSocket::IPv4Protocol;
        } else if (name == QLatin1String("timeout")) {
            const double seconds = QLocale::c().toDouble(value, &ok);
            ok = ok && std::isfinite(seconds) && seconds > 0 && seconds <= 3600;
            if (ok)
                o.timeoutMs = qMax(1, int(std::lround(seconds * 1000)));
        } else if (name == QLatin1String("code")) {
            const uint code = value.toUInt(&ok);
            ok = ok && code <= 65535;
            o.code = quint16(code);
        } else if (name == QLatin1String("json")) {
            o.json = true;
        } else if (name == QLatin1String("csv")) {
            o.csv = true;
        } else if (name == QLatin1String("module")) {
            o.module = value;
        } else if (name == QLatin1String("no-recall")) {
            o.noRecall = true;
        } else if (name == QLatin1String("no-poll")) {
            o.noPoll = true;
        } else if (name == QLatin1String("from")) {
            o.from = value;
            ok = !value.isEmpty();
        } else if (name == QLatin1String("count")) {
            o.count = true;
        } else if (name == QLatin1String("dry-run")) {
            o.dryRun = true;
        }
        if (!ok) {
            error = QStringLiteral("invalid value for --%1: %2").arg(name, value);
            return false;
        }
    }
    if ((groups & CtlOptions::UnitOptions) && !o.hasPassword &&
        m_environment.contains(QStringLiteral("DAPCTL_PASSWORD"))) {
        o.password = m_environment.value(QStringLiteral("DAPCTL_PASSWORD"));
        o.hasPassword = true;
    }
    return true;
}

int DapCtl::run(const QStringList &arguments, CtlConsole &console)
{
    if (arguments.isEmpty()) {
        console.error(QStringLiteral("no command given"));
        console.err() << "dapctl --help lists the commands\n";
        console.flush();
        return ExitUsage;
    }
    const QString &first = arguments.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") ||
        first == QLatin1String("help")) {
        if (arguments.size() > 1 && find(arguments[1])) {
            printCommandHelp(*find(arguments[1]), console);
            return ExitOk;
        }
        printHelp(console);
        return ExitOk;
    }
    CtlCommand *command = find(first);
    if (!command) {
        console.error(QStringLiteral("unknown command \"%1\"").arg(first));
        console.err() << "dapctl --help lists the commands\n";
        console.flush();
        return ExitUsage;
    }
    CtlOptions options;
    QStringList positional;
    bool help = false;
    QString error;
    if (!parse(*command, arguments.mid(1), options, positional, help, error)) {
        console.error(error);
        console.err() << "dapctl " << command->name() << " --help lists its options\n";
        console.flush();
        return ExitUsage;
    }
    if (help) {
        printCommandHelp(*command, console);
        return ExitOk;
    }
    const int code = command->run(positional, options, console);
    console.flush();
    return code;
}
