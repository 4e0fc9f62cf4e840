#include "cmdtool/logincmdwidget.h"

#include "cmdtool/cmdtoolparts.h"
#include "protocol/frame.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LoginCmdWidget::LoginCmdWidget(QWidget *parent)
    : QWidget(parent), m_captionLabel(new QLabel(this)), m_passwordLabel(new QLabel(this)),
      m_passwordEdit(new QLineEdit(this)),
      m_generateButton(CmdToolParts::generateButton("pwdGenButton", this)),
      m_refusedLabel(new QLabel(this))
{
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    // The whole password travels in one frame.
    m_passwordEdit->setMaxLength(Proto::MaxPayload);
    m_passwordLabel->setBuddy(m_passwordEdit);
    m_refusedLabel->setObjectName(QStringLiteral("pwdRefusedLabel"));
    m_refusedLabel->setStyleSheet(QStringLiteral("color:rgb(224, 67, 69)"));
    m_refusedLabel->setWordWrap(true);
    m_refusedLabel->hide();

    QGridLayout *grid = CmdToolParts::panelGrid(this);
    grid->addWidget(m_captionLabel, 0, 0, 1, 3);
    grid->addWidget(m_passwordLabel, 1, 0);
    grid->addWidget(m_passwordEdit, 1, 1);
    grid->addWidget(m_generateButton, 1, 2);
    grid->addWidget(m_refusedLabel, 2, 0, 1, 3);
    CmdToolParts::finishPanelGrid(grid);

    connect(m_generateButton, &QPushButton::clicked, this, &LoginCmdWidget::sigPwdGenClicked);
    connect(m_passwordEdit, &QLineEdit::returnPressed, this, &LoginCmdWidget::sigPwdGenClicked);
    connect(m_passwordEdit, &QLineEdit::textEdited, this, [this] { setPasswordRefused(false); });

    retranslateUi();
}

QString LoginCmdWidget::password() const
{
    return m_passwordEdit->text();
}

void LoginCmdWidget::setPasswordRefused(bool refused)
{
    m_refusedLabel->setVisible(refused);
}

bool LoginCmdWidget::isPasswordRefused() const
{
    return !m_refusedLabel->isHidden();
}

void LoginCmdWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void LoginCmdWidget::retranslateUi()
{
    m_captionLabel->setText(
        tr("Login(TCP protocol need to login to control, RS232 without login)"));
    m_passwordLabel->setText(tr("Password :"));
    m_generateButton->setText(tr("Generate Command"));
    m_refusedLabel->setText(tr("The password contains characters that cannot be sent: only "
                               "Latin-1 characters are allowed. No command was generated."));
}
