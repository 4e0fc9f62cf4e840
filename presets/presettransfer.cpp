#include "presets/presettransfer.h"

#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/lebytes.h"
#include "protocol/progressguard.h"
#include "protocol/transport.h"

#include <QFile>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPresets, "dap.presets")

namespace {
constexpr quint8 Module = Proto::Module::Preset;
namespace Cmd = Proto::PresetCmd;
} // namespace

PresetTransfer::PresetTransfer(ProgressGuard *progress, QObject *parent)
    : QObject(parent), m_progress(progress)
{
    // A transfer the operator cancelled or the watchdog ended is over; its late
    // answers are ignored.
    connect(m_progress, &ProgressGuard::ended, this, [this] {
        if (m_state == State::Transferring && !m_progress->isActive(this))
            m_state = State::Idle;
    });
}

void PresetTransfer::beginExport(int slot, const QString &path)
{
    m_state = State::AwaitingSize;
    m_export = true;
    m_all = slot < 0 || slot >= Slots;
    m_path = path;
    if (m_all)
        sendPacket(Proto::OpBlock, Module, Cmd::ExportAll, Proto::FlagWrite);
    else
        sendPacket(Proto::OpBlock, Module, Cmd::ExportOne, Proto::FlagWrite,
                   QByteArray(1, char(slot)));
}

void PresetTransfer::beginImport(int slot, const QString &path)
{
    m_state = State::AwaitingSize;
    m_export = false;
    m_all = slot < 0 || slot >= Slots;
    m_path = path;
    if (m_all)
        sendPacket(Proto::OpBlock, Module, Cmd::ImportAll, Proto::FlagWrite);
    else
        sendPacket(Proto::OpBlock, Module, Cmd::ImportOne, Proto::FlagWrite,
                   QByteArray(1, char(slot)));
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
    // The file is emptied now, so that a failure to write shows before any
    // data is asked for.
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(tr("ERROR"), tr("The file %1 cannot be written: %2").arg(m_path, file.errorString()));
        return;
    }
    file.close();
    m_total = total;
    m_offset = 0;
    if (total == 0) {
        succeed();
        return;
    }
    m_state = State::Transferring;
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
    const QByteArray taken = data.left(int(m_requested));
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(m_offset) ||
        file.write(taken) != taken.size() || !file.flush()) {
        fail(tr("ERROR"), tr("The file %1 cannot be written: %2").arg(m_path, file.errorString()));
        return;
    }
    file.close();
    m_offset += quint32(taken.size());
    if (m_offset >= m_total) {
        succeed();
        return;
    }
    if (!m_progress->step(this, m_offset)) {
        stop(); // cancelled: the unit is not told
        return;
    }
    requestExportChunk();
}

void PresetTransfer::importSize(quint8 cmd, quint32 expected)
{
    if (m_state != State::AwaitingSize || m_export ||
        cmd != (m_all ? Cmd::ImportAll : Cmd::ImportOne))
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(tr("ERROR"), tr("The file %1 cannot be opened: %2").arg(m_path, file.errorString()));
        return;
    }
    const qint64 size = file.size();
    const qint64 recordSize = m_all ? size / Slots : size;
    // Every record starts with its header; a smaller record cannot be walked.
    // A file of all presets is 32 whole records: bytes after them would be
    // walked as a 33rd record, and skipping it would send past the file's end.
    if (size != qint64(expected) || recordSize < HeaderSize || (m_all && size % Slots != 0)) {
        fail(tr("ERROR"), tr("preset file format error!"));
        return;
    }
    m_total = quint32(size);
    m_offset = 0;
    m_recordSize = quint32(recordSize);
    m_sendRecord = true;
    const QByteArray first = file.read(ChunkSize);
    m_state = State::Transferring;
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
    m_offset += accepted;
    if (m_offset >= m_total) {
        succeed();
        return;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(m_offset)) {
        fail(tr("ERROR"), tr("The file %1 cannot be read: %2").arg(m_path, file.errorString()));
        return;
    }
    const quint32 inRecord = m_offset % m_recordSize;
    if (inRecord == 0) {
        // The start of a record: its header says whether the rest is sent.
        const QByteArray header = file.read(HeaderSize);
        if (header.size() < HeaderSize) {
            fail(tr("ERROR"), tr("preset file format error!"));
            return;
        }
        m_sendRecord = header.at(0) != 0;
        sendImportChunk(m_offset, header);
    } else if (m_sendRecord) {
        const QByteArray data = file.read(qMin<qint64>(ChunkSize, m_recordSize - inRecord));
        if (data.isEmpty()) {
            fail(tr("ERROR"), tr("The file %1 cannot be read: %2").arg(m_path, file.errorString()));
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

void PresetTransfer::succeed()
{
    m_state = State::Idle;
    m_progress->finish(this);
    emit finished();
}

void PresetTransfer::fail(const QString &title, const QString &text)
{
    qCWarning(lcPresets, "preset transfer stopped: %s", qPrintable(text));
    m_state = State::Idle;
    m_progress->finish(this);
    emit failed(title, text);
}

void PresetTransfer::stop()
{
    m_state = State::Idle;
}
