#include "dapctl/pathscommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/texttable.h"
#include "model/catalogue.h"
#include "model/valuetext.h"
#include "unitlink/paramtext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Model;

namespace {

const Catalogue &cat()
{
    return Catalogue::instance();
}

// The block a parameter belongs to: its record's, or for a derived one the
// record of what it is derived from.
QString blockOf(int param)
{
    int record = cat().param(param).record;
    if (record < 0) {
        const QVector<ParamId> sources = cat().sourcesOf(ParamId{param, 0, 0});
        record = sources.isEmpty() ? -1 : cat().param(sources.first()).record;
    }
    return record < 0 ? QString() : QLatin1String(cat().record(record).name);
}

QString access(const ParamDesc &d)
{
    if (d.is(RunTime))
        return QStringLiteral("reported");
    if (d.is(ReadOnly))
        return QStringLiteral("read-only");
    return d.is(Derived) ? QStringLiteral("derived") : QStringLiteral("read-write");
}

// Whether a parameter's pattern matches one a user gave ("input.*.gain",
// "input.N.eq.*"): '*' or a number or a letter stands for an index.
bool matches(const ParamDesc &d, const QStringList &patterns)
{
    if (patterns.isEmpty())
        return true;
    const QStringList have = ParamText::pattern(d).split(QLatin1Char('.'));
    for (const QString &p : patterns) {
        const QStringList want = p.toLower().split(QLatin1Char('.'));
        const bool open = want.last() == QLatin1String("*");
        if (open ? have.size() < want.size() : have.size() != want.size())
            continue;
        bool match = true;
        for (int i = 0; i < want.size() && match; ++i) {
            const bool index = have[i].size() == 1 && have[i].at(0).isUpper();
            match = want[i] == QLatin1String("*") || want[i] == have[i].toLower() ||
                    (index && want[i].toInt() >= 1 && want[i].toInt() <= 16);
        }
        if (match)
            return true;
    }
    return false;
}

} // namespace

QString PathsCommand::summary() const
{
    return QStringLiteral("list every parameter path of get, set and backups");
}

QString PathsCommand::description() const
{
    return QStringLiteral(
        "Lists every parameter of every block: its path (N: channel 1..16, B: band 1..16, I "
        "and O: input and output 1..16), what it takes (kind, unit, range, values), whether it "
        "is read-write, read-only, reported (identity and figures of the moment: left out of "
        "backups and comparisons) or derived from others, and what it is; then the number of "
        "parameters per block. PATTERNs ('*' for a part, at the end for the rest) show only "
        "the paths they match. Out-of-range values are clamped as the program's controls "
        "clamp them.");
}

unsigned PathsCommand::optionGroups() const
{
    return CtlOptions::JsonOption | CtlOptions::CountOption;
}

int PathsCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    TextTable table({QStringLiteral("PATH"), QStringLiteral("VALUES"), QStringLiteral("ACCESS"),
                     QStringLiteral("WHAT")});
    QJsonArray json;
    QStringList blocks;
    QHash<QString, QPair<int, int>> counts; // parameters and paths per block
    for (int p = 0; p < cat().params().size(); ++p) {
        const ParamDesc &d = cat().param(p);
        if (!matches(d, args))
            continue;
        const QString block = blockOf(p);
        if (!counts.contains(block))
            blocks << block;
        counts[block].first += 1;
        counts[block].second += instanceCount(d.dims);
        const QString values = ValueText::describe(d);
        table.addRow({ParamText::pattern(d), values, access(d), QLatin1String(d.help)});
        QJsonObject o{{QStringLiteral("path"), ParamText::pattern(d)},
                      {QStringLiteral("block"), block},
                      {QStringLiteral("values"), values},
                      {QStringLiteral("access"), access(d)},
                      {QStringLiteral("instances"), instanceCount(d.dims)},
                      {QStringLiteral("help"), QLatin1String(d.help)}};
        if (d.kind == Kind::Number) {
            o.insert(QStringLiteral("unit"), QLatin1String(d.unit));
            o.insert(QStringLiteral("minimum"), d.minimum);
            o.insert(QStringLiteral("maximum"), d.maximum);
        }
        json.append(o);
    }
    if (blocks.isEmpty())
        return usageError(console, QStringLiteral("no path matches %1 (dapctl paths lists them)")
                                       .arg(args.join(QLatin1Char(' '))));
    QTextStream &out = console.out();
    if (options.json && !options.count) {
        out << QJsonDocument(json).toJson(QJsonDocument::Indented);
        console.flush();
        return ExitOk;
    }
    if (!options.count) {
        table.print(out);
        out << '\n';
    }
    TextTable summary(
        {QStringLiteral("BLOCK"), QStringLiteral("PARAMETERS"), QStringLiteral("PATHS")});
    QJsonObject countJson;
    int parameters = 0, paths = 0;
    for (const QString &block : qAsConst(blocks)) {
        const QPair<int, int> n = counts.value(block);
        summary.addRow({block, QString::number(n.first), QString::number(n.second)});
        countJson.insert(block, QJsonObject{{QStringLiteral("parameters"), n.first},
                                            {QStringLiteral("paths"), n.second}});
        parameters += n.first;
        paths += n.second;
    }
    summary.addRow({QStringLiteral("all"), QString::number(parameters), QString::number(paths)});
    if (options.json)
        out << QJsonDocument(countJson).toJson(QJsonDocument::Indented);
    else
        summary.print(out);
    console.flush();
    return ExitOk;
}
