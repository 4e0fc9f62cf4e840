#include "devices/qdevicelist.h"

#include "devices/qdeviceitem.h"

#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
// Only the height counts: a row is as wide as the list.
QSize rowSize(const QWidget *item)
{
    return QSize(1, item->sizeHint().height());
}
} // namespace

QDeviceList::QDeviceList(QWidget *parent) : QWidget(parent), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("deviceList"));
    m_list->setObjectName(QStringLiteral("deviceListWidget"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setResizeMode(QListView::Adjust); // rows follow the list's width
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->installEventFilter(this);
    // A light selection keeps the items' own texts (the green "Connected") legible.
    m_list->setStyleSheet(QStringLiteral("QListWidget#deviceListWidget::item:selected {"
                                         " background: #D6E8FA; }"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);

    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit sig_devChanged(m_list->row(item)); });
    connect(m_list, &QWidget::customContextMenuRequested, this, &QDeviceList::showContextMenu);
}

int QDeviceList::count() const
{
    return m_list->count();
}

QDeviceItem *QDeviceList::item(int row) const
{
    return qobject_cast<QDeviceItem *>(m_list->itemWidget(m_list->item(row)));
}

int QDeviceList::currentRow() const
{
    return m_list->currentRow();
}

void QDeviceList::addItem(broadcastMsg *record)
{
    if (!record)
        return;
    auto *widget = new QDeviceItem;
    widget->setModel(record->model);
    widget->setLocation(record->location);
    widget->setAddress(record->ipaddress);
    widget->setPreset(record->preset);
    widget->setFault(record->fault);
    auto *item = new QListWidgetItem(m_list);
    item->setSizeHint(rowSize(widget));
    m_list->setItemWidget(item, widget);
    describeRow(m_list->count() - 1);
}

// The row as assistive technology reads it: the row is drawn by its widget,
// the item itself has no text.
void QDeviceList::describeRow(int row)
{
    QListWidgetItem *listItem = m_list->item(row);
    const QDeviceItem *w = item(row);
    if (!listItem || !w)
        return;
    QStringList parts{w->modelText(), w->addressText(), w->stateText(), w->presetText()};
    parts.removeAll(QString());
    listItem->setData(Qt::AccessibleTextRole, parts.join(QStringLiteral(", ")));
}

void QDeviceList::setWorkingOffline(uint row, bool local)
{
    if (QDeviceItem *w = item(int(row)))
        w->setWorkingOffline(local);
}

void QDeviceList::setNetState(uint row, bool online)
{
    if (QDeviceItem *w = item(int(row)))
        w->setOnline(online);
    describeRow(int(row));
}

void QDeviceList::setDevicePreset(uint row, const QString &preset)
{
    if (QDeviceItem *w = item(int(row))) {
        w->setPreset(preset);
        m_list->item(int(row))->setSizeHint(rowSize(w));
    }
    describeRow(int(row));
}

void QDeviceList::setFaultState(uint row, uchar fault)
{
    if (QDeviceItem *w = item(int(row)))
        w->setFault(fault);
    describeRow(int(row));
}

void QDeviceList::setIpaddr(uint row, uint address)
{
    if (QDeviceItem *w = item(int(row)))
        w->setAddress(address);
    describeRow(int(row));
}

void QDeviceList::setDeviceModel(uint row, const QString &model)
{
    if (QDeviceItem *w = item(int(row)))
        w->setModel(model);
    describeRow(int(row));
}

void QDeviceList::setDeviceLocation(uint row, const QString &location)
{
    if (QDeviceItem *w = item(int(row))) {
        w->setLocation(location);
        m_list->item(int(row))->setSizeHint(rowSize(w));
    }
}

void QDeviceList::setLoginPending(bool pending)
{
    m_loginPending = pending;
    showLoginPending();
}

void QDeviceList::showLoginPending()
{
    const int selected = m_list->currentRow();
    for (int r = 0; r < m_list->count(); ++r) {
        const bool pending = m_loginPending && r == selected;
        if (QDeviceItem *w = item(r); w && w->isLoginPending() != pending)
            w->setLoginPending(pending);
    }
}

void QDeviceList::setConnected(uint row, bool connected)
{
    if (QDeviceItem *w = item(int(row)))
        w->setConnected(connected);
    describeRow(int(row));
}

void QDeviceList::removeRow(int row)
{
    if (row >= 0 && row < m_list->count())
        delete m_list->takeItem(row);
    showLoginPending();
}

void QDeviceList::setCurrentRow(int row)
{
    const QSignalBlocker blocker(m_list);
    if (row < 0 || row >= m_list->count()) {
        m_list->clearSelection();
        m_list->setCurrentRow(-1);
    } else {
        m_list->setCurrentRow(row);
    }
    showLoginPending();
}

void QDeviceList::showContextMenu(const QPoint &pos)
{
    QListWidgetItem *clicked = m_list->itemAt(pos);
    if (!clicked)
        return;
    // The row is looked up when an action is chosen: rows may come and go
    // while the menu is open.
    const QPersistentModelIndex index = m_list->model()->index(m_list->row(clicked), 0);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("deviceContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(tr("IP Setting")), &QAction::triggered, this, [this, index] {
        if (index.isValid())
            emit sig_ipClicked(index.row());
    });
    connect(menu->addAction(tr("Remove Device")), &QAction::triggered, this, [this, index] {
        if (index.isValid())
            emit sig_removeRow(index.row());
    });
    menu->popup(m_list->viewport()->mapToGlobal(pos));
}

bool QDeviceList::eventFilter(QObject *watched, QEvent *event)
{
    // Return picks the unit under the keyboard cursor, as a click does.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_list->currentRow() >= 0) {
            emit sig_devChanged(m_list->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
