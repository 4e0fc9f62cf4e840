#include "sim/systemstate.h"

quint32 SystemState::runTime() const
{
    return started.isValid() ? quint32(started.elapsed() / 1000) : 0;
}

QByteArray SystemState::clockBytes() const
{
    const QDateTime now = QDateTime::currentDateTime().addSecs(clockOffsetSecs);
    const QDate d = now.date();
    const QTime t = now.time();
    QByteArray b(7, 0);
    b[0] = char(t.second());
    b[1] = char(t.minute());
    b[2] = char(t.hour());
    b[3] = char(d.day());
    b[4] = char(d.dayOfWeek());
    b[5] = char(d.month());
    b[6] = char(d.year() - 2000);
    return b;
}

void SystemState::setClock(const QByteArray &b)
{
    if (b.size() != 7)
        return;
    const QDate date(2000 + quint8(b[6]), quint8(b[5]), quint8(b[3]));
    const QTime time{int(quint8(b[2])), int(quint8(b[1])), int(quint8(b[0]))};
    if (!date.isValid() || !time.isValid())
        return;
    clockOffsetSecs = QDateTime::currentDateTime().secsTo(QDateTime(date, time));
}

void SystemState::factoryReset()
{
    const SystemState defaults;
    location = defaults.location;
    description = defaults.description;
    allMute = 0;
    rs232Baud = defaults.rs232Baud;
    rs485Baud = defaults.rs485Baud;
    gateReport = 0;
    password.clear();
}
