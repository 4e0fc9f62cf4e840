#pragma once

#include "protocol/frametrace.h"

#include <QAbstractTableModel>
#include <QVector>

#include <deque>
#include <vector>

class QTimer;

// The frames of the protocol trace as a table: a ring of the last `capacity`
// frames (100,000 unless set otherwise) and the rows that pass the filter.
//
// Frames arrive far faster than a view needs them, so they are taken in
// batches: append() only queues, and the queue goes into the table every
// 100 ms (or at flush()), with one removal at the top for the frames the ring
// dropped and one insertion at the bottom. While paused, the queue waits and
// the table stays as it is; nothing is lost unless more frames than the ring
// holds arrive.
class TraceModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY(TraceModel)

public:
    static constexpr int DefaultCapacity = 100000;
    static constexpr int FlushIntervalMs = 100;

    enum Column
    {
        TimeColumn,
        DirectionColumn,
        OpColumn,
        ModuleColumn,
        CmdColumn,
        FlagColumn,
        LengthColumn,
        NameColumn,
        PayloadColumn,
        ColumnCount
    };

    explicit TraceModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setCapacity(int frames);
    int capacity() const { return m_capacity; }
    // Frames kept (shown or filtered out), and frames waiting in the queue.
    int storedCount() const { return int(m_next - m_first); }
    int queuedCount() const { return int(m_queue.size()); }

    void append(const FrameTrace::Record &record);
    // Takes the queue into the table now (unless paused).
    void flush();
    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    void setFilter(const FrameTrace::Filter &filter);
    const FrameTrace::Filter &filter() const { return m_filter; }
    void clear();

    const FrameTrace::Record &record(int row) const;
    // A row as one line of text (the form dapctl trace prints).
    QString lineAt(int row) const;

signals:
    // The number of kept or shown frames changed.
    void countsChanged();

private:
    const FrameTrace::Record &stored(quint64 seq) const;

    int m_capacity = DefaultCapacity;
    std::vector<FrameTrace::Record> m_ring;
    quint64 m_first = 0; // sequence number of the oldest kept frame
    quint64 m_next = 0;  // sequence number the next frame gets
    std::deque<quint64> m_rows;
    std::deque<FrameTrace::Record> m_queue;
    FrameTrace::Filter m_filter;
    bool m_paused = false;
    QTimer *m_flushTimer;
};
