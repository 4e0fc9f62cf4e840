#include "presets/presettransfer.h"

#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/lebytes.h"
#include "protocol/progressguard.h"
#include "protocol/transport.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

Q_LOGGING_CATEGORY(lcPresets, "dap.presets")

namespace {
constexpr quint8 Module = Proto::Module::Preset;
namespace Cmd = Proto::PresetCmd;

QString formatError(const QString &detail)
{
    return PresetTransfer::tr("preset file format error!") + QLatin1Char(' ') + detail;
}

// Why a file of `size` bytes cannot be imported into one slot or all, or
// nothing.
QString sizeRefusal(bool all, qint64 size)
{
    if (size > PresetTransfer::maxImageSize(all))
        return formatError((all ? PresetTransfer::tr("The file has %1 bytes; a file of all "
                                                     "presets has at most %2.")
                                : PresetTransfer::tr("The file has %1 bytes; a file of one "
                                                     "preset has at most %2."))
                               .arg(size)
                               .arg(PresetTransfer::maxImageSize(all)));
    // Every record starts with its header; a smaller record cannot be walked.
    // A file of all presets is 32 whole records: bytes after them would be
    // walked as a 33rd record, and skipping it would send past the file's end.
    if (!all && size < PresetTransfer::HeaderSize)
        return formatError(PresetTransfer::tr("The file has %1 bytes, fewer than the %2 of a "
                                              "preset's header.")
                               .arg(size)
                               .arg(PresetTransfer::HeaderSize));
    if (all && (size % PresetTransfer::Slots != 0 ||
                size / PresetTransfer::Slots < PresetTransfer::HeaderSize))
        return formatError(PresetTransfer::tr("The file has %1 bytes, which are not %2 records "
                                              "of at least %3 bytes each.")
                               .arg(size)
                               .arg(PresetTransfer::Slots)
                               .arg(PresetTransfer::HeaderSize));
    return QString();
}

// Opens `file` on `path` for an import of one slot or all, after the checks
// that need no unit; returns why it cannot be imported, or nothing.
QString openImportFile(bool all, const QString &path, QFile &file)
{
    const QFileInfo info(path);
    if (!info.exists())
        return PresetTransfer::tr("The file %1 does not exist.").arg(path);
    // Opening a FIFO waits for a writer, and a device or a folder has no size
    // to walk by offsets.
    if (!info.isFile())
        return PresetTransfer::tr("%1 is not a regular file.").arg(path);
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return PresetTransfer::tr("The file %1 cannot be read: %2").arg(path, file.errorString());
    return sizeRefusal(all, file.size());
}

} // namespace

PresetTransfer::PresetTransfer(ProgressGuard *progress, QObject *parent)
    : QObject(parent), m_progress(progress)
{
    // A transfer the operator cancelled, the watchdog ended or another
    // transfer displaced is over: its file is let go and its late answers
    // are ignored.
    connect(m_progress, &ProgressGuard::ended, this, &PresetTransfer::releaseIfDisplaced);
    connect(m_progress, &ProgressGuard::started, this, &PresetTransfer::releaseIfDisplaced);
}

PresetTransfer::~PresetTransfer() = default;

QString PresetTransfer::checkImportFile(int slot, const QString &path)
{
    QFile file;
    return openImportFile(slot < 0 || slot >= Slots, path, file);
}

void PresetTransfer::beginExport(int slot, const QString &path)
{
    closeFiles();
    m_state = State::AwaitingSize;
    m_export = true;
    m_all = slot < 0 || slot >= Slots;
    m_dataMoved = false;
    m_path = path;
    m_progress->start(this, tr("Exporting..."), 0);
    if (m_all)
        sendPacket(Proto::OpBlock, Module, Cmd::ExportAll, Proto::FlagWrite);
    else
        sendPacket(Proto::OpBlock, Module, Cmd::ExportOne, Proto::FlagWrite,
                   QByteArray(1, char(slot)));
}

bool PresetTransfer::beginImport(int slot, const QString &path)
{
    closeFiles();
    m_state = State::AwaitingSize;
    m_export = false;
    m_all = slot < 0 || slot >= Slots;
    m_dataMoved = false;
    m_path = path;
    m_in = std::make_unique<QFile>();
    const QString refusal = openImportFile(m_all, path, *m_in);
    if (!refusal.isEmpty()) {
        fail(tr("ERROR"), refusal);
        return false;
    }
    m_progress->start(this, tr("Importing..."), 0);
    if (m_all)
        sendPacket(Proto::OpBlock, Module, Cmd::ImportAll, Proto::FlagWrite);
    else
        sendPacket(Proto::OpBlock, Module, Cmd::ImportOne, Proto::FlagWrite,
                   QByteArray(1, char(slot)));
    return true;
}

