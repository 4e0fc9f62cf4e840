// Fuzz target for dapctl's backup files: BackupFile::fromJson reads the
// input as a file's bytes. What it accepts must survive being written back:
// toJson, read again, gives the same values. The texts it accepts are then
// encoded as restore sends them, which must be quick for any accepted text.
// The live values of format 2 must each be one a parameter takes, and make
// the writes a restore sends.

#include "dapctl/backupfile.h"
#include "fuzz/fuzzsupport.h"
#include "model/unitstate.h"
#include "pages/devicestatus.h"
#include "protocol/localtext.h"

#include <QCoreApplication>

namespace {

bool sameValues(const BackupFile &a, const BackupFile &b)
{
    return a.unitId == b.unitId && a.model == b.model && a.serial == b.serial &&
           a.armVersion == b.armVersion && a.dspVersion == b.dspVersion &&
           a.created.toString(Qt::ISODate) == b.created.toString(Qt::ISODate) &&
           a.presetImage == b.presetImage && a.currentPreset == b.currentPreset &&
           a.inputLabels == b.inputLabels && a.outputLabels == b.outputLabels &&
           a.panelLabels == b.panelLabels && a.location == b.location &&
           a.description == b.description && a.rs232Baud == b.rs232Baud &&
           a.gateReport == b.gateReport && a.inputLimits == b.inputLimits &&
           a.outputLimits == b.outputLimits;
}

void checkLimits(const std::array<std::array<int, 2>, BackupFile::Channels> &limits)
{
    for (const auto &l : limits)
        if (l[0] < l[1] || l[0] > 12 || l[1] < -56)
            fuzzFail("gain limits off the scale or reversed were accepted");
}

bool sameLive(const LiveValues &a, const LiveValues &b)
{
    if (a.values().size() != b.values().size())
        return false;
    for (int i = 0; i < a.values().size(); ++i) {
        const LiveValues::Value &x = a.values()[i];
        const LiveValues::Value &y = b.values()[i];
        if (x.id != y.id || x.number != y.number || x.text != y.text)
            return false;
    }
    return true;
}

// Every live value within its parameter's range, and the writes of them all.
void checkLive(const BackupFile &b)
{
    const Model::Catalogue &c = Model::Catalogue::instance();
    Model::UnitState state;
    QString error;
    if (!b.liveValues.store(state, false, error))
        fuzzFail("accepted live values cannot be stored");
    for (const LiveValues::Value &v : b.liveValues.values()) {
        const Model::ParamDesc &d = c.param(v.id);
        if (d.is(Model::ReadOnly) || d.is(Model::RunTime))
            fuzzFail("a value of a parameter only the unit sets was accepted");
        if (d.kind != Model::Kind::Text && (v.number < d.minimum || v.number > d.maximum))
            fuzzFail("a live value outside its range was accepted");
        if (d.kind == Model::Kind::Text &&
            LocalText::encodeFitting(state.text(v.id), d.width).size() > d.width)
            fuzzFail("a live text encoded longer than its field");
    }
    for (const Proto::Frame &f : state.writeFrames(b.liveValues.ids()))
        if (f.op == 0 || f.payload.size() > 64)
            fuzzFail("a live value made a write no record has");
}

void encodeAsRestoreDoes(const BackupFile &b)
{
    const QStringList *tables[] = {&b.inputLabels, &b.outputLabels, &b.panelLabels};
    for (int t = 0; t < 3; ++t) {
        const int width = t == 2 ? 10 : 16;
        for (const QString &label : *tables[t])
            if (LocalText::encodeFitting(label, width).size() > width)
                fuzzFail("a label encoded longer than its field");
    }
    for (const QString *text : {&b.location, &b.description})
        if (LocalText::encodeFitting(*text, DeviceStatus::TextWidth).size() >
            DeviceStatus::TextWidth)
            fuzzFail("a text encoded longer than its field");
}

} // namespace

// Qt's libraries have no frame pointers: only the slow unwinder sees that a
// leak inside Qt's JSON parser (fuzz/lsan.supp) happened in it.
extern "C" const char *__asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_backupfile";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = [] {
        quietLogging();
        return new QCoreApplication(argc, argv);
    }();
    (void)app;

    QString error;
    const std::optional<BackupFile> backup =
        BackupFile::fromJson(QByteArray(reinterpret_cast<const char *>(data), int(size)), error);
    if (!backup) {
        if (error.isEmpty())
            fuzzFail("a file was refused without a reason");
        return 0;
    }
    if (backup->currentPreset < 0 || backup->currentPreset >= BackupFile::Slots ||
        DeviceStatus::baudIndex(backup->rs232Baud) < 0 || backup->gateReport < 0 ||
        backup->gateReport >= DeviceStatus::GateReportModes)
        fuzzFail("a value outside its field was accepted");
    checkLimits(backup->inputLimits);
    checkLimits(backup->outputLimits);
    encodeAsRestoreDoes(*backup);
    checkLive(*backup);

    QString again;
    const std::optional<BackupFile> reread = BackupFile::fromJson(backup->toJson(), again);
    if (!reread)
        fuzzFail("a backup written back is refused");
    if (!sameValues(*backup, *reread) || reread->version != backup->version ||
        !sameLive(backup->liveValues, reread->liveValues))
        fuzzFail("a backup written back reads differently");
    return 0;
}
