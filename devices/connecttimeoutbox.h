#pragma once

#include <QMessageBox>

class QPushButton;

// The non-modal "Connection Timeout" box with its two buttons. Closing the
// window (title bar or Escape) only hides it; neither button is implied.
class ConnectTimeoutBox final : public QMessageBox
{
    Q_OBJECT
    Q_DISABLE_COPY(ConnectTimeoutBox)

public:
    explicit ConnectTimeoutBox(QWidget *parent = nullptr);

    QPushButton *modifyButton() const { return m_modify; }
    QPushButton *doNotRemindButton() const { return m_doNotRemind; }

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void retranslate();

    QPushButton *m_modify;
    QPushButton *m_doNotRemind;
};