void PresetTransfer::receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload)
{
    AnswerReader answer(flag, length, payload);
    switch (cmd) {
    case Cmd::ExportOne:
    case Cmd::ExportAll:
        if (answer.exact(4))
            exportSize(cmd, answer.u32(0));
        break;
    case Cmd::ExportData:
        // Any length, but flag, header and payload must agree.
        if (answer.exact(length))
            exportData(answer.payload());
        break;
    case Cmd::ImportOne:
    case Cmd::ImportAll:
        if (answer.exact(4))
            importSize(cmd, answer.u32(0));
        break;
    case Cmd::ImportData:
        if (answer.exact(4))
            importAccepted(answer.u32(0));
        break;
    default:
        break;
    }
}

void PresetTransfer::exportSize(quint8 cmd, quint32 total)
{
    if (m_state != State::AwaitingSize || !m_export ||
        cmd != (m_all ? Cmd::ExportAll : Cmd::ExportOne))
        return;
    if (!m_progress->isActive(this)) {
        stop();
        return;
    }
    // Checked before anything is asked for or kept: the image is held in
    // memory by whoever reads the file.
    if (total > maxImageSize(m_all)) {
        fail(tr("ERROR"), tr("The unit announced a preset image of %1 bytes; at most %2 bytes "
                             "are taken.")
                              .arg(total)
                              .arg(maxImageSize(m_all)));
        return;
    }
    // The temporary file is made now, so that a failure to write shows before
    // any data is asked for.
    m_out = std::make_unique<QSaveFile>(m_path);
    if (!m_out->open(QIODevice::WriteOnly)) {
        fail(tr("ERROR"),
             tr("The file %1 cannot be written: %2").arg(m_path, m_out->errorString()));
        return;
    }
    m_total = total;
    m_offset = 0;
    if (total == 0) {
        if (commitExport())
            succeed();
        return;
    }
    m_state = State::Transferring;
    m_dataMoved = true;
    m_progress->start(this, tr("Exporting..."), total);
    requestExportChunk();
}

void PresetTransfer::requestExportChunk()
{
    m_requested = qMin<quint32>(ChunkSize, m_total - m_offset);
    sendPacket(Proto::OpBlock, Module, Cmd::ExportData, Proto::FlagRead,
               Le::bytes(m_offset, m_requested));
}

void PresetTransfer::exportData(const QByteArray &data)
{
    if (m_state != State::Transferring || !m_export)
        return;
    if (!m_progress->isActive(this)) {
        stop();
        return;
    }
    if (data.isEmpty()) {
        // Asking again would get the same nothing for ever.
        fail(tr("ERROR"), tr("The unit sent no data; the export did not finish."));
        return;
    }
    if (quint32(data.size()) > m_requested)
        qCWarning(lcPresets, "export answer of %d bytes for %u asked; the rest is dropped",
                  int(data.size()), m_requested);
    // Chunks arrive in order, each where the one before ended.
    const QByteArray taken = data.left(int(m_requested));
    if (m_out->write(taken) != taken.size()) {
        fail(tr("ERROR"),
             tr("The file %1 cannot be written: %2").arg(m_path, m_out->errorString()));
        return;
    }
    m_offset += quint32(taken.size());
    if (m_offset >= m_total) {
        if (commitExport())
            succeed();
        return;
    }
    if (!m_progress->step(this, m_offset)) {
        stop(); // cancelled: the unit is not told
        return;
    }
    requestExportChunk();
}

bool PresetTransfer::commitExport()
{
    if (m_out->commit()) {
        m_out.reset();
        return true;
    }
    const QString error = m_out->errorString();
    fail(tr("ERROR"), tr("The file %1 cannot be written: %2").arg(m_path, error));
    return false;
}

