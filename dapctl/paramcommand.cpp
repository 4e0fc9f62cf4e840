#include "dapctl/paramcommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/livevalues.h"
#include "unitlink/printable.h"
#include "dapctl/statelink.h"
#include "dapctl/unitlink.h"
#include "model/unitstate.h"
#include "model/valuetext.h"
#include "unitlink/paramedit.h"
#include "unitlink/paramtext.h"
#include "unitlink/readplan.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

using namespace Model;

namespace {

// Far larger than a file of every value of a unit (about 200 KB).
constexpr qint64 MaxValuesFile = 4 * 1024 * 1024;

const Catalogue &cat()
{
    return Catalogue::instance();
}

// Whether the unit refused the read of the record a parameter lives in (a
// unit without an echo canceller).
bool refusedOf(const StateLink &link, const ParamId &id)
{
    const QVector<ParamId> held =
        cat().param(id).record < 0 ? cat().sourcesOf(id) : QVector<ParamId>{id};
    for (const ParamId &p : held)
        if (link.refused().contains(ReadPlan::readInstance(cat().recordOf(p))))
            return true;
    return false;
}

} // namespace

QString ParamCommand::name() const
{
    return m_mode == Get ? QStringLiteral("get") : QStringLiteral("set");
}

QString ParamCommand::synopsis() const
{
    return m_mode == Get ? QStringLiteral("UNIT PATH...")
                         : QStringLiteral("UNIT PATH VALUE... | UNIT --from FILE");
}

QString ParamCommand::summary() const
{
    return m_mode == Get ? QStringLiteral("read parameters of a unit")
                         : QStringLiteral("change parameters of a unit");
}

QString ParamCommand::description() const
{
    if (m_mode == Get)
        return QStringLiteral(
            "Reads each PATH (dapctl paths lists them) and prints \"PATH = VALUE\", or with "
            "--json one object nested by the path's parts: {\"input\":{\"3\":{\"gain\":-6.5}}}. "
            "A '*' stands for any one part (input.*.gain), and at the end for the rest of a "
            "path (input.3.eq.*). What a unit does not have (an echo canceller) reads as "
            "\"(not on this unit)\", in JSON null.");
    return QStringLiteral(
        "Sets each PATH to its VALUE with the rules of the program's controls (values out of "
        "range are clamped, and a note says so; what an edit changes besides, such as the gain "
        "after a change of an input's mode, is noted too), then reads them back and prints "
        "\"PATH = VALUE\". A '*' in a PATH sets every path it matches. Every value is checked "
        "before anything is sent; each record goes in one frame with the unit's other values "
        "of it.\nWith --from FILE, the paths and values of a JSON file, flat "
        "({\"input.3.gain\": 12}) or nested as get --json prints them, are set together: "
        "every path must exist and be writable, every value lie in its range (here no value "
        "is clamped), or nothing is sent and the path is named.");
}

unsigned ParamCommand::optionGroups() const
{
    return CtlOptions::UnitOptions | CtlOptions::JsonOption |
           (m_mode == Set ? unsigned(CtlOptions::FromOption) : 0u);
}

bool ParamCommand::expand(const QString &pattern, QVector<Named> &out, CtlConsole &console,
                          int &code) const
{
    QString error;
    const QVector<ParamId> ids = cat().expand(pattern, &error);
    if (ids.isEmpty()) {
        code = usageError(console, error);
        return false;
    }
    const bool wildcard = pattern.contains(QLatin1Char('*'));
    for (const ParamId &id : ids)
        out.append(Named{wildcard ? cat().path(id) : pattern, id});
    return true;
}

int ParamCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (m_mode == Set)
        return options.from.isEmpty() ? runSet(args, options, console)
                                      : runFromFile(args, options, console);
    if (args.size() < 2)
        return usageError(console, QStringLiteral("give a unit and a path"));
    QVector<Named> paths;
    int code = ExitOk;
    for (int i = 1; i < args.size(); ++i)
        if (!expand(args[i], paths, console, code))
            return code;
    UnitLink link(options);
    if (!connect(link, args[0], options, console))
        return ExitFailure;
    StateLink state(link);
    return print(state, paths, options, console);
}

