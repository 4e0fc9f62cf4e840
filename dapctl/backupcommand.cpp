#include "dapctl/backupcommand.h"

#include "dapctl/backupfile.h"
#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/presetjobs.h"
#include "dapctl/statelink.h"
#include "dapctl/unitlink.h"
#include "model/unitstate.h"
#include "unitlink/presetlist.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cmath>

using namespace Model;

QString BackupCommand::summary() const
{
    return QStringLiteral("save a whole unit into one file");
}

QString BackupCommand::description() const
{
    return QStringLiteral(
        "Writes all 32 presets (the image of a .pstl file) with the active one, the input, "
        "output and touch-screen labels, location and description, RS232 speed, gate report "
        "and the gain limits of every input and output into FILE, with a format version and a "
        "checksum, and the live value of every parameter (dapctl paths lists them; not the "
        "identity, the figures of the moment and what is derived) as readable JSON nested by "
        "path, so settings not saved into a preset are kept too.");
}

unsigned BackupCommand::optionGroups() const
{
    return CtlOptions::UnitOptions;
}

bool BackupCommand::readState(UnitLink &link, BackupFile &b, QString &error)
{
    StateLink io(link);
    UnitState state;
    if (!io.readAll(state)) {
        error = io.errorString();
        return false;
    }
    const Catalogue &c = state.catalogue();
    const auto text = [&](const char *pattern, int channel = 0) {
        return state.text(c.id(pattern, channel));
    };
    const auto whole = [&](const char *pattern, int channel = 0) {
        return int(std::trunc(state.number(c.id(pattern, channel))));
    };
    b.model = text("system.model");
    b.serial = text("system.serial");
    b.armVersion = text("system.version.arm");
    b.dspVersion = text("system.version.dsp");
    b.location = text("system.location");
    b.description = text("system.description");
    b.rs232Baud = quint32(whole("system.rs232"));
    b.gateReport = whole("system.gatereport");
    b.inputLabels.clear();
    b.outputLabels.clear();
    b.panelLabels.clear();
    for (int ch = 0; ch < BackupFile::Channels; ++ch) {
        b.inputLabels << text("label.input.#", ch);
        b.outputLabels << text("label.output.#", ch);
        b.panelLabels << text("label.panel.#", ch);
        b.inputLimits[size_t(ch)] = {{whole("premix.#.max", ch), whole("premix.#.min", ch)}};
        b.outputLimits[size_t(ch)] = {{whole("output.#.max", ch), whole("output.#.min", ch)}};
    }
    b.version = BackupFile::FormatVersion;
    b.live = LiveValues::fromState(state, [&io](const RecordId &rec) { return io.wasRead(rec); });
    // What was written must read back: the file's own check, before it is kept.
    if (!b.liveValues.read(b.live, error, QStringLiteral("live."))) {
        error = QStringLiteral("the unit's state cannot be kept: %1").arg(error);
        return false;
    }
    return true;
}

int BackupCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (args.size() != 2)
        return usageError(console, QStringLiteral("give a unit and a file"));
    const QString path = args[1];
    UnitLink link(options);
    if (!connect(link, args[0], options, console))
        return ExitFailure;

    BackupFile backup;
    backup.unitId = link.target().machineid;
    backup.created = QDateTime::currentDateTime();
    QString error;
    const std::optional<PresetList> list = readPresetList(link, error);
    if (!list)
        return failure(console, error);
    backup.currentPreset = list->current < PresetList::Slots ? list->current : 0;

    QTemporaryDir scratch;
    const QString image = scratch.filePath(QStringLiteral("presets.pstl"));
    PresetJobs jobs(link, console);
    if (!scratch.isValid() || !jobs.exportTo(PresetJobs::AllSlots, image))
        return failure(console,
                       QStringLiteral("the presets could not be read: %1").arg(jobs.errorString()));
    QFile imageFile(image);
    if (!imageFile.open(QIODevice::ReadOnly))
        return failure(console, imageFile.errorString());
    backup.presetImage = imageFile.readAll();
    if (!readState(link, backup, error))
        return failure(console, error);

    // Written whole or not at all: a failed write leaves an older file intact.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(backup.toJson()) < 0 || !file.commit())
        return failure(console,
                       QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));

    QTextStream &out = console.out();
    out << "backup of " << link.target().describe() << ", " << backup.model << ", SN "
        << backup.serial << ", written to " << path << ":\n"
        << "  presets      32 slots, " << backup.presetCount() << " hold a preset, preset "
        << backup.currentPreset + 1 << " \"" << list->names[size_t(backup.currentPreset)]
        << "\" active\n"
        << "  labels       16 input, 16 output, 16 touch screen\n"
        << "  location     \"" << backup.location << "\"\n"
        << "  description  \"" << backup.description << "\"\n"
        << "  RS232 speed  " << backup.rs232Baud << "\n"
        << "  gate report  " << backup.gateReport << "\n"
        << "  gain limits  16 inputs, 16 outputs\n"
        << "  live values  " << backup.liveValues.values().size()
        << " parameters as the unit has them now\n";
    console.flush();
    return ExitOk;
}
