// dapctl: the command-line tool for integrators and scripts. The commands
// live in the dap_ctl library (DapCtl); this only starts them.

#include "dapctl/ctlconsole.h"
#include "dapctl/dapctl.h"

#include <QCoreApplication>
#include <QLoggingCategory>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dapctl"));
    // The debug output of the libraries is not for a script's terminal.
    QLoggingCategory::setFilterRules(QStringLiteral("dap.*.debug=false\ndap.*.info=false"));
    CtlConsole console;
    return DapCtl(DapCtl::processEnvironment()).run(app.arguments().mid(1), console);
}
