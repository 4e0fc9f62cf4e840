#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class ProgressGuard;

// Streams a firmware file to the unit in numbered chunks of 1024 bytes over
// op 1 (module 1 ARM, 2 DSP). Each chunk goes out when the unit acknowledges
// the one before, so the unit paces the transfer; the progress counts chunks
// and its watchdog ends a transfer the unit stopped acknowledging.
//
// Without widgets: the caller asks for the file and shows the errors.
class FirmwareUpgrade final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FirmwareUpgrade)

public:
    static constexpr int ChunkSize = 1024;
    // The chunk index is a u16: a larger file would overwrite its own start.
    static constexpr qint64 MaxFileSize = qint64(65536) * ChunkSize;

    enum class Result
    {
        Started,
        BadFormat, // an ARM file without its signature
        TooLarge,  // more chunks than the index can number
        CannotOpen,
        NotAFile, // a folder, a FIFO, a device: no size to number chunks by
        Empty     // nothing to send, and no chunk whose acknowledgement ends it
    };

    explicit FirmwareUpgrade(ProgressGuard *progress, QObject *parent = nullptr);

    // Checks the file and sends chunk 0. `module` is 1 (ARM, .sbin, signature
    // checked) or 2 (DSP, .ldr).
    Result start(quint8 module, const QString &path);
    // An acknowledgement from the unit (op 1): chunk n taken sends chunk n + 1.
    void acknowledge(quint8 module, quint8 cmd, quint8 flag, quint16 length,
                     const QByteArray &payload);

    bool isRunning() const;
    QString path(quint8 module) const;
    static QString errorText(Result result);

signals:
    // The last chunk has gone out (or the file ended on a chunk boundary).
    void finished(quint8 module);
    // The transfer stopped before its end (the file could no longer be read,
    // or the unit acknowledged a chunk that was not sent).
    void failed(const QString &text);

private:
    void sendChunk(int index);

    ProgressGuard *m_progress;
    quint8 m_module = 0;
    int m_lastSent = -1; // index of the last chunk sent
    QString m_paths[2];  // last file chosen for ARM and DSP
};
