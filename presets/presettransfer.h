#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class ProgressGuard;
class QFile;
class QSaveFile;

// Moves preset images between the unit and files, without widgets: one slot to
// or from a ".pst" file, all 32 slots to or from a ".pstl" file. The images are
// opaque; the unit paces the transfer with its answers, one chunk of at most
// 1024 bytes in flight at a time, and the progress guard shows it. The guard's
// watchdog runs from the request on, so a unit that never answers it ends the
// transfer as one that falls silent later does.
//
// A ".pstl" file is 32 records of equal size, one per slot, each starting with
// a 17-byte header (a non-zero first byte when the slot holds a preset, then
// the 16-byte name); a ".pst" file is one record. An import sends only the
// header of a record that holds no preset and moves on to the next record.
//
// An export writes a temporary file beside the target and puts it in the
// target's place only when the whole image has arrived: a failed, cancelled or
// timed-out export leaves an existing file as it was.
class PresetTransfer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PresetTransfer)

public:
    static constexpr int Slots = 32;
    static constexpr int HeaderSize = 17;
    static constexpr int ChunkSize = 1024;
    static constexpr int AllSlots = -1;
    // The largest record taken from a unit or a file: the header and the
    // image of every block's parameters. The simulated unit's records are
    // under 9 KiB; 64 KiB leaves a unit with larger blocks room, and keeps an
    // export of all slots (2 MiB) far from what a unit that announces any u32
    // could make the program ask for and hold.
    static constexpr qint64 MaxRecordSize = 64 * 1024;

    enum class State
    {
        Idle,
        AwaitingSize, // export or import asked for, the unit's size not known yet
        Transferring
    };

    explicit PresetTransfer(ProgressGuard *progress, QObject *parent = nullptr);
    ~PresetTransfer() override;

    // The largest image of one slot or of all slots.
    static qint64 maxImageSize(bool all) { return all ? Slots * MaxRecordSize : MaxRecordSize; }
    // Why the file at `path` cannot be imported into `slot` (or AllSlots),
    // judged without the unit: it must be a readable regular file whose size
    // a record or 32 records can have. Empty when it can be.
    static QString checkImportFile(int slot, const QString &path);

    // Asks the unit to export `slot` (or AllSlots) into the file at `path`.
    void beginExport(int slot, const QString &path);
    // Asks the unit to import the file at `path` into `slot` (or AllSlots).
    // False, with failed() emitted and nothing sent, when the file is refused.
    bool beginImport(int slot, const QString &path);
    // Answers of the transfer commands (10 to 15); others are ignored.
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload);

    State state() const { return m_state; }
    bool isExport() const { return m_export; }
    quint32 offset() const { return m_offset; }
    quint32 total() const { return m_total; }
    // True once the transfer begun last asked for or sent image data.
    bool dataMoved() const { return m_dataMoved; }

signals:
    void finished();
    // The transfer stopped; the text says why (the caller shows it).
    void failed(const QString &title, const QString &text);

private:
    void exportSize(quint8 cmd, quint32 total);
    void exportData(const QByteArray &data);
    bool commitExport();
    void importSize(quint8 cmd, quint32 expected);
    void importAccepted(quint32 accepted);
    void requestExportChunk();
    void sendImportChunk(quint32 offset, const QByteArray &data);
    void releaseIfDisplaced();
    void succeed();
    void fail(const QString &title, const QString &text);
    void stop();
    void closeFiles();

    ProgressGuard *m_progress;
    State m_state = State::Idle;
    bool m_export = false;
    bool m_all = false;
    bool m_dataMoved = false;
    QString m_path;
    std::unique_ptr<QSaveFile> m_out; // export: the image as it arrives
    std::unique_ptr<QFile> m_in;      // import: the file, open from the check on
    quint32 m_total = 0;
    quint32 m_offset = 0;
    quint32 m_requested = 0;  // export: bytes asked for by the last request
    quint32 m_sent = 0;       // import: bytes in the last chunk sent
    quint32 m_recordSize = 0; // import
    bool m_sendRecord = false;
};
