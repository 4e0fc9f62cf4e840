#include "app/qpswmoddialog.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QPSWModDialog::QPSWModDialog(QWidget *parent)
    : QDialog(parent), m_newLabel(new QLabel(this)), m_confirmLabel(new QLabel(this)),
      m_new(new QLineEdit(this)), m_confirm(new QLineEdit(this)), m_ok(new QPushButton(this)),
      m_cancel(new QPushButton(this))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    for (QLineEdit *e : {m_new, m_confirm}) {
        e->setEchoMode(QLineEdit::Password);
        e->setMinimumWidth(200);
    }
    m_ok->setEnabled(false);
    m_ok->setDefault(true);
    connect(m_new, &QLineEdit::textChanged, this, &QPSWModDialog::NewPSWEditChanged);
    connect(m_confirm, &QLineEdit::textChanged, this, &QPSWModDialog::VerifyPSWEditChanged);
    connect(m_ok, &QPushButton::clicked, this, &QPSWModDialog::Accept);
    connect(m_cancel, &QPushButton::clicked, this, &QPSWModDialog::Reject);

    auto *form = new QFormLayout;
    form->addRow(m_newLabel, m_new);
    form->addRow(m_confirmLabel, m_confirm);
    // The captions name the fields for assistive technology.
    m_newLabel->setBuddy(m_new);
    m_confirmLabel->setBuddy(m_confirm);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->addLayout(form);
    layout->addLayout(buttons);
    retranslate();
}

void QPSWModDialog::NewPSWEditChanged(QString text)
{
    m_ok->setEnabled(!text.isEmpty() && text == m_confirm->text());
}

void QPSWModDialog::VerifyPSWEditChanged(QString text)
{
    m_ok->setEnabled(!text.isEmpty() && text == m_new->text());
}

void QPSWModDialog::Accept()
{
    if (m_new->text().isEmpty() || m_new->text() != m_confirm->text())
        return;
    m_accepted = m_new->text();
    m_new->clear();
    m_confirm->clear();
    accept();
}

void QPSWModDialog::Reject()
{
    m_new->clear();
    m_confirm->clear();
    reject();
}

void QPSWModDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void QPSWModDialog::retranslate()
{
    setWindowTitle(tr("Modify password"));
    m_newLabel->setText(tr("New password :"));
    m_confirmLabel->setText(tr("Confirm :"));
    m_ok->setText(tr("OK"));
    m_cancel->setText(tr("Cancel"));
}
