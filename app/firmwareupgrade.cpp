#include "app/firmwareupgrade.h"

#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/frame.h"
#include "protocol/lebytes.h"
#include "protocol/progressguard.h"
#include "protocol/transport.h"

#include <QFile>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcFirmware, "dap.firmware")

namespace {

constexpr quint8 ArmSignature[2] = {0x7F, 0x8C};

bool isFirmwareModule(quint8 module)
{
    return module == Proto::FirmwareModule::Arm || module == Proto::FirmwareModule::Dsp;
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
    }
    return QString();
}

FirmwareUpgrade::Result FirmwareUpgrade::start(quint8 module, const QString &path)
{
    if (!isFirmwareModule(module))
        return Result::CannotOpen;
    m_paths[module - 1] = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::CannotOpen;
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
    sendChunk(int(answer.u16(0)) + 1);
}

void FirmwareUpgrade::sendChunk(int index)
{
    QFile file(m_paths[m_module - 1]);
    const qint64 position = qint64(index) * ChunkSize;
    if (!file.open(QIODevice::ReadOnly)) {
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
    sendPacket(Proto::OpFirmware, m_module, Proto::FirmwareCmd::Chunk, Proto::FlagWrite,
               Le::bytes(quint16(index)) + data);
    if (data.size() < ChunkSize) {
        // The short chunk is the last: the transfer is over once it is sent.
        m_progress->finish(this);
        emit finished(m_module);
    }
}
