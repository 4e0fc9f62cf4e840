#include "devices/qdeviceitem.h"

#include "devices/broadcastmsg.h"
#include "widgets/elidedlabel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

QDeviceItem::QDeviceItem(QWidget *parent)
    : QFrame(parent), m_model(new ElidedLabel(this)), m_state(new QLabel(this)),
      m_location(new ElidedLabel(this)), m_address(new ElidedLabel(this)),
      m_preset(new ElidedLabel(this)), m_faultLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("deviceItem"));
    m_model->setObjectName(QStringLiteral("deviceModelLabel"));
    m_state->setObjectName(QStringLiteral("deviceStateLabel"));
    m_location->setObjectName(QStringLiteral("deviceLocationLabel"));
    m_location->hide();
    m_faultLabel->setObjectName(QStringLiteral("deviceFaultLabel"));
    QFont bold = m_model->font();
    bold.setBold(true);
    m_model->setFont(bold);
    m_faultLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_faultLabel->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold;"));
    m_faultLabel->hide();
    // In a narrow list the texts give way (elided, whole in the tooltip). The
    // model has the first line to itself and the state a line of its own, so
    // that neither cuts the other ("Logging in…" and "Connected" are long).
    for (ElidedLabel *l : {m_model, m_location, m_address, m_preset})
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 5, 8, 5);
    grid->setVerticalSpacing(2);
    grid->addWidget(m_model, 0, 0);
    grid->addWidget(m_faultLabel, 0, 1);
    grid->addWidget(m_location, 1, 0, 1, 2);
    grid->addWidget(m_address, 2, 0, 1, 2);
    // Left-aligned: the offline badge is as wide as its word.
    grid->addWidget(m_state, 3, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(m_preset, 4, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    updateState();
}

void QDeviceItem::setWorkingOffline(bool local)
{
    m_local = local;
    updateState();
}

void QDeviceItem::setModel(const QString &model)
{
    m_model->setText(model);
}

void QDeviceItem::setLocation(const QString &location)
{
    if (location == m_location->text())
        return;
    m_location->setText(location);
    m_location->setVisible(!location.isEmpty());
}

void QDeviceItem::setAddress(quint32 address)
{
    m_address->setText(dottedAddress(address));
}

void QDeviceItem::setPreset(const QString &preset)
{
    m_preset->setText(preset);
    m_preset->setVisible(!preset.isEmpty());
}

void QDeviceItem::setFault(quint8 fault)
{
    m_faultByte = fault;
    updateState();
}

void QDeviceItem::setOnline(bool online)
{
    m_online = online;
    updateState();
}

void QDeviceItem::setConnected(bool connected)
{
    m_connected = connected;
    updateState();
}

void QDeviceItem::setLoginPending(bool pending)
{
    m_loginPending = pending;
    updateState();
}

QString QDeviceItem::stateText() const
{
    return m_state->text();
}

QString QDeviceItem::modelText() const
{
    return m_model->text();
}

QString QDeviceItem::locationText() const
{
    return m_location->text();
}

QString QDeviceItem::addressText() const
{
    return m_address->text();
}

QString QDeviceItem::presetText() const
{
    return m_preset->text();
}

void QDeviceItem::updateState()
{
    // The list shows the short forms of the table's Net Status.
    QString text;
    QString colour;
    if (m_local) {
        // A badge, unlike the grey word of a unit that stopped announcing.
        text = tr("Offline");
        colour = QStringLiteral("white; background: #2c6fbb; border-radius: 3px; padding: 0 4px");
    } else if (!m_online) {
        text = tr("Offline");
        colour = QStringLiteral("rgba(0, 0, 0, 80)");
    } else if (m_connected && m_loginPending) {
        text = tr("Logging in…");
        colour = QStringLiteral("#B06000");
    } else if (m_connected) {
        text = tr("Connected");
        colour = QStringLiteral("green");
    } else {
        text = tr("Online");
        colour = QStringLiteral("black");
    }
    // Every announcement (twice a second) comes here; a new style sheet costs
    // a new style for the label, so only a change of state is shown.
    const QString sheet = QStringLiteral("color: %1;").arg(colour);
    if (m_state->text() != text)
        m_state->setText(text);
    if (m_state->styleSheet() != sheet)
        m_state->setStyleSheet(sheet);
    m_faultLabel->setText(tr("Fault"));
    m_faultLabel->setVisible(m_faultByte != 0);
    m_faultLabel->setToolTip(tr("Fault flags: 0x%1").arg(m_faultByte, 2, 16, QLatin1Char('0')));
}

void QDeviceItem::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        updateState();
    QFrame::changeEvent(event);
}
