#pragma once

#include <QObject>

class ProgressGuard;
class QProgressBar;
class QProgressDialog;
class QWidget;

// The main window's one progress dialog, showing the ProgressGuard it owns:
// modal, titled with one space, hidden until a transfer starts it. The
// operator's cancel reaches the guard; when the watchdog ends a transfer that
// had not finished, the operator is told so instead of the dialog just closing
// as after a success.
class TransferProgressDialog final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(TransferProgressDialog)

public:
    explicit TransferProgressDialog(QWidget *parent);

    ProgressGuard *guard() const { return m_guard; }
    QProgressDialog *dialog() const { return m_dialog; }

private:
    void show(const QString &label, qint64 maximum);
    void setValue(qint64 value);
    void hide();
    void timedOut();

    ProgressGuard *m_guard;
    QProgressDialog *m_dialog;
    QProgressBar *m_bar;
    int m_scale = 1; // the dialog counts in int: large totals are shown divided
};
