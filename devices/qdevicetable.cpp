#include "devices/qdevicetable.h"
#include "widgets/settingsstore.h"

#include "devices/connecttimeoutbox.h"
#include "devices/devicemanager.h"
#include "devices/devicetablemodel.h"
#include "devices/netstatusdelegate.h"
#include "devices/qdevicelist.h"
#include "devices/qipsetting.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QTcpSocket>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const char *const GeometryKey = "DeviceListGeometry";

} // namespace

QDeviceTable::QDeviceTable(const DiscoveryScope &scope, QWidget *parent)
    : QDialog(parent), m_manager(new DeviceManager(scope, this)),
      m_model(new DeviceTableModel(m_manager, this)), m_view(new QTableView(this)),
      m_hint(new QLabel(this))
{
    setObjectName(QStringLiteral("deviceTable"));
    m_view->setObjectName(QStringLiteral("deviceTableView"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->verticalHeader()->hide();
    // Columns fit their contents while the table is shown (showEvent); while
    // hidden they keep their widths, so that the run times changing every
    // second do not make the view measure every cell of the table.
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setWordWrap(false);
    m_view->setItemDelegateForColumn(DeviceTableModel::ColumnNetStatus,
                                     new NetStatusDelegate(m_view));
    m_hint->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addWidget(m_hint);

    connect(m_view, &QAbstractItemView::activated, this,
            [this](const QModelIndex &index) { emit sig_devChanged(index.row()); });
    connect(m_view, &QWidget::customContextMenuRequested, this, &QDeviceTable::showContextMenu);
    connect(m_manager, &DeviceManager::connectTimedOut, this, &QDeviceTable::connectTimedOut);
    connect(m_manager, &DeviceManager::connectionEstablished, this, &QDeviceTable::hideTimeoutBox);
    connect(m_manager, &DeviceManager::selectedRowChanged, this, [this](int row) {
        if (row >= 0)
            m_view->selectRow(row);
        else
            m_view->clearSelection();
    });
    forwardSignals();
    retranslate();

    // Wide enough for all eleven columns, where the screen allows it.
    QSize size(1200, 420);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
    restoreGeometry(userSettings().value(QLatin1String(GeometryKey)).toByteArray());

    if (!m_manager->hasDatabase())
        QTimer::singleShot(0, this, &QDeviceTable::showErrorTimeout);
}

QDeviceTable::~QDeviceTable()
{
    if (isVisible())
        saveGeometrySetting();
}

void QDeviceTable::forwardSignals()
{
    DeviceManager *m = m_manager;
    connect(m, &DeviceManager::sig_tcpData, this, &QDeviceTable::sig_tcpData);
    connect(m, &DeviceManager::sig_socketStateChanged, this, &QDeviceTable::sig_socketStateChanged);
    connect(m, &DeviceManager::sig_currentSocketChanged, this,
            &QDeviceTable::sig_currentSocketChanged);
    connect(m, &DeviceManager::sig_devChanged, this, &QDeviceTable::sig_devChanged);
    connect(m, &DeviceManager::sig_removeDev, this, &QDeviceTable::sig_removeDev);
    connect(m, &DeviceManager::sig_addDev, this, &QDeviceTable::sig_addDev);
    connect(m, &DeviceManager::sig_netState, this, &QDeviceTable::sig_netState);
    connect(m, &DeviceManager::sig_preset, this, &QDeviceTable::sig_preset);
    connect(m, &DeviceManager::sig_fault, this, &QDeviceTable::sig_fault);
    connect(m, &DeviceManager::sig_ipaddr, this, &QDeviceTable::sig_ipaddr);
    connect(m, &DeviceManager::sig_model, this, &QDeviceTable::sig_model);
    connect(m, &DeviceManager::sig_linkState, this, &QDeviceTable::sig_linkState);
}

int QDeviceTable::count() const
{
    return m_manager->count();
}

int QDeviceTable::selectedRow() const
{
    return m_manager->selectedRow();
}

QTcpSocket *QDeviceTable::socket(int row) const
{
    return m_manager->socket(row);
}

const broadcastMsg *QDeviceTable::record(int row) const
{
    return m_manager->record(row);
}

bool QDeviceTable::isOnline(int row) const
{
    return m_manager->isOnline(row);
}

void QDeviceTable::connectDevice(int row, const QHostAddress &address)
{
    m_manager->connectDevice(row, address);
}

void QDeviceTable::setConnectRetryInterval(int ms)
{
    m_manager->setConnectTimeout(ms);
}

int QDeviceTable::sendUdpCommand(quint32 addressee, quint32 command, const QByteArray &payload)
{
    return m_manager->sendUdpCommand(addressee, command, payload);
}

int QDeviceTable::addLocalUnit(const broadcastMsg &record, quint16 port)
{
    const int row = m_manager->addLocalUnit(record, port);
    emit sig_workingOffline(uint(row), true);
    return row;
}

bool QDeviceTable::isLocal(int row) const
{
    return m_manager->isLocal(row);
}

void QDeviceTable::attachList(QDeviceList *list)
{
    for (int row = 0; row < count(); ++row) {
        list->addItem(const_cast<broadcastMsg *>(record(row)));
        list->setWorkingOffline(uint(row), isLocal(row));
        list->setNetState(uint(row), isOnline(row));
        list->setConnected(uint(row), m_manager->isConnected(row));
    }
    list->setCurrentRow(selectedRow());
    connect(this, &QDeviceTable::sig_addDev, list, &QDeviceList::addItem);
    connect(this, &QDeviceTable::sig_netState, list, &QDeviceList::setNetState);
    connect(this, &QDeviceTable::sig_preset, list, &QDeviceList::setDevicePreset);
    connect(this, &QDeviceTable::sig_fault, list, &QDeviceList::setFaultState);
    connect(this, &QDeviceTable::sig_ipaddr, list, &QDeviceList::setIpaddr);
    connect(this, &QDeviceTable::sig_model, list, &QDeviceList::setDeviceModel);
    connect(this, &QDeviceTable::sig_linkState, list, &QDeviceList::setConnected);
    connect(this, &QDeviceTable::sig_workingOffline, list, &QDeviceList::setWorkingOffline);
    connect(this, &QDeviceTable::sig_removeDev, list, &QDeviceList::removeRow);
    connect(m_manager, &DeviceManager::selectedRowChanged, list, &QDeviceList::setCurrentRow);
    connect(this, &QDeviceTable::sig_loginPending, list, &QDeviceList::setLoginPending);
    connect(m_manager, &DeviceManager::rowChanged, list, [this, list](int row) {
        if (const broadcastMsg *r = record(row))
            list->setDeviceLocation(uint(row), r->location);
    });
    connect(list, &QDeviceList::sig_ipClicked, this, &QDeviceTable::ipClicked);
    connect(list, &QDeviceList::sig_removeRow, this, &QDeviceTable::removeDev);
}

void QDeviceTable::setLoginPending(bool pending)
{
    m_model->setLoginPending(pending);
    emit sig_loginPending(pending);
}

// The time-out box and the IP setting dialog are made when first needed: a
// message box loads its icon from the theme, which takes longer than the
// rest of the table.
ConnectTimeoutBox *QDeviceTable::connectTimeoutBox()
{
    if (!m_timeoutBox) {
        m_timeoutBox = new ConnectTimeoutBox(this);
        connect(m_timeoutBox, &QMessageBox::buttonClicked, this,
                &QDeviceTable::connectTimeoutMessageBoxButtonClicked);
    }
    return m_timeoutBox;
}

QIpSetting *QDeviceTable::ipSettingDialog()
{
    if (!m_ipDialog) {
        m_ipDialog = new QIpSetting(this);
        m_ipDialog->setWindowModality(Qt::ApplicationModal);
        m_ipDialog->setValues(0, 0xFFFFFF00, 0);
        m_ipDialog->gatewayEdit()->clear();
        connect(m_ipDialog, &QDialog::accepted, this, &QDeviceTable::ipAccepted);
    }
    return m_ipDialog;
}

void QDeviceTable::hideTimeoutBox()
{
    if (m_timeoutBox)
        m_timeoutBox->hide();
}

void QDeviceTable::devChanged(int index)
{
    m_manager->devChanged(index);
    hideTimeoutBox();
}

void QDeviceTable::removeDev(int index)
{
    m_manager->removeDev(index);
}

void QDeviceTable::removeClicked()
{
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid())
        removeDev(current.row());
}

void QDeviceTable::ipClicked(int index)
{
    const broadcastMsg *m = record(index);
    if (!m)
        return;
    m_ipTarget = m->machineid;
    QIpSetting *dialog = ipSettingDialog();
    dialog->setAddress(m->ipaddress);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void QDeviceTable::ipAccepted()
{
    if (!m_ipDialog->isComplete())
        return;
    m_manager->sendIpSetting(m_ipTarget, m_ipDialog->address(), m_ipDialog->mask(),
                             m_ipDialog->gateway());
}

void QDeviceTable::connectTimedOut(int row)
{
    Q_UNUSED(row)
    if (!m_remind)
        return;
    connectTimeoutBox()->show();
    m_timeoutBox->raise();
}

void QDeviceTable::connectTimeoutMessageBoxButtonClicked(QAbstractButton *button)
{
    if (button == m_timeoutBox->modifyButton()) {
        m_timeoutBox->hide();
        ipClicked(selectedRow());
    } else if (button == m_timeoutBox->doNotRemindButton()) {
        m_remind = false;
    }
}

void QDeviceTable::showErrorTimeout()
{
    if (!m_dbErrorBox) {
        m_dbErrorBox =
            new QMessageBox(QMessageBox::Critical, QString(), QString(), QMessageBox::Cancel, this);
        m_dbErrorBox->setWindowModality(Qt::NonModal);
    }
    m_dbErrorBox->setWindowTitle(tr("Cannot open database"));
    m_dbErrorBox->setText(tr("Unable to establish a database connection.\n"
                             "This example needs SQLite support. Please read the Qt SQL "
                             "driver documentation for information how to build it.\n\n"
                             "Click Cancel to exit."));
    m_dbErrorBox->show();
    m_dbErrorBox->raise();
}

void QDeviceTable::showContextMenu(const QPoint &pos)
{
    const QModelIndex index = m_view->indexAt(pos);
    if (!index.isValid())
        return;
    m_view->setCurrentIndex(index);
    const QPersistentModelIndex row(index);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("deviceTableMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(tr("IP Setting")), &QAction::triggered, this, [this, row] {
        if (row.isValid())
            ipClicked(row.row());
    });
    connect(menu->addAction(tr("Remove Device")), &QAction::triggered, this,
            &QDeviceTable::removeClicked);
    menu->popup(m_view->viewport()->mapToGlobal(pos));
}

void QDeviceTable::retranslate()
{
    setWindowTitle(tr("Device List"));
    m_hint->setText(tr("Double-click a unit to connect to it; right-click it to change its IP "
                       "address or remove it from the list."));
    m_model->retranslate();
    if (m_dbErrorBox && m_dbErrorBox->isVisible())
        showErrorTimeout();
}

void QDeviceTable::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void QDeviceTable::showEvent(QShowEvent *event)
{
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QDialog::showEvent(event);
}

void QDeviceTable::hideEvent(QHideEvent *event)
{
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    saveGeometrySetting();
    QDialog::hideEvent(event);
}

void QDeviceTable::saveGeometrySetting() const
{
    userSettings().setValue(QLatin1String(GeometryKey), saveGeometry());
}
