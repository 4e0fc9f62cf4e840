#include "app/qlogin.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QLogin::QLogin(QWidget *parent)
    : QDialog(parent), m_caption(new QLabel(this)), m_modelCaption(new QLabel(this)),
      m_model(new QLabel(this)), m_addressCaption(new QLabel(this)), m_address(new QLabel(this)),
      m_locationCaption(new QLabel(this)), m_location(new QLabel(this)),
      m_refusal(new QLabel(this)), m_fieldLabel(new QLabel(this)), m_password(new QLineEdit(this))
{
    setObjectName(QStringLiteral("loginDialog"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMinimumWidth(200);
    m_caption->setStyleSheet(QStringLiteral("font-weight: bold;"));
    // Texts from the unit are shown as they are, never as markup.
    for (QLabel *l : {m_model, m_address, m_location}) {
        l->setTextFormat(Qt::PlainText);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_refusal->setObjectName(QStringLiteral("loginRefusalLabel"));
    m_refusal->setStyleSheet(QStringLiteral("color: #C00000;"));
    m_refusal->setWordWrap(true);
    m_refusal->hide();
    m_fieldLabel->setBuddy(m_password);

    auto *unit = new QFormLayout;
    unit->addRow(m_modelCaption, m_model);
    unit->addRow(m_addressCaption, m_address);
    unit->addRow(m_locationCaption, m_location);
    auto *form = new QFormLayout;
    form->addRow(m_fieldLabel, m_password);
    m_fieldLabel->setBuddy(m_password); // names the field for assistive technology
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, &QLogin::EnterPassword);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(m_caption);
    layout->addLayout(unit);
    layout->addWidget(m_refusal);
    layout->addLayout(form);
    layout->addWidget(buttons);
    retranslate();
    showUnit();
}

QString QLogin::password() const
{
    return m_password->text();
}

void QLogin::ask(const Unit &unit, bool wrongPassword)
{
    m_unit = unit;
    m_wrong = wrongPassword;
    showUnit();
    retranslate();
    m_password->clear();
    show();
    raise();
    activateWindow();
    m_password->setFocus();
}

QString QLogin::unitText() const
{
    QStringList lines;
    for (const QLabel *l : {m_model, m_address, m_location})
        if (!l->isHidden())
            lines << l->text();
    return lines.join(QLatin1Char('\n'));
}

QString QLogin::refusalText() const
{
    return m_refusal->isHidden() ? QString() : m_refusal->text();
}

void QLogin::showUnit()
{
    const std::pair<QLabel *, QLabel *> rows[] = {
        {m_modelCaption, m_model}, {m_addressCaption, m_address}, {m_locationCaption, m_location}};
    const QString texts[] = {m_unit.model, m_unit.address, m_unit.location};
    for (int i = 0; i < 3; ++i) {
        rows[i].second->setText(texts[i]);
        // A unit that has no location set leaves out the row.
        rows[i].first->setVisible(!texts[i].isEmpty());
        rows[i].second->setVisible(!texts[i].isEmpty());
    }
    m_refusal->setVisible(m_wrong);
}

void QLogin::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void QLogin::retranslate()
{
    setWindowTitle(tr("Login"));
    m_caption->setText(tr("Enter password to login"));
    m_modelCaption->setText(tr("Device model :"));
    m_addressCaption->setText(tr("IP Address :"));
    m_locationCaption->setText(tr("Location :"));
    m_refusal->setText(tr("The password was wrong. Please enter it again."));
    m_fieldLabel->setText(tr("Password"));
}
