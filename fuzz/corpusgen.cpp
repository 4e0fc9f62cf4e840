// Writes the seed corpus of every fuzz target: the frames the program's pages
// really send and what the simulated unit answers them, the unit's
// announcement, the configuration files the program ships, real preset
// transfers, a few commands and backup files. Run by the build; the argument is the folder
// that receives one sub-folder per target.

#include "dapctl/backupfile.h"
#include "fuzz/fuzzsupport.h"
#include "fuzz/pagerig.h"
#include "model/unitstate.h"
#include "pages/blockpage.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "sim/simmodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace {

QString g_root;

void writeSeed(const char *target, const QString &name, const QByteArray &bytes)
{
    const QString dir = g_root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(dir);
    QFile f(dir + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        fuzzFail("cannot write a seed");
}

QByteArray frameBytes(const Proto::Frame &f)
{
    return Proto::makeFrame(f.codeId, f.op, f.module, f.cmd, f.flag, f.payload);
}

// The requests a page sends when it is shown and refreshed, the unit's answers
// to them: as pages records and as one stream for the receive target.
void pageSeeds(PageRig &rig, SimModel &sim)
{
    for (int page = 0; page < FuncWidget::PageCount; ++page) {
        rig.container.setCurrentPage(page);
        rig.container.page(page)->refresh();
        if (page == FuncWidget::Settings)
            rig.container.refreshSettings();
        if (page == FuncWidget::Label)
            rig.container.refreshLabelPage();
        QByteArray records = PageRecord::refresh(quint8(page));
        QByteArray stream(1, char(5 + page)); // piece size of the receive target
        for (const Proto::Frame &request : rig.socket.takeFrames()) {
            stream += frameBytes(request);
            for (const SimAnswer &a : sim.handle(request)) {
                records += PageRecord::frame(a.op, a.module, a.cmd, a.flag, a.payload);
                stream += Proto::makeFrame(1, a.op, a.module, a.cmd, a.flag, a.payload);
            }
        }
        const QString name = QStringLiteral("page-%1").arg(page, 2, 10, QLatin1Char('0'));
        writeSeed("fuzz_pages", name, records);
        writeSeed("fuzz_receive", name, stream);
    }
}

void announcementSeeds(SimModel &sim)
{
    const QByteArray first = sim.announcement();
    writeSeed("fuzz_announcement", QStringLiteral("one"), first);
    sim.presetName = QStringLiteral("Evening");
    sim.system().location =
        QString::fromUtf8("\xe4\xbc\x9a\xe8\xae\xae\xe5\xae\xa4"); // GB2312 text
    const QByteArray second = sim.announcement();
    sim.machineId = 2;
    const QByteArray other = sim.announcement();
    const QByteArray select(1, char(4)); // machine id 0 for both announcements of the first unit
    writeSeed("fuzz_announcement", QStringLiteral("changes"),
              select + first + select + second + QByteArray(1, '\0') + other);
}

void configSeeds()
{
    QFile shipped(QStringLiteral(DAP_SOURCE_DIR "/resources/translations/language.dat"));
    const QByteArray languages = shipped.open(QIODevice::ReadOnly)
                                     ? shipped.readAll()
                                     : QByteArray("lang:english;font:Arial;\r\n");
    writeSeed("fuzz_config", QStringLiteral("empty"), configInput(QByteArray(), languages));
    writeSeed("fuzz_config", QStringLiteral("full"),
              configInput("current lang:1\r\ncode:12;\r\nconnect ip:127.0.0.1\r\nEN:Hall A\r\n"
                          "CN:\xe4\xbc\x9a\xe8\xae\xae\xe5\xae\xa4\r\nHighDpiScaling:0\r\n",
                          languages));
    writeSeed("fuzz_config", QStringLiteral("saved"),
              configInput("current lang:0\r\ncode:5318\r\nHighDpiScaling:1\r\n", languages));
}

// Real transfers: the unit's own record as the file's pattern and sizes, and
// a unit that takes and sends whole chunks.
void presetSeeds(SimModel &sim)
{
    using namespace PresetRecord;
    const auto exportSize = [&](quint8 cmd, const QByteArray &payload) {
        Proto::Frame f;
        f.op = Proto::OpBlock;
        f.module = Proto::Module::Preset;
        f.cmd = cmd;
        f.flag = Proto::FlagWrite;
        f.payload = payload;
        f.length = quint16(payload.size());
        const QVector<SimAnswer> answers = sim.handle(f);
        return answers.isEmpty() ? 0u : Le::get<quint32>(answers.first().payload, 0);
    };
    const quint32 one = exportSize(Proto::PresetCmd::ExportOne, QByteArray(1, '\0'));
    const quint32 all = exportSize(Proto::PresetCmd::ExportAll, QByteArray());
    const QByteArray pattern = QByteArray(1, '\1') +
                               QByteArray("Boot Default").leftJustified(16, '\0') +
                               QByteArray(64, '\x5a');
    const auto steps = [](quint32 size, quint8 step) -> QByteArray {
        return QByteArray(1, char(SizeAnswer)) + QByteArray(int(size / 1024 + 40), char(step));
    };
    writeSeed("fuzz_presettransfer", QStringLiteral("import-one"),
              header(Import | LargeFile, 3, one, pattern) + steps(one, TakeAll));
    writeSeed("fuzz_presettransfer", QStringLiteral("import-all"),
              header(Import | AllSlots | LargeFile, 0, all, pattern) + steps(all, TakeAll));
    writeSeed("fuzz_presettransfer", QStringLiteral("export-one"),
              header(Export | LargeFile, 0, one, pattern) + steps(one, TakeAll));
    writeSeed("fuzz_presettransfer", QStringLiteral("export-all"),
              header(Export | AllSlots | LargeFile, 0, all, pattern) + steps(all, TakeAll));
    writeSeed("fuzz_presettransfer", QStringLiteral("import-partial"),
              header(Import, 1, 2500, pattern) + QByteArray(1, char(SizeAnswer)) +
                  Le::bytes(quint8(TakeSome), quint16(600), quint8(TakeAll), quint8(Cancel),
                            quint8(TakeAll)));
}

void commandSeeds()
{
    const auto seed = [](quint8 channel, bool on, double dB, const QString &password) {
        QByteArray b = Le::bytes(channel, quint8(on), dB);
        for (const QChar c : password)
            b += Le::bytes(quint16(c.unicode()));
        return b;
    };
    writeSeed("fuzz_commandbuilder", QStringLiteral("plain"),
              seed(2, true, 0.0, QStringLiteral("1234")));
    writeSeed("fuzz_commandbuilder", QStringLiteral("off"), seed(0, false, -56.0, QString()));
    writeSeed("fuzz_commandbuilder", QStringLiteral("wide"),
              seed(15, true, 12.0, QString::fromUtf8("p\xc3\xa4ss\xe4\xbc\x9a")));
}

// Backup files: one as dapctl writes it, and files with a right checksum
// whose values are not: texts far too long (a quadratic cut of 100,000
// Chinese characters shows as a time-out), numbers beyond their type, reversed gain limits.
void backupSeeds()
{
    BackupFile b;
    b.unitId = 1001;
    b.model = QStringLiteral("DAP-1616");
    b.serial = QStringLiteral("SN0001");
    b.created = QDateTime(QDate(2024, 5, 1), QTime(9, 8, 7), Qt::UTC);
    b.presetImage = QByteArray(BackupFile::Slots * 48, '\1');
    b.currentPreset = 4;
    for (int c = 0; c < BackupFile::Channels; ++c) {
        b.inputLabels << QString::fromUtf8("\xe8\xae\xb2\xe5\x8f\xb0 %1").arg(c + 1);
        b.outputLabels << QStringLiteral("Out %1").arg(c + 1);
        b.panelLabels << QString();
        b.inputLimits[size_t(c)] = {{12, -56}};
        b.outputLimits[size_t(c)] = {{6, -40}};
    }
    b.location = QStringLiteral("Hall");
    writeSeed("fuzz_backupfile", QStringLiteral("plain"), b.toJson());

    BackupFile longText = b;
    longText.location = QString::fromUtf8("\xe8\xae\xb2\xe5\x8f\xb0").repeated(50000);
    writeSeed("fuzz_backupfile", QStringLiteral("long-location"), longText.toJson());

    const QJsonObject o = QJsonDocument::fromJson(b.toJson()).object();
    const auto edited = [&o](const char *section, const char *key, const QJsonValue &value) {
        QJsonObject copy = o;
        QJsonObject inner = copy.value(QLatin1String(section)).toObject();
        inner.insert(QLatin1String(key), value);
        copy.insert(QLatin1String(section), inner);
        return BackupFile::sealed(copy);
    };
    writeSeed("fuzz_backupfile", QStringLiteral("speed-past-32-bits"),
              edited("settings", "rs232Baud", 4294976896.0));
    writeSeed("fuzz_backupfile", QStringLiteral("huge-unit-id"), edited("unit", "id", 1e300));
    writeSeed("fuzz_backupfile", QStringLiteral("half-preset"), edited("presets", "current", 2.5));
    QJsonArray limits;
    for (int c = 0; c < BackupFile::Channels; ++c)
        limits.append(QJsonArray{c == 3 ? -20 : 6, c == 3 ? 0 : -40});
    writeSeed("fuzz_backupfile", QStringLiteral("reversed-limits"),
              edited("gainLimits", "output", limits));

    // Format 2: the live values of a factory unit, and values edited by hand.
    BackupFile live = b;
    Model::UnitState state;
    live.live = LiveValues::fromState(state, [](const Model::RecordId &) { return true; });
    writeSeed("fuzz_backupfile", QStringLiteral("live"), live.toJson());
    BackupFile format1 = b;
    format1.version = 1;
    writeSeed("fuzz_backupfile", QStringLiteral("format-1"), format1.toJson());
    const auto liveEdited = [&b](const QJsonObject &values) {
        QJsonObject copy = QJsonDocument::fromJson(b.toJson()).object();
        copy.insert(QStringLiteral("live"), values);
        return BackupFile::sealed(copy);
    };
    writeSeed("fuzz_backupfile", QStringLiteral("live-flat"),
              liveEdited({{QStringLiteral("input.3.eq.2.gain"), -6.5},
                          {QStringLiteral("matrix.3.5"), true},
                          {QStringLiteral("input.2.mode"), QStringLiteral("mic")},
                          {QStringLiteral("label.panel.1"), QStringLiteral("Pulpit")}}));
    writeSeed("fuzz_backupfile", QStringLiteral("live-out-of-range"),
              liveEdited({{QStringLiteral("input.3.eq.2.gain"), 35}}));
    writeSeed("fuzz_backupfile", QStringLiteral("live-unknown-path"),
              liveEdited({{QStringLiteral("input.3.volume"), 1}}));
    writeSeed(
        "fuzz_backupfile", QStringLiteral("live-reversed-limits"),
        liveEdited({{QStringLiteral("premix.2.max"), -30}, {QStringLiteral("premix.2.min"), 0}}));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    PageRig::initApplication("fuzz_corpusgen");
    PageRig rig;
    SimModel sim;
    pageSeeds(rig, sim);
    announcementSeeds(sim);
    configSeeds();
    presetSeeds(sim);
    commandSeeds();
    backupSeeds();
    return 0;
}