int ParamCommand::print(StateLink &link, const QVector<Named> &paths, const CtlOptions &options,
                        CtlConsole &console)
{
    QVector<ParamId> ids;
    for (const Named &n : paths)
        ids.append(n.id);
    UnitState state;
    if (!link.read(state, ReadPlan::recordsFor(ids)))
        return failure(console, link.errorString());
    QVector<ParamText::Entry> json;
    for (const Named &n : paths) {
        const bool absent = refusedOf(link, n.id);
        if (options.json)
            json.append({cat().path(n.id), absent ? QJsonValue() : ParamText::json(state, n.id)});
        else
            console.out() << n.label << " = "
                          << printable(absent ? QStringLiteral("(not on this unit)")
                                              : ParamText::shown(state, n.id))
                          << '\n';
    }
    if (options.json)
        console.out() << QJsonDocument(ParamText::nested(json)).toJson(QJsonDocument::Indented);
    console.flush();
    return ExitOk;
}

int ParamCommand::runSet(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (args.size() < 3 || (args.size() - 1) % 2 != 0)
        return usageError(console, QStringLiteral("give a unit, then pairs of path and value"));
    QVector<Named> paths;
    QVector<ParamEdit::Edit> edits;
    int code = ExitOk;
    for (int i = 1; i < args.size(); i += 2) {
        const int first = paths.size();
        if (!expand(args[i], paths, console, code))
            return code;
        for (int k = first; k < paths.size(); ++k)
            edits.append({paths[k].label, paths[k].id, args[i + 1]});
    }
    QString error;
    if (!ParamEdit::check(edits, error))
        return usageError(console, error);
    QVector<ParamId> ids;
    for (const Named &n : qAsConst(paths))
        ids.append(n.id);

    UnitLink link(options);
    if (!connect(link, args[0], options, console))
        return ExitFailure;
    StateLink io(link);
    UnitState state;
    if (!io.read(state, ReadPlan::recordsFor(ids)))
        return failure(console, io.errorString());

    // The edits, in the order given, as the program's controls take them.
    QVector<ParamId> written;
    QStringList notes;
    switch (ParamEdit::apply(
        state, edits, [&io](const ParamId &id) { return refusedOf(io, id); }, written, notes,
        error)) {
    case ParamEdit::Result::Ok:
        break;
    case ParamEdit::Result::NotOnUnit:
        return failure(console, error);
    case ParamEdit::Result::Invalid:
        return usageError(console, error);
    }
    for (const QString &note : qAsConst(notes))
        console.error(QStringLiteral("note: ") + printable(note));
    io.send(state.writeFrames(written));
    // The unit has taken the writes once it answers a read sent after them.
    if (!link.sync())
        return failure(console, link.errorString());
    return print(io, paths, options, console);
}

int ParamCommand::runFromFile(const QStringList &args, const CtlOptions &options,
                              CtlConsole &console)
{
    if (args.size() != 1)
        return usageError(console, QStringLiteral("give a unit and --from FILE, no paths"));
    QFile file(options.from);
    if (!file.open(QIODevice::ReadOnly))
        return failure(console,
                       QStringLiteral("cannot read %1: %2").arg(options.from, file.errorString()));
    const QByteArray bytes = file.read(MaxValuesFile + 1);
    if (bytes.size() > MaxValuesFile)
        return usageError(console, QStringLiteral("%1: larger than %2 bytes; nothing was sent")
                                       .arg(options.from)
                                       .arg(MaxValuesFile));
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (!doc.isObject())
        return usageError(console, QStringLiteral("%1: not a JSON object of paths and values "
                                                  "(%2); nothing was sent")
                                       .arg(options.from, parse.errorString()));
    LiveValues values;
    QString error;
    if (!values.read(doc.object(), error))
        return usageError(console,
                          QStringLiteral("%1: %2; nothing was sent").arg(options.from, error));
    if (values.isEmpty())
        return usageError(console, QStringLiteral("%1 holds no values").arg(options.from));

    UnitLink link(options);
    if (!connect(link, args[0], options, console))
        return ExitFailure;
    StateLink io(link);
    UnitState state;
    if (!io.read(state, values.recordsToRead(true)))
        return failure(console, io.errorString());
    for (const ParamId &id : values.ids())
        if (refusedOf(io, id))
            return failure(console, QStringLiteral("%1: the unit has no such block; nothing was "
                                                   "sent")
                                        .arg(cat().path(id)));
    if (!values.store(state, true, error))
        return usageError(console,
                          QStringLiteral("%1: %2; nothing was sent").arg(options.from, error));
    const QVector<Proto::Frame> frames = state.writeFrames(values.ids());
    io.send(frames);
    if (!link.sync())
        return failure(console, link.errorString());
    console.error(QStringLiteral("note: %1 values in %2 frames")
                      .arg(values.values().size())
                      .arg(frames.size()));
    QVector<Named> paths;
    for (const ParamId &id : values.ids())
        paths.append(Named{cat().path(id), id});
    return print(io, paths, options, console);
}
