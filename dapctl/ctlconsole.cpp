#include "dapctl/ctlconsole.h"

#include "dapctl/terminalwriter.h"

#include <unistd.h>

CtlConsole::CtlConsole()
    : m_outDevice(std::make_unique<TerminalWriter>(stdout)), m_out(m_outDevice.get()),
      m_err(stderr), m_terminal(isatty(STDERR_FILENO) != 0)
{
    // Scripts read UTF-8, whatever the locale.
    m_out.setCodec("UTF-8");
    m_err.setCodec("UTF-8");
}

CtlConsole::CtlConsole(QString *out, QString *err, bool terminal)
    : m_out(out), m_err(err), m_terminal(terminal)
{
}

CtlConsole::~CtlConsole()
{
    m_out.flush();
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
