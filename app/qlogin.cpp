#include "app/qlogin.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QLogin::QLogin(QWidget *parent)
    : QDialog(parent), m_caption(new QLabel(this)), m_fieldLabel(new QLabel(this)),
      m_password(new QLineEdit(this))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMinimumWidth(200);
    m_caption->setStyleSheet(QStringLiteral("font-weight: bold;"));

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
    layout->addLayout(form);
    layout->addWidget(buttons);
    retranslate();
}

QString QLogin::password() const
{
    return m_password->text();
}

void QLogin::ask()
{
    m_password->clear();
    show();
    raise();
    activateWindow();
    m_password->setFocus();
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
    m_fieldLabel->setText(tr("Password"));
}
