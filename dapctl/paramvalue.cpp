#include "dapctl/paramvalue.h"

#include "pages/devicestatus.h"
#include "pages/levels/gainrules.h"
#include "protocol/commands.h"
#include "protocol/localtext.h"

#include <QLocale>

#include <cmath>

using Kind = ParamPath::Kind;

std::optional<bool> ParamValue::parseSwitch(const QString &text)
{
    const QString t = text.trimmed().toLower();
    for (const char *on : {"on", "1", "true", "yes"})
        if (t == QLatin1String(on))
            return true;
    for (const char *off : {"off", "0", "false", "no"})
        if (t == QLatin1String(off))
            return false;
    return std::nullopt;
}

std::optional<double> ParamValue::parseNumber(const QString &text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> ParamValue::parseWhole(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

std::optional<int> ParamValue::parseLimit(const QString &text)
{
    const auto db = parseNumber(text);
    if (!db)
        return std::nullopt;
    return qBound(GainRules::LimitMin, int(std::lround(qBound(-1000.0, *db, 1000.0))),
                  GainRules::LimitMax);
}

ParamValue ParamValue::fromSwitch(bool on)
{
    return {on ? QStringLiteral("on") : QStringLiteral("off"), on};
}

ParamValue ParamValue::fromGain(float db, float off)
{
    QString text = QString::asprintf("%0.1f dB", double(db));
    if (db <= off)
        text += QStringLiteral(" (off)");
    return {text, std::round(double(db) * 10.0) / 10.0};
}

ParamValue ParamValue::fromWholeDb(int db)
{
    return {QStringLiteral("%1 dB").arg(db), db};
}

ParamValue ParamValue::fromText(const QString &text)
{
    return {text, text};
}

QString ParamValue::gainText(double db)
{
    return QString::asprintf("%0.1f dB", db);
}

QString ParamValue::check(const ParamPath &path, const QString &value)
{
    switch (path.kind) {
    case Kind::InputGain:
    case Kind::LevelGain:
    case Kind::LevelMax:
    case Kind::LevelMin:
    case Kind::MatrixGain:
        return parseNumber(value) ? QString() : QStringLiteral("\"%1\" is not a number").arg(value);
    case Kind::InputMute:
    case Kind::InputPhantom:
    case Kind::LevelMute:
    case Kind::LevelInvert:
    case Kind::LevelPriority:
    case Kind::MatrixOn:
    case Kind::AllMute:
        return parseSwitch(value) ? QString()
                                  : QStringLiteral("\"%1\" is not on or off").arg(value);
    case Kind::InputMode: {
        const QString t = value.trimmed().toLower();
        return t == QLatin1String("mic") || t == QLatin1String("line") || t == QLatin1String("0") ||
                       t == QLatin1String("1")
                   ? QString()
                   : QStringLiteral("\"%1\" is not mic or line").arg(value);
    }
    case Kind::LevelGroup: {
        const auto group = parseWhole(value);
        return group && *group >= 0 && *group <= 8
                   ? QString()
                   : QStringLiteral("\"%1\" is not a group 0..8").arg(value);
    }
    case Kind::Rs232Baud: {
        const auto baud = parseWhole(value);
        return baud && DeviceStatus::baudIndex(quint32(qMax(0, *baud))) >= 0
                   ? QString()
                   : QStringLiteral("\"%1\" is not 9600, 19200, 57600 or 115200").arg(value);
    }
    case Kind::GateReport: {
        const auto index = parseWhole(value);
        return index && *index >= 0 && *index < DeviceStatus::GateReportModes
                   ? QString()
                   : QStringLiteral("\"%1\" is not 0 or 1").arg(value);
    }
    case Kind::Label:
    case Kind::Location:
    case Kind::Description: {
        const int width = path.kind != Kind::Label                    ? DeviceStatus::TextWidth
                          : path.labelTable == Proto::LabelCmd::Panel ? 10
                                                                      : 16;
        const int most = LocalText::maxInputLength(width);
        return value.size() <= most
                   ? QString()
                   : QStringLiteral("a text of %1 characters; the unit keeps %2 bytes, and at "
                                    "most %3 characters are taken")
                         .arg(value.size())
                         .arg(width)
                         .arg(most);
    }
    }
    return QString();
}
