#include "dapctl/configcompare.h"

#include "dapctl/backupfile.h"
#include "model/unitstate.h"

#include <QFile>

using namespace Model;

namespace {

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

bool ConfigSide::fromBackup(const BackupFile &backup, ConfigSide &side, QString &error)
{
    side.state = std::make_shared<UnitState>();
    side.has.clear();
    side.file = true;
    if (backup.version < 2) {
        fromFormat1(backup, *side.state, side.has);
        return true;
    }
    if (!backup.liveValues.store(*side.state, false, error))
        return false;
    for (const ParamId &id : backup.liveValues.ids())
        side.has.insert(id, true);
    return true;
}

bool ConfigSide::fromFile(const QString &path, ConfigSide &side, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const std::optional<BackupFile> b =
        BackupFile::fromJson(file.read(BackupFile::MaxFileSize + 1), error);
    if (!b || !fromBackup(*b, side, error)) {
        error = QStringLiteral("%1: %2").arg(path, error);
        return false;
    }
    return true;
}

QVector<ParamId> compareConfigs(const ConfigSide &a, const ConfigSide &b)
{
    QVector<ParamId> out;
    for (const ParamId &id : cat().all()) {
        if (!compared(id))
            continue;
        const bool inA = a.has.contains(id), inB = b.has.contains(id);
        if (!inA && !inB)
            continue;
        if (inA != inB && (a.file || b.file))
            continue;
        if (inA && inB && a.state->valueText(id) == b.state->valueText(id))
            continue;
        out.append(id);
    }
    return out;
}
