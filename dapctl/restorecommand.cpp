#include "dapctl/restorecommand.h"

#include "dapctl/backupfile.h"
#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/presetjobs.h"
#include "unitlink/printable.h"
#include "dapctl/statelink.h"
#include "dapctl/unitlink.h"
#include "model/unitstate.h"
#include "pages/devicestatus.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "protocol/transport.h"
#include "unitlink/presetlist.h"
#include "unitlink/readplan.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Proto;
using namespace Model;

QString RestoreCommand::summary() const
{
    return QStringLiteral("write a backup file into a unit");
}

QString RestoreCommand::description() const
{
    return QStringLiteral(
        "Checks FILE (format, version, checksum, every path and value) before anything is "
        "written, then imports its 32 presets and recalls the preset that was active (not with "
        "--no-recall). A file of format 2 then writes the live value of every parameter it "
        "holds, one frame per record, reads them back and names any that did not take (exit "
        "code 1); a file of format 1 writes the labels, location, description, RS232 speed, "
        "gate report and gain limits. It reports what it wrote.");
}

unsigned RestoreCommand::optionGroups() const
{
    return CtlOptions::UnitOptions | CtlOptions::NoRecallOption;
}

int RestoreCommand::run(const QStringList &args, const CtlOptions &options, CtlConsole &console)
{
    if (args.size() != 2)
        return usageError(console, QStringLiteral("give a unit and a file"));
    const QString path = args[1];
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(console, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    QString error;
    // One byte beyond the largest file is enough to refuse a larger one.
    const std::optional<BackupFile> backup =
        BackupFile::fromJson(file.read(BackupFile::MaxFileSize + 1), error);
    if (!backup)
        return failure(console, QStringLiteral("%1: %2; nothing was written").arg(path, error));

    QTemporaryDir scratch;
    const QString image = scratch.filePath(QStringLiteral("presets.pstl"));
    QFile imageFile(image);
    if (!scratch.isValid() || !imageFile.open(QIODevice::WriteOnly) ||
        imageFile.write(backup->presetImage) != backup->presetImage.size() || !imageFile.flush())
        return failure(
            console,
            QStringLiteral("cannot prepare the preset image: %1").arg(imageFile.errorString()));
    imageFile.close();

    UnitLink link(options);
    if (!connect(link, args[0], options, console))
        return ExitFailure;
    QTextStream &out = console.out();

    // The presets first: the unit refuses an image of another size before any
    // of it is sent, and then nothing at all has been written.
    PresetJobs jobs(link, console);
    if (!jobs.importFrom(PresetJobs::AllSlots, image))
        return failure(console, jobs.dataMoved()
                                    ? QStringLiteral("the import of the presets did not finish: "
                                                     "%1; the unit's presets may be incomplete")
                                          .arg(jobs.errorString())
                                    : QStringLiteral("the unit did not take the presets: %1; "
                                                     "nothing was written")
                                          .arg(jobs.errorString()));
    QStringList report;
    report
        << QStringLiteral("  presets      32 slots, %1 hold a preset").arg(backup->presetCount());
    if (!options.noRecall && backup->slotHoldsPreset(backup->currentPreset)) {
        if (!jobs.recall(backup->currentPreset))
            return failure(
                console,
                QStringLiteral("the presets were written, but %1").arg(jobs.errorString()));
        const std::optional<PresetList> list = readPresetList(link, error);
        report << QStringLiteral("  recalled     preset %1 \"%2\"")
                      .arg(backup->currentPreset + 1)
                      .arg(
                          printable(list ? list->names[size_t(backup->currentPreset)] : QString()));
    }

    error.clear();
    if (backup->version >= 2) {
        if (!writeLive(link, *backup, report, error))
            return failure(console, error);
    } else if (!writeSettings(link, *backup, report, error)) {
        return failure(console, error);
    }

    // A unit reached by its address has no device id in the backup (0).
    out << "restored " << path << " (from "
        << (backup->unitId ? QStringLiteral("unit %1, ").arg(backup->unitId) : QString())
        << printable(backup->model) << ", SN " << printable(backup->serial) << ", "
        << backup->created.toString(Qt::ISODate) << ") into " << link.target().describe() << ":\n"
        << report.join(QLatin1Char('\n')) << '\n';
    console.flush();
    return ExitOk;
}

bool RestoreCommand::writeSettings(UnitLink &link, const BackupFile &backup, QStringList &report,
                                   QString &error)
{
    // Labels, as the label page writes them.
    const QStringList *tables[] = {&backup.inputLabels, &backup.outputLabels, &backup.panelLabels};
    const quint8 cmds[] = {LabelCmd::Inputs, LabelCmd::Outputs, LabelCmd::Panel};
    for (int t = 0; t < 3; ++t)
        for (int c = 0; c < BackupFile::Channels; ++c)
            sendPacket(OpSystem, SysModule::Labels, cmds[t], FlagWrite,
                       QByteArray(1, char(c)) +
                           LocalText::encodeFitting(tables[t]->at(c), t == 2 ? 10 : 16));
    report << QStringLiteral("  labels       16 input, 16 output, 16 touch screen");

    // The settings, as the settings page writes them: it needs the unit's own
    // values first (an unchanged text is not sent).
    DeviceStatus status;
    QVector<UnitLink::Request> reads;
    for (quint8 cmd : {SettingsCmd::Location, SettingsCmd::Description, SettingsCmd::Rs232Baud,
                       SettingsCmd::GateReport})
        reads.append({OpSystem, SysModule::Settings, cmd, {}});
    for (const auto &f : link.readAll(reads)) {
        if (!f) {
            error = QStringLiteral("the presets and labels were written, but %1")
                        .arg(link.errorString());
            return false;
        }
        status.handle(*f);
    }
    status.setLocation(backup.location);
    status.setDescription(backup.description);
    status.setRs232BaudIndex(DeviceStatus::baudIndex(backup.rs232Baud));
    status.setGateReport(backup.gateReport);
    report << QStringLiteral("  location     \"%1\"").arg(printable(status.location()))
           << QStringLiteral("  description  \"%1\"").arg(printable(status.description()))
           << QStringLiteral("  RS232 speed  %1").arg(backup.rs232Baud)
           << QStringLiteral("  gate report  %1").arg(backup.gateReport);

    // Gain limits, as the settings page sends them: maximum, then minimum.
    for (int c = 0; c < BackupFile::Channels; ++c) {
        sendCommand(Module::PreMixLevel, PreMixCmd::Limits, quint8(c),
                    Le::bytes(qint8(backup.inputLimits[size_t(c)][0]),
                              qint8(backup.inputLimits[size_t(c)][1])));
        sendCommand(Module::OutputLevel, OutLevelCmd::Limits, quint8(c),
                    Le::bytes(qint8(backup.outputLimits[size_t(c)][0]),
                              qint8(backup.outputLimits[size_t(c)][1])));
    }
    report << QStringLiteral("  gain limits  16 inputs, 16 outputs");
    if (!link.sync()) {
        error =
            QStringLiteral("the unit did not confirm the last writes: %1").arg(link.errorString());
        return false;
    }
    return true;
}

bool RestoreCommand::writeLive(UnitLink &link, const BackupFile &backup, QStringList &report,
                               QString &error)
{
    const Catalogue &c = Catalogue::instance();
    const LiveValues &values = backup.liveValues;
    StateLink io(link);
    // Records the file leaves fields of unset are the unit's own, so each
    // record goes whole in one frame.
    UnitState state;
    if (!io.read(state, values.recordsToRead(false)) || !values.store(state, false, error)) {
        error = QStringLiteral("the presets were written, but %1")
                    .arg(error.isEmpty() ? io.errorString() : error);
        return false;
    }
    const QVector<Proto::Frame> frames = state.writeFrames(values.ids());
    io.send(frames);
    if (!link.sync()) {
        error =
            QStringLiteral("the unit did not confirm the live values: %1").arg(link.errorString());
        return false;
    }
    // Read back: every value must be what was written.
    UnitState back;
    if (!io.read(back, ReadPlan::recordsFor(values.ids()))) {
        error = QStringLiteral("the live values were written, but reading them back failed: %1")
                    .arg(io.errorString());
        return false;
    }
    QStringList missed;
    for (const ParamId &id : values.ids()) {
        const bool refused = io.refused().contains(ReadPlan::readInstance(c.recordOf(id)));
        if (refused || back.valueText(id) != state.valueText(id))
            missed << QStringLiteral("%1 (wrote %2, the unit has %3)")
                          .arg(c.path(id), printable(state.valueText(id)),
                               refused ? QStringLiteral("no such block")
                                       : printable(back.valueText(id)));
    }
    report << QStringLiteral("  location     \"%1\"")
                  .arg(printable(back.text(c.id("system.location"))))
           << QStringLiteral("  description  \"%1\"")
                  .arg(printable(back.text(c.id("system.description"))))
           << QStringLiteral("  RS232 speed  %1").arg(back.valueText(c.id("system.rs232")))
           << QStringLiteral("  gate report  %1").arg(back.valueText(c.id("system.gatereport")))
           << QStringLiteral("  live values  %1 parameters in %2 frames, read back")
                  .arg(values.values().size())
                  .arg(frames.size());
    if (!missed.isEmpty()) {
        error = QStringLiteral("%1 of the live values did not take: %2")
                    .arg(missed.size())
                    .arg(missed.join(QStringLiteral(", ")));
        return false;
    }
    return true;
}
