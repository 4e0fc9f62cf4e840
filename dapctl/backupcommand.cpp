#include "dapctl/backupcommand.h"

#include "dapctl/backupfile.h"
#include "dapctl/ctlconsole.h"
#include "dapctl/exitcode.h"
#include "dapctl/presetjobs.h"
#include "dapctl/presetlist.h"
#include "dapctl/unitlink.h"
#include "pages/devicestatus.h"
#include "pages/levels/gainrules.h"
#include "protocol/answerreader.h"
#include "protocol/commands.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

using namespace Proto;

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
        "checksum. Settings changed on the unit but not saved into a preset are not part of "
        "the presets: save them into a preset first.");
}

unsigned BackupCommand::optionGroups() const
{
    return CtlOptions::UnitOptions;
}

bool BackupCommand::readSettings(UnitLink &link, BackupFile &b, QString &error)
{
    QVector<UnitLink::Request> reads;
    for (quint8 table : {LabelCmd::Inputs, LabelCmd::Outputs, LabelCmd::Panel})
        reads.append({OpSystem, SysModule::Labels, table, {}});
    reads.append({OpBlock, Module::PreMixLevel, PreMixCmd::Limits, {}});
    reads.append({OpBlock, Module::OutputLevel, OutLevelCmd::Limits, {}});
    for (quint8 cmd : {SettingsCmd::Model, SettingsCmd::Serial, SettingsCmd::ArmVersion,
                       SettingsCmd::DspVersion, SettingsCmd::Location, SettingsCmd::Description,
                       SettingsCmd::Rs232Baud, SettingsCmd::GateReport})
        reads.append({OpSystem, SysModule::Settings, cmd, {}});
    const auto answers = link.readAll(reads);
    for (const auto &a : answers)
        if (!a) {
            error = link.errorString();
            return false;
        }
    const auto unreadable = [&error](const Proto::Frame &f) {
        error = QStringLiteral("the unit's answer to op %1 module %2 cmd %3 is not one the "
                               "program can read")
                    .arg(f.op)
                    .arg(f.module)
                    .arg(f.cmd);
        return false;
    };

    QStringList *tables[] = {&b.inputLabels, &b.outputLabels, &b.panelLabels};
    for (int t = 0; t < 3; ++t) {
        const Proto::Frame &f = *answers[t];
        const int width = t == 2 ? 10 : 16;
        AnswerReader a(f.flag, f.length, f.payload);
        if (!a.exact(BackupFile::Channels * width))
            return unreadable(f);
        tables[t]->clear();
        for (int c = 0; c < BackupFile::Channels; ++c)
            tables[t]->append(a.text(c * width, width));
    }
    std::array<std::array<int, 2>, BackupFile::Channels> *limits[] = {&b.inputLimits,
                                                                      &b.outputLimits};
    for (int side = 0; side < 2; ++side) {
        const Proto::Frame &f = *answers[3 + side];
        AnswerReader a(f.flag, f.length, f.payload);
        if (!a.exact(BackupFile::Channels * 8))
            return unreadable(f);
        // As the level pages read them: whole dB within -56..12.
        for (int c = 0; c < BackupFile::Channels; ++c)
            for (int i = 0; i < 2; ++i)
                (*limits[side])[size_t(c)][size_t(i)] =
                    a.truncated(c * 8 + i * 4, GainRules::LimitMin, GainRules::LimitMax)
                        .value_or(GainRules::LimitMin);
    }
    DeviceStatus status;
    for (int i = 5; i < answers.size(); ++i)
        status.handle(*answers[i]);
    if (status.rs232BaudIndex() < 0 || status.gateReport() < 0) {
        error = QStringLiteral("the unit reported no RS232 speed or gate report the program "
                               "knows");
        return false;
    }
    const auto version = [](const DeviceStatus::Version &v) {
        return QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]);
    };
    b.model = status.model();
    b.serial = status.serialNumber();
    b.armVersion = version(status.armVersion());
    b.dspVersion = version(status.dspVersion());
    b.location = status.location();
    b.description = status.description();
    b.rs232Baud = DeviceStatus::baudRates()[size_t(status.rs232BaudIndex())];
    b.gateReport = status.gateReport();
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
    const std::optional<PresetList> list = PresetList::read(link, error);
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
    if (!readSettings(link, backup, error))
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
        << "  gain limits  16 inputs, 16 outputs\n";
    console.flush();
    return ExitOk;
}
