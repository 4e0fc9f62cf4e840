// Fuzz target for the preset file transfers: an import walks a file of the
// input's making, an export writes one, both driven by the answers of a unit
// the input plays (see PresetRecord). The unit may answer correctly, take or
// send only part of a chunk, send answers of any command, flag and length,
// and the operator may cancel or another transfer take the progress.
//
// Checked after every answer: everything sent is well-formed; each import
// chunk lies inside the file and carries the file's own bytes there; each
// export request lies inside the announced image and asks for 1..1024 bytes;
// an export the unit served truthfully leaves exactly the image in the file;
// until an export has finished its file is what it was before, and an export
// that ended leaves no temporary file behind.

#include "fuzz/capturesocket.h"
#include "fuzz/fuzzbytes.h"
#include "fuzz/fuzzsupport.h"
#include "presets/presettransfer.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"
#include "protocol/progressguard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstring>

namespace {

namespace Cmd = Proto::PresetCmd;
// Large enough for a file of all 32 presets with records of two chunks and
// more; a mode byte without its high bit keeps the file small. A file as
// large as the simulated unit's (about 270 KiB) tests nothing more, but
// making and writing it would take most of every run.
constexpr quint32 MaxFileSize = 64 * 1024;
constexpr quint32 MaxSmallFileSize = 4096;

// The pattern repeated to `size` bytes, filled by doubling. The bytes live in
// one buffer kept from run to run, so a large file costs no fresh pages.
QByteArray repeated(QByteArray pattern, quint32 size)
{
    if (pattern.isEmpty())
        pattern = QByteArrayLiteral("\x01\x00\x5a\xa5");
    static QByteArray out;
    out.resize(int(size));
    char *d = out.data();
    int filled = qMin(pattern.size(), int(size));
    std::memcpy(d, pattern.constData(), size_t(filled));
    while (filled < int(size)) {
        const int n = qMin(filled, int(size) - filled);
        std::memcpy(d + filled, d, size_t(n));
        filled += n;
    }
    return out;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Session
{
    explicit Session(CaptureSocket &socket) : socket(socket)
    {
        QObject::connect(&transfer, &PresetTransfer::finished, [this] { finished = true; });
    }

    void begin(quint8 mode, quint8 slot)
    {
        exporting = mode & PresetRecord::Export;
        all = mode & PresetRecord::AllSlots;
        const int target = all ? PresetTransfer::AllSlots : slot;
        honest = true;
        finished = false;
        if (exporting) {
            kept = readFile(exportPath);
            transfer.beginExport(target, exportPath);
        } else {
            transfer.beginImport(target, importPath);
        }
        check();
    }

    void answer(quint8 cmd, quint8 flag, const QByteArray &payload)
    {
        transfer.receive(cmd, flag, quint16(payload.size()), payload);
        check();
    }

    void sizeAnswer(quint8 cmd, quint32 size) { answer(cmd, Proto::FlagAnswer, Le::bytes(size)); }

    // The unit sends `count` bytes of its image from where it was asked.
    void exportData(quint32 count)
    {
        answer(Cmd::ExportData, Proto::FlagAnswer, image.mid(int(lastOffset), int(count)));
    }

    // Checks what the transfer sent since the last look.
    void check()
    {
        const QVector<Proto::Frame> frames = socket.takeFrames();
        for (const Proto::Frame &f : frames) {
            if (f.op != Proto::OpBlock || f.module != Proto::Module::Preset)
                fuzzFail("a preset transfer sent outside the preset module");
            if (f.cmd == Cmd::ImportData)
                checkImportChunk(f.payload);
            else if (f.cmd == Cmd::ExportData)
                checkExportRequest(f.payload);
        }
        if (exporting)
            checkExportFile();
        finished = false;
    }

    void checkExportFile()
    {
        const QByteArray now = readFile(exportPath);
        if (finished) {
            if (honest && now != image.left(int(transfer.total())))
                fuzzFail("an export did not leave the image in its file");
            kept = now;
        } else if (now != kept) {
            fuzzFail("an export that did not finish changed its file");
        }
        if (transfer.state() == PresetTransfer::State::Idle &&
            !QDir()
                 .entryList({exportPath + QStringLiteral(".*")}, QDir::Files | QDir::Hidden)
                 .isEmpty())
            fuzzFail("an export that ended left a temporary file");
    }

    void checkImportChunk(const QByteArray &payload)
    {
        if (payload.size() < 4)
            fuzzFail("an import chunk without its offset");
        const quint32 offset = Le::get<quint32>(payload, 0);
        const QByteArray data = payload.mid(4);
        if (data.size() > PresetTransfer::ChunkSize)
            fuzzFail("an import chunk larger than 1024 bytes");
        if (quint64(offset) + quint64(data.size()) > quint64(file.size()))
            fuzzFail("an import chunk outside the file");
        if (file.mid(int(offset), data.size()) != data)
            fuzzFail("an import chunk that is not the file's bytes");
        lastChunk = quint32(data.size());
    }

    void checkExportRequest(const QByteArray &payload)
    {
        if (payload.size() != 8)
            fuzzFail("an export request of the wrong length");
        lastOffset = Le::get<quint32>(payload, 0);
        lastRequested = Le::get<quint32>(payload, 4);
        if (lastRequested == 0 || lastRequested > quint32(PresetTransfer::ChunkSize))
            fuzzFail("an export request for no bytes or more than a chunk");
        if (quint64(lastOffset) + lastRequested > transfer.total())
            fuzzFail("an export request past the image");
    }

    CaptureSocket &socket;
    ProgressGuard progress;
    PresetTransfer transfer{&progress};
    QObject other; // a transfer that takes the progress away
    QString importPath = QStringLiteral("import.pstl");
    QString exportPath = QStringLiteral("export.pstl");
    QByteArray file;  // import
    QByteArray image; // export: what the unit holds
    QByteArray kept;  // export: the file as the last finished export left it
    bool exporting = false;
    bool all = false;
    bool honest = true; // the unit answered only with its true size and image
    bool finished = false;
    quint32 lastChunk = 0;
    quint32 lastOffset = 0;
    quint32 lastRequested = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_presettransfer";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = [] {
        quietLogging();
        auto *a = new QCoreApplication(argc, argv);
        enterScratchDir();
        return a;
    }();
    (void)app;
    static CaptureSocket *socket = [] {
        auto *s = new CaptureSocket;
        s->makeCurrent();
        return s;
    }();

    FuzzBytes in(data, size);
    const quint8 mode = in.u8();
    const quint8 slot = in.u8();
    const quint32 fileSize =
        in.u32() % ((mode & PresetRecord::LargeFile ? MaxFileSize : MaxSmallFileSize) + 1);
    const QByteArray pattern = in.bytes(in.u16());

    Session s(*socket);
    s.file = s.image = repeated(pattern, fileSize);
    {
        QFile f(s.importPath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(s.file) != s.file.size())
            fuzzFail("cannot write the import file");
    }
    s.begin(mode, slot);

    while (!in.atEnd()) {
        switch (in.u8() % PresetRecord::StepCount) {
        case PresetRecord::SizeAnswer: {
            const quint8 cmd = s.exporting ? (s.all ? Cmd::ExportAll : Cmd::ExportOne)
                                           : (s.all ? Cmd::ImportAll : Cmd::ImportOne);
            s.sizeAnswer(cmd, fileSize);
            break;
        }
        case PresetRecord::RawSize: {
            const quint8 cmd = quint8(Cmd::ExportOne + in.u8() % 6);
            s.honest = s.honest && cmd > Cmd::ExportData;
            s.sizeAnswer(cmd, in.u32());
            break;
        }
        case PresetRecord::TakeAll:
            if (s.exporting)
                s.exportData(s.lastRequested);
            else
                s.sizeAnswer(Cmd::ImportData, s.lastChunk);
            break;
        case PresetRecord::TakeSome: {
            const quint16 count = in.u16();
            if (s.exporting)
                s.exportData(count);
            else
                s.sizeAnswer(Cmd::ImportData, count);
            break;
        }
        case PresetRecord::RawAnswer: {
            const quint8 cmd = in.u8();
            const quint8 flag = in.u8();
            const QByteArray payload = in.bytes(in.u16());
            s.honest = s.honest &&
                       (cmd < Cmd::ExportOne || cmd > Cmd::ExportData || flag != Proto::FlagAnswer);
            s.answer(cmd, flag, payload);
            break;
        }
        case PresetRecord::Cancel:
            s.progress.cancel();
            break;
        case PresetRecord::Restart: {
            const quint8 newMode = in.u8();
            s.begin(newMode, in.u8());
            break;
        }
        default:
            s.progress.start(&s.other, QStringLiteral("other"), 1);
            break;
        }
    }
    return 0;
}
