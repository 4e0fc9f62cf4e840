#include "app/unittransfer.h"

#include "dapctl/backupcommand.h"
#include "dapctl/ctlconsole.h"
#include "dapctl/ctloptions.h"
#include "dapctl/restorecommand.h"
#include "protocol/transport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProgressDialog>
#include <QTcpSocket>

namespace {

// The program's link, put back whatever the transfer did with it.
class KeepCurrentLink final
{
public:
    KeepCurrentLink() : m_socket(currentSocket()), m_loggedIn(isLoggedIn()) {}
    ~KeepCurrentLink()
    {
        ::setCurrentSocket(m_socket);
        setLoggedIn(m_loggedIn && m_socket);
    }
    KeepCurrentLink(const KeepCurrentLink &) = delete;
    KeepCurrentLink &operator=(const KeepCurrentLink &) = delete;

private:
    QTcpSocket *m_socket;
    bool m_loggedIn;
};

CtlOptions optionsFor(const UnitAddress &unit)
{
    CtlOptions o;
    o.port = unit.port;
    o.password = unit.password;
    o.hasPassword = unit.hasPassword;
    return o;
}

// While a transfer runs the program's event loop keeps turning (the window
// paints, the meters move), but nothing else may be started on the window: a
// window-modal "busy" box says what is being done. It appears only when the
// transfer takes longer than half a second.
class BusyBox final
{
public:
    explicit BusyBox(const QString &text)
    {
        QWidget *window = QApplication::activeWindow();
        if (!window)
            return;
        m_box = new QProgressDialog(text, QString(), 0, 0, window);
        m_box->setWindowModality(Qt::WindowModal);
        m_box->setMinimumDuration(500);
        m_box->setAutoClose(false);
        m_box->setAutoReset(false);
        m_box->setValue(0); // starts the half second
    }
    ~BusyBox() { delete m_box; }
    BusyBox(const BusyBox &) = delete;
    BusyBox &operator=(const BusyBox &) = delete;

private:
    QProgressDialog *m_box = nullptr;
};

int run(CtlCommand &command, const UnitAddress &unit, const QString &path, QString *out,
        QString *error, const QString &busyText)
{
    const BusyBox busy(busyText);
    const KeepCurrentLink keep;
    QString err;
    int code = 0;
    {
        CtlConsole console(out, &err);
        code = command.run({unit.address.toString(), path}, optionsFor(unit), console);
        console.flush();
    }
    if (code != 0 && error)
        *error = err.trimmed().remove(QStringLiteral("dapctl: "));
    return code;
}

} // namespace

namespace UnitTransfer {

bool backup(const UnitAddress &unit, const QString &path, QString *error)
{
    BackupCommand command;
    QString out;
    return run(command, unit, path, &out, error,
               QCoreApplication::translate("UnitTransfer", "Reading the unit…")) == 0;
}

bool restore(const UnitAddress &unit, const QString &path, QString *report, QString *error)
{
    RestoreCommand command;
    QString out;
    const bool ok = run(command, unit, path, &out, error,
                        QCoreApplication::translate(
                            "UnitTransfer", "Writing the configuration into the unit…")) == 0;
    if (report)
        *report = out.trimmed();
    return ok;
}

} // namespace UnitTransfer
