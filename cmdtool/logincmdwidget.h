#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// "Login" tab: the password whose login command is generated. It also shows
// why a password was refused, until the password is edited again.
class LoginCmdWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(LoginCmdWidget)

public:
    explicit LoginCmdWidget(QWidget *parent = nullptr);

    QString password() const;

    // Shows (or hides) the note that the password cannot be put in a command.
    void setPasswordRefused(bool refused);
    bool isPasswordRefused() const;

signals:
    void sigPwdGenClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();

    QLabel *m_captionLabel;
    QLabel *m_passwordLabel;
    QLineEdit *m_passwordEdit;
    QPushButton *m_generateButton;
    QLabel *m_refusedLabel;
};
