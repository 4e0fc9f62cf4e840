#include "dapctl/paramcommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/paramaccess.h"
#include "dapctl/printable.h"
#include "dapctl/unitlink.h"

#include <QJsonDocument>
#include <QJsonObject>

QString ParamCommand::name() const
{
    return m_mode == Get ? QStringLiteral("get") : QStringLiteral("set");
}

QString ParamCommand::synopsis() const
{
    return m_mode == Get ? QStringLiteral("UNIT PATH...") : QStringLiteral("UNIT PATH VALUE...");
}

QString ParamCommand::summary() const
{
    return m_mode == Get ? QStringLiteral("read parameters of a unit")
                         : QStringLiteral("change parameters of a unit");
}

QString ParamCommand::description() const
{
    if (m_mode == Get)
        return QStringLiteral("Reads each PATH (dapctl paths lists them) and prints "
                              "\"PATH = VALUE\", or one JSON object with --json.");
    return QStringLiteral(
        "Sets each PATH to its VALUE with the rules of the program's controls (values out of "
        "range are clamped, and a note says so), then reads them back and prints \"PATH = "
        "VALUE\". Every value is checked before anything is sent.");
}

unsigned ParamCommand::optionGroups() const
{
    return CtlOptions::UnitOptions | CtlOptions::JsonOption;
}

int ParamCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    const int step = m_mode == Get ? 1 : 2;
    if (args.size() < 1 + step || (args.size() - 1) % step != 0)
        return usageError(console, m_mode == Get ? QStringLiteral("give a unit and a path")
                                                 : QStringLiteral("give a unit, then pairs of "
                                                                  "path and value"));
    QVector<ParamPath> paths;
    QStringList values;
    for (int i = 1; i < args.size(); i += step) {
        QString error;
        const std::optional<ParamPath> path = ParamPath::parse(args[i], error);
        if (!path)
            return usageError(console, error);
        if (m_mode == Set) {
            const QString invalid = ParamValue::check(*path, args[i + 1]);
            if (!invalid.isEmpty())
                return usageError(console, QStringLiteral("%1: %2").arg(args[i], invalid));
            values.append(args[i + 1]);
        }
        paths.append(*path);
    }

    UnitLink link(options);
    ParamAccess access(link);
    const QString reversed = access.planLimits(paths, values);
    if (!reversed.isEmpty())
        return usageError(console, reversed);
    if (!connect(link, args[0], options, console))
        return ExitFailure;
    if (m_mode == Set) {
        for (int i = 0; i < paths.size(); ++i) {
            const ParamAccess::Status status = access.write(paths[i], values[i]);
            if (status == ParamAccess::Status::Usage)
                return usageError(console, access.errorString());
            if (status == ParamAccess::Status::Failure)
                return failure(console, access.errorString());
            if (!access.note().isEmpty())
                console.error(QStringLiteral("note: %1: %2").arg(paths[i].text, access.note()));
        }
        // The unit has taken the writes once it answers a read sent after them.
        if (!link.sync())
            return failure(console, link.errorString());
    }
    QJsonObject json;
    for (const ParamPath &path : qAsConst(paths)) {
        const std::optional<ParamAccess::Value> value = access.read(path);
        if (!value)
            return failure(console, QStringLiteral("%1: %2").arg(path.text, access.errorString()));
        if (options.json)
            json.insert(path.text, value->json);
        else
            console.out() << path.text << " = " << printable(value->text) << '\n';
    }
    if (options.json)
        console.out() << QJsonDocument(json).toJson(QJsonDocument::Indented);
    console.flush();
    return ExitOk;
}
