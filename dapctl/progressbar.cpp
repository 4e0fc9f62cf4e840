#include "dapctl/progressbar.h"

#include "dapctl/ctlconsole.h"
#include "protocol/progressguard.h"

ProgressBar::ProgressBar(ProgressGuard *guard, CtlConsole &console, QObject *parent)
    : QObject(parent), m_console(console)
{
    if (!console.isTerminal())
        return;
    connect(guard, &ProgressGuard::started, this, [this](const QString &label, qint64 maximum) {
        m_label = label;
        m_maximum = maximum;
        m_lastPercent = -1;
        draw(0);
    });
    connect(guard, &ProgressGuard::valueChanged, this, &ProgressBar::draw);
}

QString ProgressBar::line(const QString &label, qint64 value, qint64 maximum)
{
    const int percent = maximum > 0 ? int(qBound<qint64>(0, value * 100 / maximum, 100)) : 0;
    const int filled = percent * Width / 100;
    return QStringLiteral("%1 [%2%3] %4 %")
        .arg(label, QString(filled, QLatin1Char('#')), QString(Width - filled, QLatin1Char('-')))
        .arg(percent, 3);
}

void ProgressBar::draw(qint64 value)
{
    const int percent = m_maximum > 0 ? int(qBound<qint64>(0, value * 100 / m_maximum, 100)) : 0;
    if (percent == m_lastPercent)
        return;
    m_lastPercent = percent;
    m_console.err() << '\r' << line(m_label, value, m_maximum);
    m_console.err().flush();
    m_drawn = true;
}

void ProgressBar::finish(bool completed)
{
    if (!m_drawn)
        return;
    if (completed)
        m_console.err() << '\r' << line(m_label, m_maximum, m_maximum);
    m_console.err() << '\n';
    m_console.err().flush();
    m_drawn = false;
}
