#include "app/firmwareupgrade.h"

#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/lebytes.h"
#include "protocol/progressguard.h"
#include "protocol/transport.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcFirmware, "dap.firmware")

namespace {

constexpr quint8 ArmSignature[2] = {0x7F, 0x8C};

bool isFirmwareModule(quint8 module)
{
    return module == Proto::FirmwareModule::Arm || module == Proto::FirmwareModule::Dsp;
}

// Opens a regular file only: opening a FIFO would wait for a writer, and a
// folder or a device has no size to number chunks by.
FirmwareUpgrade::Result openFirmware(const QString &path, QFile &file)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FirmwareUpgrade::Result::CannotOpen;
    if (!info.isFile())
        return FirmwareUpgrade::Result::NotAFile;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) ? FirmwareUpgrade::Result::Started
                                          : FirmwareUpgrade::Result::CannotOpen;
}

} // namespace

FirmwareUpgrade::FirmwareUpgrade(ProgressGuard *progress, QObject *parent)
    : QObject(parent), m_progress(progress)
{
}

QString FirmwareUpgrade::path(quint8 module) const
{
    return isFirmwareModule(module) ? m_paths[module - 1] : QString();
}

bool FirmwareUpgrade::isRunning() const
{
    return m_progress->isActive(this);
}

QString FirmwareUpgrade::errorText(Result result)
{
    switch (result) {
    case Result::Started:
        break;
    case Result::BadFormat:
        return tr("Bad file format");
    case Result::TooLarge:
        return tr("The file is too large for a firmware upgrade (at most %1 MiB).")
            .arg(MaxFileSize >> 20);
    case Result::CannotOpen:
        return tr("The file cannot be opened.");
    case Result::NotAFile:
        return tr("This is not a regular file.");
    case Result::Empty:
        return tr("The file is empty; there is nothing to send.");
    }
    return QString();
}

FirmwareUpgrade::Result FirmwareUpgrade::start(quint8 module, const QString &path)
{
    if (!isFirmwareModule(module))
        return Result::CannotOpen;
    m_paths[module - 1] = path;
    QFile file;
    if (const Result opened = openFirmware(path, file); opened != Result::Started)
        return opened;
    if (file.size() == 0)
        return Result::Empty;
    if (module == Proto::FirmwareModule::Arm) {
        // A file shorter than the signature cannot carry it.
        const QByteArray head = file.read(8);
        if (head.size() < 2 || quint8(head.at(0)) != ArmSignature[0] ||
            quint8(head.at(1)) != ArmSignature[1])
            return Result::BadFormat;
    }
    if (file.size() > MaxFileSize)
        return Result::TooLarge;
    const qint64 size = file.size();
    file.close();

    m_module = module;
    m_lastSent = -1;
    m_progress->start(this, tr("updating..."), size / ChunkSize + 1);
    qCInfo(lcFirmware, "upgrade of module %d: %lld bytes", module, size);
    sendChunk(0);
    return Result::Started;
}

void FirmwareUpgrade::acknowledge(quint8 module, quint8 cmd, quint8 flag, quint16 length,
                                  const QByteArray &payload)
{
    AnswerReader answer(flag, length, payload);
    if (cmd != Proto::FirmwareCmd::Chunk || !answer.exact(2))
        return;
    // Only the transfer in progress takes acknowledgements; a late one after
    // the watchdog or a cancel, or one for the other firmware, sends nothing.
    if (module != m_module || !isRunning())
        return;
    const int index = answer.u16(0);
    if (index > m_lastSent) {
        // Going on after it would skip chunks, and chunk 0xFFFF would end
        // the upgrade as if the file were through.
        m_progress->finish(this);
        emit failed(tr("The unit acknowledged chunk %1, which was not sent; the upgrade did "
                       "not finish.")
                        .arg(index));
        return;
    }
    sendChunk(index + 1);
}

void FirmwareUpgrade::sendChunk(int index)
{
    QFile file;
    const qint64 position = qint64(index) * ChunkSize;
    if (openFirmware(m_paths[m_module - 1], file) != Result::Started) {
        // The file went away in the middle of the transfer.
        m_progress->finish(this);
        emit failed(errorText(Result::CannotOpen));
        return;
    }
    if (position >= file.size() || !file.seek(position)) {
        // Past the end: the file ended on a chunk boundary.
        m_progress->finish(this);
        emit finished(m_module);
        return;
    }
    const QByteArray data = file.read(ChunkSize);
    file.close();
    if (!m_progress->step(this, index))
        return;
    m_lastSent = index;
    sendPacket(Proto::OpFirmware, m_module, Proto::FirmwareCmd::Chunk, Proto::FlagWrite,
               Le::bytes(quint16(index)) + data);
    if (data.size() < ChunkSize) {
        // The short chunk is the last: the transfer is over once it is sent.
        m_progress->finish(this);
        emit finished(m_module);
    }
}
