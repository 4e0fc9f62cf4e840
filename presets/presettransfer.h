#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class ProgressGuard;

// Moves preset images between the unit and files, without widgets: one slot to
// or from a ".pst" file, all 32 slots to or from a ".pstl" file. The images are
// opaque; the unit paces the transfer with its answers, one chunk of at most
// 1024 bytes in flight at a time, and the progress guard shows it.
//
// A ".pstl" file is 32 records of equal size, one per slot, each starting with
// a 17-byte header (a non-zero first byte when the slot holds a preset, then
// the 16-byte name); a ".pst" file is one record. An import sends only the
// header of a record that holds no preset and moves on to the next record.
class PresetTransfer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PresetTransfer)

public:
    static constexpr int Slots = 32;
    static constexpr int HeaderSize = 17;
    static constexpr int ChunkSize = 1024;
    static constexpr int AllSlots = -1;

    enum class State
    {
        Idle,
        AwaitingSize, // export or import asked for, the unit's size not known yet
        Transferring
    };

    explicit PresetTransfer(ProgressGuard *progress, QObject *parent = nullptr);

    // Asks the unit to export `slot` (or AllSlots) into the file at `path`.
    void beginExport(int slot, const QString &path);
    // Asks the unit to import the file at `path` into `slot` (or AllSlots).
    void beginImport(int slot, const QString &path);
    // Answers of the transfer commands (10 to 15); others are ignored.
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload);

    State state() const { return m_state; }
    bool isExport() const { return m_export; }
    quint32 offset() const { return m_offset; }
    quint32 total() const { return m_total; }

signals:
    void finished();
    // The transfer stopped; the text says why (the caller shows it).
    void failed(const QString &title, const QString &text);

private:
    void exportSize(quint8 cmd, quint32 total);
    void exportData(const QByteArray &data);
    void importSize(quint8 cmd, quint32 expected);
    void importAccepted(quint32 accepted);
    void requestExportChunk();
    void sendImportChunk(quint32 offset, const QByteArray &data);
    void succeed();
    void fail(const QString &title, const QString &text);
    void stop();

    ProgressGuard *m_progress;
    State m_state = State::Idle;
    bool m_export = false;
    bool m_all = false;
    QString m_path;
    quint32 m_total = 0;
    quint32 m_offset = 0;
    quint32 m_requested = 0;  // export: bytes asked for by the last request
    quint32 m_sent = 0;       // import: bytes in the last chunk sent
    quint32 m_recordSize = 0; // import
    bool m_sendRecord = false;
};
