#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// Asks for the unit's password when the unit requires one. The box names the
// unit it logs in to (model, address, location), so that with several units
// on the network the operator knows which password is asked for, and says
// when the password sent before was refused.
class QLogin final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(QLogin)

public:
    // The unit a login is asked for, as its announcement names it.
    struct Unit
    {
        QString model;
        QString address;
        QString location;
    };

    explicit QLogin(QWidget *parent = nullptr);

    QString password() const;
    QLineEdit *passwordEdit() const { return m_password; }
    // Shows the dialog (modal, without blocking the caller) with an empty
    // field, for `unit`; `wrongPassword` says that the unit refused the
    // password sent before.
    void ask(const Unit &unit = Unit(), bool wrongPassword = false);

    // The texts shown now: the unit's lines and the refusal (empty when
    // none); for tests.
    QString unitText() const;
    QString refusalText() const;

signals:
    void EnterPassword();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void showUnit();

    QLabel *m_caption;
    QLabel *m_modelCaption;
    QLabel *m_model;
    QLabel *m_addressCaption;
    QLabel *m_address;
    QLabel *m_locationCaption;
    QLabel *m_location;
    QLabel *m_refusal;
    QLabel *m_fieldLabel;
    QLineEdit *m_password;
    Unit m_unit;
    bool m_wrong = false;
};