void PresetTransfer::importSize(quint8 cmd, quint32 expected)
{
    if (m_state != State::AwaitingSize || m_export ||
        cmd != (m_all ? Cmd::ImportAll : Cmd::ImportOne))
        return;
    if (!m_progress->isActive(this)) {
        stop();
        return;
    }
    // Checked again: the file may have changed since the request.
    const qint64 size = m_in->size();
    if (const QString refusal = sizeRefusal(m_all, size); !refusal.isEmpty()) {
        fail(tr("ERROR"), refusal);
        return;
    }
    if (size != qint64(expected)) {
        fail(
            tr("ERROR"),
            formatError(tr("The unit expects %1 bytes; the file has %2.").arg(expected).arg(size)));
        return;
    }
    m_total = quint32(size);
    m_offset = 0;
    m_recordSize = quint32(m_all ? size / Slots : size);
    m_sendRecord = true;
    if (!m_in->seek(0)) {
        fail(tr("ERROR"), tr("The file %1 cannot be read: %2").arg(m_path, m_in->errorString()));
        return;
    }
    const QByteArray first = m_in->read(ChunkSize);
    m_state = State::Transferring;
    m_dataMoved = true;
    m_progress->start(this, tr("Importing..."), m_total);
    m_sent = quint32(first.size());
    sendPacket(Proto::OpBlock, Module, Cmd::ImportData, Proto::FlagWrite,
               Le::bytes(quint32(0)) + first);
}

void PresetTransfer::importAccepted(quint32 accepted)
{
    if (m_state != State::Transferring || m_export)
        return;
    if (!m_progress->isActive(this)) {
        stop();
        return;
    }
    if (accepted > m_sent) {
        fail(tr("ERROR"), tr("The unit took more bytes than were sent; the import did not "
                             "finish."));
        return;
    }
    // Sending the same bytes again would get the same answer for ever. (The
    // empty chunk that skips a record is taken as 0 bytes.)
    if (accepted == 0 && m_sent > 0) {
        fail(tr("ERROR"), tr("The unit took none of the %1 bytes sent; the import did not "
                             "finish.")
                              .arg(m_sent));
        return;
    }
    m_offset += accepted;
    if (m_offset >= m_total) {
        succeed();
        return;
    }
    if (!m_in->seek(m_offset)) {
        fail(tr("ERROR"), tr("The file %1 cannot be read: %2").arg(m_path, m_in->errorString()));
        return;
    }
    const quint32 inRecord = m_offset % m_recordSize;
    if (inRecord == 0) {
        // The start of a record: its header says whether the rest is sent.
        const QByteArray header = m_in->read(HeaderSize);
        if (header.size() < HeaderSize) {
            fail(tr("ERROR"), tr("preset file format error!"));
            return;
        }
        m_sendRecord = header.at(0) != 0;
        sendImportChunk(m_offset, header);
    } else if (m_sendRecord) {
        const QByteArray data = m_in->read(qMin<qint64>(ChunkSize, m_recordSize - inRecord));
        if (data.isEmpty()) {
            fail(tr("ERROR"),
                 tr("The file %1 cannot be read: %2").arg(m_path, m_in->errorString()));
            return;
        }
        sendImportChunk(m_offset, data);
    } else {
        // The record holds no preset: on to the next one.
        m_offset += m_recordSize - inRecord;
        sendImportChunk(m_offset, QByteArray());
    }
}

void PresetTransfer::sendImportChunk(quint32 offset, const QByteArray &data)
{
    if (!m_progress->step(this, offset)) {
        stop(); // cancelled: the unit is not told
        return;
    }
    m_sent = quint32(data.size());
    sendPacket(Proto::OpBlock, Module, Cmd::ImportData, Proto::FlagWrite, Le::bytes(offset) + data);
}

void PresetTransfer::releaseIfDisplaced()
{
    if (m_state != State::Idle && !m_progress->isActive(this))
        stop();
}

void PresetTransfer::succeed()
{
    m_state = State::Idle;
    closeFiles();
    m_progress->finish(this);
    emit finished();
}

void PresetTransfer::fail(const QString &title, const QString &text)
{
    // The caller reports the text; this line is only a trace of it.
    qCInfo(lcPresets, "preset transfer stopped: %s", qPrintable(text));
    m_state = State::Idle;
    closeFiles();
    m_progress->finish(this);
    emit failed(title, text);
}

void PresetTransfer::stop()
{
    m_state = State::Idle;
    closeFiles();
}

void PresetTransfer::closeFiles()
{
    // An export not committed leaves no trace: QSaveFile removes its
    // temporary file and the target stays as it was.
    m_out.reset();
    m_in.reset();
}
