#include "dapctl/diffcommand.h"

#include "dapctl/backupfile.h"
#include "dapctl/configcompare.h"
#include "dapctl/ctlconsole.h"
#include "dapctl/livevalues.h"
#include "unitlink/printable.h"
#include "dapctl/statelink.h"
#include "dapctl/unitlink.h"
#include "dapctl/unitlocator.h"
#include "model/unitstate.h"
#include "unitlink/paramtext.h"
#include "unitlink/readplan.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Model;

namespace {

// diff(1)'s exit codes.
enum DiffExit
{
    Same = 0,
    Differ = 1,
    Trouble = 2,
};

const Catalogue &cat()
{
    return Catalogue::instance();
}

} // namespace

QString DiffCommand::summary() const
{
    return QStringLiteral("compare two units or backup files");
}

QString DiffCommand::description() const
{
    return QStringLiteral(
        "Compares A and B, each a unit (device id, address or serial number) or a backup file "
        "(a name of an existing file), path by path, and prints \"PATH = A | B\" for each path "
        "whose values differ, or with --json a list of {\"path\", \"a\", \"b\"}. The identity "
        "and figures of the moment (serial number, versions, run time) and what is derived "
        "from other paths are left out; a backup of format 1 holds only labels, settings and "
        "gain limits, and only what both sides hold is compared.\nExit codes, as diff(1) has "
        "them: 0 when A and B are equal, 1 when they differ, 2 on trouble (a unit that cannot "
        "be read, a file that is refused, a usage error).");
}

unsigned DiffCommand::optionGroups() const
{
    return CtlOptions::UnitOptions | CtlOptions::JsonOption;
}

bool DiffCommand::load(const QString &what, const CtlOptions &options, Side &side, QString &error)
{
    if (QFileInfo(what).isFile())
        return ConfigSide::fromFile(what, side, error);
    side.state = std::make_shared<UnitState>();
    UnitLink link(options);
    const std::optional<UnitTarget> target = UnitLocator(options).resolve(what, error);
    if (!target)
        return false;
    if (!link.open(*target)) {
        error = link.errorString();
        return false;
    }
    StateLink io(link);
    if (!io.readAll(*side.state)) {
        error = QStringLiteral("%1: %2").arg(what, io.errorString());
        return false;
    }
    for (const ParamId &id : cat().all())
        if (io.wasRead(ReadPlan::readInstance(cat().recordOf(id))))
            side.has.insert(id, true);
    return true;
}

int DiffCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (args.size() != 2) {
        usageError(console, QStringLiteral("give two units or backup files"));
        return Trouble;
    }
    Side a, b;
    QString error;
    if (!load(args[0], options, a, error) || !load(args[1], options, b, error)) {
        console.error(error);
        return Trouble;
    }
    QJsonArray json;
    int differ = 0;
    for (const ParamId &id : compareConfigs(a, b)) {
        const bool inA = a.has.contains(id), inB = b.has.contains(id);
        ++differ;
        const QString path = cat().path(id);
        if (options.json) {
            json.append(QJsonObject{
                {QStringLiteral("path"), path},
                {QStringLiteral("a"), inA ? ParamText::json(*a.state, id) : QJsonValue()},
                {QStringLiteral("b"), inB ? ParamText::json(*b.state, id) : QJsonValue()}});
        } else {
            const QString none = QStringLiteral("(none)");
            console.out() << path << " = " << printable(inA ? ParamText::shown(*a.state, id) : none)
                          << " | " << printable(inB ? ParamText::shown(*b.state, id) : none)
                          << '\n';
        }
    }
    if (options.json)
        console.out() << QJsonDocument(json).toJson(QJsonDocument::Indented);
    console.flush();
    return differ ? Differ : Same;
}
