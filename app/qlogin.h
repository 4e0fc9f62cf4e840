#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// Asks for the unit's password when the unit requires one.
class QLogin final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(QLogin)

public:
    explicit QLogin(QWidget *parent = nullptr);

    QString password() const;
    QLineEdit *passwordEdit() const { return m_password; }
    // Shows the dialog (modal, without blocking the caller) with an empty field.
    void ask();

signals:
    void EnterPassword();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_caption;
    QLabel *m_fieldLabel;
    QLineEdit *m_password;
};
