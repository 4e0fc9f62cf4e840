#include "dapctl/diffcommand.h"

#include "dapctl/backupfile.h"
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

// Whether a parameter is compared: everything the unit keeps, not its
// identity nor its figures of the moment, nor what is derived from others
// (its sources are compared).
bool compared(const ParamId &id)
{
    const ParamDesc &d = cat().param(id);
    return !d.is(RunTime) && !d.is(Derived) && d.record >= 0;
}

// A format 1 backup's labels, settings and gain limits as paths.
void fromFormat1(const BackupFile &b, UnitState &s, QHash<ParamId, bool> &has)
{
    const auto text = [&](const char *pattern, int ch, const QString &value) {
        const ParamId id = cat().id(pattern, ch);
        s.storeText(id, value);
        has.insert(id, true);
    };
    const auto number = [&](const char *pattern, int ch, double value) {
        const ParamId id = cat().id(pattern, ch);
        s.store(id, value);
        has.insert(id, true);
    };
    for (int ch = 0; ch < BackupFile::Channels; ++ch) {
        text("label.input.#", ch, b.inputLabels.value(ch));
        text("label.output.#", ch, b.outputLabels.value(ch));
        text("label.panel.#", ch, b.panelLabels.value(ch));
        number("premix.#.max", ch, b.inputLimits[size_t(ch)][0]);
        number("premix.#.min", ch, b.inputLimits[size_t(ch)][1]);
        number("output.#.max", ch, b.outputLimits[size_t(ch)][0]);
        number("output.#.min", ch, b.outputLimits[size_t(ch)][1]);
    }
    text("system.location", 0, b.location);
    text("system.description", 0, b.description);
    number("system.rs232", 0, b.rs232Baud);
    number("system.gatereport", 0, b.gateReport);
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
    side.state = std::make_shared<UnitState>();
    side.file = QFileInfo(what).isFile();
    if (side.file) {
        QFile file(what);
        if (!file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read %1: %2").arg(what, file.errorString());
            return false;
        }
        const std::optional<BackupFile> b =
            BackupFile::fromJson(file.read(BackupFile::MaxFileSize + 1), error);
        if (!b) {
            error = QStringLiteral("%1: %2").arg(what, error);
            return false;
        }
        if (b->version < 2) {
            fromFormat1(*b, *side.state, side.has);
            return true;
        }
        if (!b->liveValues.store(*side.state, false, error)) {
            error = QStringLiteral("%1: %2").arg(what, error);
            return false;
        }
        for (const ParamId &id : b->liveValues.ids())
            side.has.insert(id, true);
        return true;
    }
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
    for (const ParamId &id : cat().all()) {
        if (!compared(id))
            continue;
        const bool inA = a.has.contains(id), inB = b.has.contains(id);
        if (!inA && !inB)
            continue;
        // A file holds only some paths (a format 1 file few); of two units
        // only one may have a block (an echo canceller), which is a difference.
        if (inA != inB && (a.file || b.file))
            continue;
        if (inA && inB && a.state->valueText(id) == b.state->valueText(id))
            continue;
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
