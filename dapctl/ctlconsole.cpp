#include "dapctl/ctlconsole.h"

#include <unistd.h>

CtlConsole::CtlConsole() : m_out(stdout), m_err(stderr), m_terminal(isatty(STDERR_FILENO) != 0)
{
    // The locale codec is the unit's (GB2312); the terminal speaks UTF-8.
    m_out.setCodec("UTF-8");
    m_err.setCodec("UTF-8");
}

CtlConsole::CtlConsole(QString *out, QString *err, bool terminal)
    : m_out(out), m_err(err), m_terminal(terminal)
{
}

void CtlConsole::error(const QString &text)
{
    m_err << "dapctl: " << text << '\n';
    m_err.flush();
}

void CtlConsole::flush()
{
    m_out.flush();
    m_err.flush();
}
