#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Takes a new password twice; OK is possible only for two equal, non-empty texts.
class QPSWModDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(QPSWModDialog)

public:
    explicit QPSWModDialog(QWidget *parent = nullptr);

    // The text confirmed by the last OK.
    QString newPassword() const { return m_accepted; }
    QLineEdit *newEdit() const { return m_new; }
    QLineEdit *confirmEdit() const { return m_confirm; }
    QPushButton *okButton() const { return m_ok; }

public slots:
    void NewPSWEditChanged(QString text);
    void VerifyPSWEditChanged(QString text);
    void Accept();
    void Reject();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_newLabel;
    QLabel *m_confirmLabel;
    QLineEdit *m_new;
    QLineEdit *m_confirm;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QString m_accepted;
};
