#include "dapctl/presetcommand.h"

#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/presetjobs.h"
#include "dapctl/texttable.h"
#include "dapctl/unitlink.h"
#include "presets/presettransfer.h"
#include "protocol/commands.h"
#include "protocol/transport.h"
#include "unitlink/presetlist.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Each action and the arguments it takes after the unit.
struct Action
{
    const char *name;
    bool slot;
    bool file;
};
const Action Actions[] = {
    {"list", false, false},      {"save", true, false},  {"recall", true, false},
    {"export", true, true},      {"import", true, true}, {"export-all", false, true},
    {"import-all", false, true},
};

QString slotText(const PresetList &list, int slot)
{
    return QStringLiteral("%1 \"%2\"").arg(slot + 1).arg(list.names[size_t(slot)]);
}

} // namespace

QString PresetCommand::synopsis() const
{
    return QStringLiteral("UNIT list|save N|recall N|export N FILE|import N FILE|export-all "
                          "FILE|import-all FILE");
}

QString PresetCommand::summary() const
{
    return QStringLiteral("list, save and recall presets, move them to and from files");
}

QString PresetCommand::description() const
{
    return QStringLiteral(
        "N is a preset slot, 1..32. \"save\" stores the unit's current settings in the slot; "
        "\"recall\" loads it. \"export\" and \"import\" move one slot to or from a .pst file, "
        "\"export-all\" and \"import-all\" all 32 slots to or from a .pstl file; the unit checks "
        "the size of a file before anything of it is sent. A progress bar is drawn on a "
        "terminal.");
}

unsigned PresetCommand::optionGroups() const
{
    return CtlOptions::UnitOptions | CtlOptions::JsonOption;
}

int PresetCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (args.size() < 2)
        return usageError(console, QStringLiteral("give a unit and an action"));
    const Action *action = nullptr;
    for (const Action &a : Actions)
        if (args[1] == QLatin1String(a.name))
            action = &a;
    if (!action)
        return usageError(console, QStringLiteral("unknown preset action \"%1\"").arg(args[1]));
    const int expected = 2 + (action->slot ? 1 : 0) + (action->file ? 1 : 0);
    if (args.size() != expected)
        return usageError(console, QStringLiteral("preset %1 takes %2")
                                       .arg(args[1], action->slot && action->file ? "N FILE"
                                                     : action->slot               ? "N"
                                                     : action->file               ? "FILE"
                                                                                  : "nothing"));
    int slot = PresetJobs::AllSlots;
    if (action->slot) {
        const std::optional<int> n = slotNumber(args[2]);
        if (!n)
            return usageError(
                console, QStringLiteral("\"%1\" is no preset slot; slots are 1..32").arg(args[2]));
        slot = *n;
    }
    const QString file = action->file ? args.last() : QString();
    const bool importing = args[1].startsWith(QLatin1String("import"));
    // The file is checked before the unit is reached: a file that cannot be
    // imported sends nothing at all.
    if (importing) {
        const QString refusal = PresetTransfer::checkImportFile(slot, file);
        if (!refusal.isEmpty())
            return failure(console, refusal);
    }

    UnitLink link(options);
    if (!connect(link, args[0], options, console))
        return ExitFailure;
    QString error;
    std::optional<PresetList> list = readPresetList(link, error);
    if (!list)
        return failure(console, error);
    const QString verb = args[1];
    PresetJobs jobs(link, console);
    QTextStream &out = console.out();

    if (verb == QLatin1String("list")) {
        if (options.json) {
            QJsonArray entries;
            for (int s = 0; s < PresetList::Slots; ++s)
                entries.append(QJsonObject{{QStringLiteral("slot"), s + 1},
                                           {QStringLiteral("exists"), list->exists[size_t(s)]},
                                           {QStringLiteral("name"), list->names[size_t(s)]},
                                           {QStringLiteral("current"), s == list->current}});
            out << QJsonDocument(entries).toJson(QJsonDocument::Indented);
        } else {
            TextTable table({QStringLiteral("SLOT"), QString(), QStringLiteral("NAME")});
            for (int s = 0; s < PresetList::Slots; ++s)
                table.addRow(
                    {QString::number(s + 1), s == list->current ? QStringLiteral("*") : QString(),
                     list->exists[size_t(s)] ? list->names[size_t(s)] : QStringLiteral("(empty)")});
            table.print(out);
        }
    } else if (verb == QLatin1String("save")) {
        sendPacket(Proto::OpBlock, Proto::Module::Preset, Proto::PresetCmd::Save, Proto::FlagWrite,
                   QByteArray(1, char(slot)));
        list = readPresetList(link, error);
        if (!list)
            return failure(console, error);
        if (!list->exists[size_t(slot)])
            return failure(console,
                           QStringLiteral("the unit did not save preset %1").arg(slot + 1));
        out << "saved the unit's settings as preset " << slotText(*list, slot) << '\n';
    } else if (verb == QLatin1String("recall")) {
        if (!list->exists[size_t(slot)])
            return failure(console, QStringLiteral("preset %1 is empty").arg(slot + 1));
        if (!jobs.recall(slot))
            return failure(console, jobs.errorString());
        out << "recalled preset " << slotText(*list, slot) << '\n';
    } else if (verb.startsWith(QLatin1String("export"))) {
        if (slot >= 0 && !list->exists[size_t(slot)])
            return failure(console, QStringLiteral("preset %1 is empty").arg(slot + 1));
        if (!jobs.exportTo(slot, file))
            return failure(console, jobs.errorString());
        const qint64 size = QFileInfo(file).size();
        if (slot >= 0)
            out << "exported preset " << slotText(*list, slot);
        else
            out << "exported all presets (" << list->count() << " of 32 slots hold one)";
        out << " to " << file << " (" << size << " bytes)\n";
    } else {
        if (!jobs.importFrom(slot, file))
            return failure(console, jobs.errorString());
        list = readPresetList(link, error);
        if (!list)
            return failure(console, error);
        if (slot >= 0)
            out << "imported " << file << " as preset " << slotText(*list, slot) << '\n';
        else
            out << "imported " << file << " into all slots (" << list->count()
                << " of 32 hold a preset)\n";
    }
    console.flush();
    return ExitOk;
}
