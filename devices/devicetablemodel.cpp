#include "devices/devicetablemodel.h"

#include "devices/devicemanager.h"

#include <QBrush>
#include <QColor>

DeviceTableModel::DeviceTableModel(DeviceManager *manager, QObject *parent)
    : QAbstractTableModel(parent), m_manager(manager)
{
    connect(manager, &DeviceManager::rowAboutToBeInserted, this,
            [this](int row) { beginInsertRows(QModelIndex(), row, row); });
    connect(manager, &DeviceManager::rowInserted, this, [this] { endInsertRows(); });
    connect(manager, &DeviceManager::rowAboutToBeRemoved, this,
            [this](int row) { beginRemoveRows(QModelIndex(), row, row); });
    connect(manager, &DeviceManager::rowRemoved, this, [this] { endRemoveRows(); });
    connect(manager, &DeviceManager::rowChanged, this, &DeviceTableModel::refreshRow);
}

int DeviceTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_manager->count();
}

int DeviceTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString DeviceTableModel::durationText(quint32 s)
{
    // asprintf reads its format as UTF-8; the translated day word is not Latin-1.
    return QString::asprintf(tr("%dday %02d:%02d:%02d").toUtf8().constData(), int(s / 86400),
                             int(s % 86400 / 3600), int(s % 3600 / 60), int(s % 60));
}

QString DeviceTableModel::versionText(const std::array<quint8, 3> &v)
{
    return QString::asprintf("V%d.%d.%d", v[0], v[1], v[2]);
}

QString DeviceTableModel::netStatusText(int row) const
{
    if (!m_manager->isOnline(row))
        return tr("Offline");
    if (row == m_manager->selectedRow() && m_manager->isConnected(row))
        return m_loginPending ? tr("Online(Logging in…)") : tr("Online(Connected)");
    return tr("Online(Disconnected)");
}

QVariant DeviceTableModel::netStatusBrush(int row, int role) const
{
    const bool background = role == Qt::BackgroundRole;
    if (!m_manager->isOnline(row))
        return QBrush(background ? QColor(0, 0, 0, 20) : QColor(0, 0, 0, 80));
    if (row == m_manager->selectedRow() && m_manager->isConnected(row)) {
        if (m_loginPending) // green only once the unit can be worked with
            return background ? QVariant() : QVariant(QBrush(QColor(0xB0, 0x60, 0x00)));
        return QBrush(background ? QColor(QStringLiteral("Green")) : QColor(Qt::white));
    }
    return background ? QVariant() : QVariant(QBrush(Qt::black));
}

QVariant DeviceTableModel::data(const QModelIndex &index, int role) const
{
    const broadcastMsg *m = m_manager->record(index.row());
    if (!m || index.column() < 0 || index.column() >= ColumnCount)
        return QVariant();
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (column == ColumnNetStatus && (role == Qt::BackgroundRole || role == Qt::ForegroundRole))
        return netStatusBrush(index.row(), role);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();

    // Times come only with announcements; a unit known from the registry
    // alone shows none.
    const bool announced = m_manager->hasAnnounced(index.row());
    switch (column) {
    case ColumnId:
        return QString::number(m->machineid);
    case ColumnAddress:
        return dottedAddress(m->ipaddress);
    case ColumnModel:
        return m->model;
    case ColumnArm:
        return versionText(m->armVersion);
    case ColumnDsp:
        return versionText(m->dspVersion);
    case ColumnLocation:
        return m->location;
    case ColumnDescription:
        return m->description;
    case ColumnSn:
        return m->sn;
    case ColumnNetStatus:
        return netStatusText(index.row());
    case ColumnRunningTime:
        return announced ? durationText(m->runningTime()) : QString();
    case ColumnTotalTime:
        return announced ? durationText(m->totalTime()) : QString();
    default:
        return QVariant();
    }
}

QVariant DeviceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ColumnId:
        return tr("Device ID");
    case ColumnAddress:
        return tr("IP Address");
    case ColumnModel:
        return tr("Device model");
    case ColumnArm:
        return tr("ARM ver");
    case ColumnDsp:
        return tr("DSP ver");
    case ColumnLocation:
        return tr("Location");
    case ColumnDescription:
        return tr("Description");
    case ColumnSn:
        return tr("Device SN");
    case ColumnNetStatus:
        return tr("Net Status");
    case ColumnRunningTime:
        return tr("Runing time");
    case ColumnTotalTime:
        return tr("Total time");
    default:
        return QVariant();
    }
}

void DeviceTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void DeviceTableModel::setLoginPending(bool pending)
{
    if (pending == m_loginPending)
        return;
    m_loginPending = pending;
    refreshRow(m_manager->selectedRow());
}

void DeviceTableModel::refreshRow(int row)
{
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}
