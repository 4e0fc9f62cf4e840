#pragma once

#include <QAbstractTableModel>

#include <array>

class DeviceManager;

// The device table's rows: one per known unit, eleven columns, with the Net
// Status column coloured by the unit's state.
class DeviceTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY(DeviceTableModel)

public:
    enum Column
    {
        ColumnId,
        ColumnAddress,
        ColumnModel,
        ColumnArm,
        ColumnDsp,
        ColumnLocation,
        ColumnDescription,
        ColumnSn,
        ColumnNetStatus,
        ColumnRunningTime,
        ColumnTotalTime,
        ColumnCount
    };

    explicit DeviceTableModel(DeviceManager *manager, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Texts of the current language, after a language change.
    void retranslate();
    // The selected unit is connected but not yet logged in: its Net Status
    // reads "Online(Logging in…)" rather than "Online(Connected)".
    void setLoginPending(bool pending);

    // "%dday %02d:%02d:%02d" of a count of seconds.
    static QString durationText(quint32 seconds);
    static QString versionText(const std::array<quint8, 3> &version);

private:
    QString netStatusText(int row) const;
    QVariant netStatusBrush(int row, int role) const;
    void refreshRow(int row);

    DeviceManager *m_manager;
    bool m_loginPending = false;
};
