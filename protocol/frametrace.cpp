#include "protocol/frametrace.h"

#include "protocol/commandnames.h"
#include "protocol/commands.h"
#include "protocol/lebytes.h"

#include <QDateTime>

namespace FrameTrace {

namespace {
Hook &hook()
{
    static Hook h;
    return h;
}

void report(Direction direction, Proto::Frame frame)
{
    // A password never reaches a hook, so no view, file or log can show it.
    if (hidesPayload(frame))
        frame.payload.clear();
    // A copy, so a hook that removes itself does not destroy what it runs.
    const Hook h = hook();
    if (h)
        h({QDateTime::currentMSecsSinceEpoch(), direction, std::move(frame)});
}
} // namespace

namespace Detail {
bool active = false;

void reportSent(const char *bytes, qint64 size)
{
    if (size < Proto::Overhead)
        return;
    Proto::Frame f;
    f.codeId = Le::get<quint16>(bytes + 2);
    f.op = quint8(bytes[4]);
    f.module = quint8(bytes[5]);
    f.cmd = quint8(bytes[6]);
    f.flag = quint8(bytes[7]);
    f.length = Le::get<quint16>(bytes + 8);
    if (!hidesPayload(f))
        f.payload = QByteArray(bytes + Proto::HeaderSize,
                               int(qMin<qint64>(f.length, size - Proto::Overhead)));
    report(Direction::Sent, std::move(f));
}

void reportReceived(const Proto::Frame &frame)
{
    report(Direction::Received, frame);
}
} // namespace Detail

void install(Hook h)
{
    Detail::active = bool(h);
    hook() = std::move(h);
}

bool isInstalled()
{
    return Detail::active;
}

bool hidesPayload(const Proto::Frame &frame)
{
    // The unit's answers (a login's result) carry no password.
    if (frame.op != Proto::OpSystem || frame.flag == Proto::FlagAnswer ||
        frame.flag == Proto::FlagRefused)
        return false;
    return (frame.module == Proto::SysModule::Login && frame.cmd == Proto::LoginCmd::Login) ||
           (frame.module == Proto::SysModule::Settings &&
            frame.cmd == Proto::SettingsCmd::Password);
}

bool Filter::accepts(const Record &r) const
{
    if (direction >= 0 && int(r.direction) != direction)
        return false;
    if (module >= 0 && (r.frame.module != module || (op != 0 && r.frame.op != op)))
        return false;
    return true;
}

QString timeText(qint64 time)
{
    return QDateTime::fromMSecsSinceEpoch(time).toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString directionText(Direction direction)
{
    return direction == Direction::Sent ? QStringLiteral("TX") : QStringLiteral("RX");
}

QString payloadText(const Proto::Frame &frame)
{
    if (hidesPayload(frame))
        return QStringLiteral("(%1 bytes hidden)").arg(frame.length);
    return QString::fromLatin1(frame.payload.toHex(' ').toUpper());
}

namespace {
// The one layout of a line and of the heading above it.
QString columns(const QString &time, const QString &dir, const QString &op, const QString &module,
                const QString &cmd, const QString &flag, const QString &length, const QString &name,
                const QString &payload)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7  %8 %9")
        .arg(time, -12)
        .arg(dir, -3)
        .arg(op, 2)
        .arg(module, 3)
        .arg(cmd, 3)
        .arg(flag, 4)
        .arg(length, 5)
        .arg(name, -24)
        .arg(payload)
        .trimmed();
}
} // namespace

QString heading()
{
    return columns(QStringLiteral("time"), QStringLiteral("dir"), QStringLiteral("op"),
                   QStringLiteral("mod"), QStringLiteral("cmd"), QStringLiteral("flag"),
                   QStringLiteral("len"), QStringLiteral("name"), QStringLiteral("payload"));
}

QString line(const Record &r)
{
    const Proto::Frame &f = r.frame;
    return columns(timeText(r.time), directionText(r.direction), QString::number(f.op),
                   QString::number(f.module), QString::number(f.cmd),
                   QStringLiteral("%1").arg(int(f.flag), 2, 16, QLatin1Char('0')).toUpper(),
                   QString::number(f.length), Proto::commandName(f.op, f.module, f.cmd),
                   payloadText(f));
}

} // namespace FrameTrace
