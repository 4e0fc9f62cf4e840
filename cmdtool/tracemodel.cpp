#include "cmdtool/tracemodel.h"

#include "protocol/commandnames.h"

#include <QBrush>
#include <QColor>
#include <QTimer>

TraceModel::TraceModel(QObject *parent)
    : QAbstractTableModel(parent), m_flushTimer(new QTimer(this))
{
    m_flushTimer->setSingleShot(true);
    m_flushTimer->setInterval(FlushIntervalMs);
    connect(m_flushTimer, &QTimer::timeout, this, &TraceModel::flush);
}

int TraceModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TraceModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const FrameTrace::Record &TraceModel::stored(quint64 seq) const
{
    return m_ring[size_t(seq % quint64(m_capacity))];
}

const FrameTrace::Record &TraceModel::record(int row) const
{
    return stored(m_rows[size_t(row)]);
}

QString TraceModel::lineAt(int row) const
{
    return FrameTrace::line(record(row));
}

QVariant TraceModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const FrameTrace::Record &r = record(index.row());
    const Proto::Frame &f = r.frame;
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case TimeColumn:
            return FrameTrace::timeText(r.time);
        case DirectionColumn:
            return FrameTrace::directionText(r.direction);
        case OpColumn:
            return int(f.op);
        case ModuleColumn:
            return int(f.module);
        case CmdColumn:
            return int(f.cmd);
        case FlagColumn:
            return QStringLiteral("%1").arg(int(f.flag), 2, 16, QLatin1Char('0')).toUpper();
        case LengthColumn:
            return int(f.length);
        case NameColumn:
            return Proto::commandName(f.op, f.module, f.cmd);
        case PayloadColumn:
            // A password's frame shows its length only (the same rule as
            // FrameTrace::payloadText, in the program's language).
            if (FrameTrace::hidesPayload(f))
                return tr("(%1 bytes hidden)").arg(f.length);
            return FrameTrace::payloadText(f);
        default:
            return QVariant();
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() >= OpColumn &&
        index.column() <= LengthColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && index.column() == DirectionColumn)
        return QBrush(r.direction == FrameTrace::Direction::Sent ? QColor(18, 110, 190)
                                                                 : QColor(30, 140, 60));
    if (role == Qt::ToolTipRole && index.column() == PayloadColumn && f.payload.size() > 16)
        return FrameTrace::payloadText(f);
    return QVariant();
}

QVariant TraceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TimeColumn:
        return tr("Time");
    case DirectionColumn:
        return tr("Dir");
    case OpColumn:
        return tr("Op");
    case ModuleColumn:
        return tr("Module");
    case CmdColumn:
        return tr("Cmd");
    case FlagColumn:
        return tr("Flag");
    case LengthColumn:
        return tr("Length");
    case NameColumn:
        return tr("Name");
    case PayloadColumn:
        return tr("Payload");
    default:
        return QVariant();
    }
}

void TraceModel::setCapacity(int frames)
{
    clear();
    m_capacity = qMax(1, frames);
}

void TraceModel::append(const FrameTrace::Record &record)
{
    m_queue.push_back(record);
    // A queue longer than the ring would only be overwritten.
    if (int(m_queue.size()) > m_capacity)
        m_queue.pop_front();
    if (!m_paused && !m_flushTimer->isActive())
        m_flushTimer->start();
}

void TraceModel::flush()
{
    m_flushTimer->stop();
    if (m_paused || m_queue.empty())
        return;
    const quint64 incoming = quint64(m_queue.size());
    const quint64 cap = quint64(m_capacity);
    const quint64 kept = m_next - m_first;
    const quint64 newFirst = m_first + (kept + incoming > cap ? kept + incoming - cap : 0);

    // The rows of frames the ring is about to drop leave the top at once.
    size_t drop = 0;
    while (drop < m_rows.size() && m_rows[drop] < newFirst)
        ++drop;
    if (drop > 0) {
        beginRemoveRows(QModelIndex(), 0, int(drop) - 1);
        m_rows.erase(m_rows.begin(), m_rows.begin() + qint64(drop));
        endRemoveRows();
    }

    std::vector<quint64> shown;
    for (FrameTrace::Record &r : m_queue) {
        const quint64 seq = m_next++;
        if (m_ring.size() < cap)
            m_ring.push_back(std::move(r));
        else
            m_ring[size_t(seq % cap)] = std::move(r);
        if (m_filter.accepts(stored(seq)))
            shown.push_back(seq);
    }
    m_queue.clear();
    m_first = newFirst;
    if (!shown.empty()) {
        const int first = int(m_rows.size());
        beginInsertRows(QModelIndex(), first, first + int(shown.size()) - 1);
        m_rows.insert(m_rows.end(), shown.begin(), shown.end());
        endInsertRows();
    }
    emit countsChanged();
}

void TraceModel::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (!paused)
        flush();
}

void TraceModel::setFilter(const FrameTrace::Filter &filter)
{
    beginResetModel();
    m_filter = filter;
    m_rows.clear();
    for (quint64 seq = m_first; seq < m_next; ++seq)
        if (m_filter.accepts(stored(seq)))
            m_rows.push_back(seq);
    endResetModel();
    emit countsChanged();
}

void TraceModel::clear()
{
    beginResetModel();
    m_ring.clear();
    m_rows.clear();
    m_queue.clear();
    m_first = m_next = 0;
    endResetModel();
    emit countsChanged();
}
