#include "devices/qipsetting.h"

#include "devices/broadcastmsg.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// First byte 1..223: no network, multicast or reserved address for a unit.
const char *const AddressPattern =
    "(\\d{1,2}|1\\d\\d|2[0-1]\\d|22[0-3])\\.(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])\\."
    "(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])\\.(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])";
const char *const QuadPattern =
    "(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])\\.(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])\\."
    "(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])\\.(\\d{1,2}|1\\d\\d|2[0-4]\\d|25[0-5])";

QLineEdit *makeEdit(const char *pattern, const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QLatin1String(pattern)), edit));
    return edit;
}

} // namespace

QIpSetting::QIpSetting(QWidget *parent)
    : QDialog(parent), m_addressLabel(new QLabel(this)), m_maskLabel(new QLabel(this)),
      m_gatewayLabel(new QLabel(this)),
      m_address(makeEdit(AddressPattern, QStringLiteral("ipEdit"), this)),
      m_mask(makeEdit(QuadPattern, QStringLiteral("maskEdit"), this)),
      m_gateway(makeEdit(QuadPattern, QStringLiteral("gatewayEdit"), this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    auto *form = new QFormLayout;
    form->addRow(m_addressLabel, m_address);
    form->addRow(m_maskLabel, m_mask);
    form->addRow(m_gatewayLabel, m_gateway);
    // The captions name the fields for assistive technology.
    m_addressLabel->setBuddy(m_address);
    m_maskLabel->setBuddy(m_mask);
    m_gatewayLabel->setBuddy(m_gateway);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);
    m_address->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("255.255.255.255")) +
                               24);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit *e : {m_address, m_mask, m_gateway})
        connect(e, &QLineEdit::textChanged, this, &QIpSetting::updateOk);
    retranslate();
    updateOk();
}

bool QIpSetting::parseDotted(const QString &text, quint32 *value)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint32 v = 0;
    for (const QString &part : parts) {
        bool ok = false;
        const uint byte = part.toUInt(&ok, 10);
        if (!ok || part.isEmpty() || byte > 255)
            return false;
        v = v << 8 | byte;
    }
    *value = v;
    return true;
}

void QIpSetting::setValues(quint32 address, quint32 mask, quint32 gateway)
{
    m_address->setText(dottedAddress(address));
    m_mask->setText(dottedAddress(mask));
    m_gateway->setText(dottedAddress(gateway));
}

void QIpSetting::setAddress(quint32 address)
{
    m_address->setText(dottedAddress(address));
}

quint32 QIpSetting::address() const
{
    quint32 v = 0;
    parseDotted(m_address->text(), &v);
    return v;
}

quint32 QIpSetting::mask() const
{
    quint32 v = 0;
    parseDotted(m_mask->text(), &v);
    return v;
}

quint32 QIpSetting::gateway() const
{
    quint32 v = 0;
    parseDotted(m_gateway->text(), &v);
    return v;
}

bool QIpSetting::isComplete() const
{
    // The pattern lets a first byte of 0 through; no unit can take such an address.
    return m_address->hasAcceptableInput() && m_mask->hasAcceptableInput() &&
           m_gateway->hasAcceptableInput() && (address() >> 24) != 0;
}

void QIpSetting::updateOk()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(isComplete());
}

void QIpSetting::retranslate()
{
    setWindowTitle(tr("ip Settings"));
    m_addressLabel->setText(tr("IP addr :"));
    m_maskLabel->setText(tr("Subnet :"));
    m_gatewayLabel->setText(tr("Gateway :"));
}

void QIpSetting::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
