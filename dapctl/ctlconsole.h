#pragma once

#include <QString>
#include <QTextStream>

#include <cstdio>
#include <memory>

class QIODevice;

// Where a dapctl command writes: results on standard output, messages and
// progress on standard error, always UTF-8 whatever the locale codec. Tests
// give strings instead.
class CtlConsole final
{
public:
    // The process's standard output and error.
    CtlConsole();
    // Strings (tests); `terminal` pretends standard error is a terminal.
    CtlConsole(QString *out, QString *err, bool terminal = false);
    ~CtlConsole();
    CtlConsole(const CtlConsole &) = delete;
    CtlConsole &operator=(const CtlConsole &) = delete;

    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }
    // True when standard error is a terminal, so a progress bar can be drawn.
    bool isTerminal() const { return m_terminal; }

    // "dapctl: <text>" on standard error.
    void error(const QString &text);
    void flush();

private:
    std::unique_ptr<QIODevice> m_outDevice; // standard output, control characters escaped
    QTextStream m_out;
    QTextStream m_err;
    bool m_terminal = false;
};
