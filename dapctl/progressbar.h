#pragma once

#include <QObject>
#include <QString>

class CtlConsole;
class ProgressGuard;

// The progress of a transfer as a bar on standard error, redrawn in place:
//   Exporting...  [##########----------]  50 %
// Nothing is drawn when standard error is not a terminal, so logs and pipes
// stay clean.
class ProgressBar final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ProgressBar)

public:
    static constexpr int Width = 30;

    ProgressBar(ProgressGuard *guard, CtlConsole &console, QObject *parent = nullptr);

    // Ends the bar's line: full when the transfer completed, else as it is.
    void finish(bool completed);

    // The line for a value (public for the tests).
    static QString line(const QString &label, qint64 value, qint64 maximum);

private:
    void draw(qint64 value);

    CtlConsole &m_console;
    QString m_label;
    qint64 m_maximum = 0;
    int m_lastPercent = -1;
    bool m_drawn = false;
};
