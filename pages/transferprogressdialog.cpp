#include "pages/transferprogressdialog.h"

#include "pages/operatorprompt.h"
#include "protocol/progressguard.h"

#include <QProgressBar>
#include <QProgressDialog>

#include <limits>

TransferProgressDialog::TransferProgressDialog(QWidget *parent)
    : QObject(parent), m_guard(new ProgressGuard(this)), m_dialog(new QProgressDialog(parent)),
      m_bar(new QProgressBar(m_dialog))
{
    // Values go to the bar itself: the modal dialog's own setValue() runs the
    // event loop, which would let the next answer arrive in the middle of the
    // send that stepped the progress.
    m_dialog->setBar(m_bar);
    m_dialog->setWindowTitle(QStringLiteral(" "));
    m_dialog->setModal(true);
    // The guard decides when the dialog closes, not the value reaching the end.
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setMinimumWidth(320);
    m_dialog->cancel(); // hidden, and its delayed self-show stopped
    connect(m_dialog, &QProgressDialog::canceled, m_guard, &ProgressGuard::cancel);
    connect(m_guard, &ProgressGuard::started, this, &TransferProgressDialog::show);
    connect(m_guard, &ProgressGuard::valueChanged, this, &TransferProgressDialog::setValue);
    connect(m_guard, &ProgressGuard::ended, this, &TransferProgressDialog::hide);
    connect(m_guard, &ProgressGuard::timedOut, this, &TransferProgressDialog::timedOut);
}

void TransferProgressDialog::show(const QString &label, qint64 maximum)
{
    m_scale = 1;
    while (maximum / m_scale > std::numeric_limits<int>::max())
        m_scale *= 2;
    m_dialog->reset();
    m_dialog->setLabelText(label);
    m_bar->setRange(0, int(maximum / m_scale));
    m_bar->setValue(0);
    m_dialog->show();
}

void TransferProgressDialog::setValue(qint64 value)
{
    m_bar->setValue(int(qBound<qint64>(0, value, m_guard->maximum()) / m_scale));
}

void TransferProgressDialog::hide()
{
    const QSignalBlocker blocker(m_dialog); // closing is not the operator's cancel
    m_dialog->setLabelText(QString());
    m_dialog->hide();
}

void TransferProgressDialog::timedOut()
{
    OperatorPrompt::current().inform(
        m_dialog->parentWidget(), QMessageBox::Critical, tr("error"),
        tr("The unit stopped answering; the transfer did not finish."));
}
