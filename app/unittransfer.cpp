#include "app/unittransfer.h"

#include "dapctl/backupcommand.h"
#include "dapctl/ctlconsole.h"
#include "dapctl/ctloptions.h"
#include "dapctl/restorecommand.h"
#include "protocol/transport.h"

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

int run(CtlCommand &command, const UnitAddress &unit, const QString &path, QString *out,
        QString *error)
{
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
    return run(command, unit, path, &out, error) == 0;
}

bool restore(const UnitAddress &unit, const QString &path, QString *report, QString *error)
{
    RestoreCommand command;
    QString out;
    const bool ok = run(command, unit, path, &out, error) == 0;
    if (report)
        *report = out.trimmed();
    return ok;
}

} // namespace UnitTransfer
