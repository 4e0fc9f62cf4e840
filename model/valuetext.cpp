#include "model/valuetext.h"

#include "protocol/localtext.h"

#include <QStringList>

#include <cmath>

namespace Model::ValueText {

namespace {

QString numberText(const ParamDesc &p, double value)
{
    return QString::number(value, 'f', p.decimals);
}

} // namespace

QString format(const ParamDesc &p, double value)
{
    switch (p.kind) {
    case Kind::Switch:
        return value != 0 ? QStringLiteral("on") : QStringLiteral("off");
    case Kind::Choice:
        for (const NamedValue &n : p.names)
            if (n.value == value)
                return QString::fromLatin1(n.name);
        return numberText(p, value);
    case Kind::Number:
    case Kind::Text:
        break;
    }
    return numberText(p, value);
}

bool parse(const ParamDesc &p, const QString &written, double *number, QString *text,
           QString *error)
{
    const auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (p.is(ReadOnly))
        return refuse(QStringLiteral("%1 is reported by the unit and cannot be set")
                          .arg(QString::fromLatin1(p.path)));
    const QString v = written.trimmed();
    switch (p.kind) {
    case Kind::Text:
        // Cut to the unit's field later, at a whole character; a text far
        // longer than any field is a mistake, not a name.
        if (written.size() > LocalText::maxInputLength(p.width))
            return refuse(QStringLiteral("a text of %1 characters; the unit keeps %2 bytes")
                              .arg(written.size())
                              .arg(p.width));
        *text = written;
        return true;
    case Kind::Switch: {
        const QString l = v.toLower();
        if (l == QLatin1String("on") || l == QLatin1String("1") || l == QLatin1String("true") ||
            l == QLatin1String("yes")) {
            *number = 1;
            return true;
        }
        if (l == QLatin1String("off") || l == QLatin1String("0") || l == QLatin1String("false") ||
            l == QLatin1String("no")) {
            *number = 0;
            return true;
        }
        return refuse(QStringLiteral("\"%1\" is not on or off").arg(v));
    }
    case Kind::Choice: {
        for (const NamedValue &n : p.names)
            if (v.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
                *number = n.value;
                return true;
            }
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (ok)
            for (const NamedValue &n : p.names)
                if (n.value == d) {
                    *number = d;
                    return true;
                }
        return refuse(QStringLiteral("\"%1\" is not one of %2").arg(v, describe(p)));
    }
    case Kind::Number: {
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            return refuse(QStringLiteral("\"%1\" is not a number").arg(v));
        *number = d;
        return true;
    }
    }
    return false;
}

QString describe(const ParamDesc &p)
{
    switch (p.kind) {
    case Kind::Switch:
        return QStringLiteral("on|off");
    case Kind::Choice: {
        QStringList names;
        for (const NamedValue &n : p.names)
            names.append(QString::fromLatin1(n.name));
        return names.join(QLatin1Char('|'));
    }
    case Kind::Text:
        return QStringLiteral("text, up to %1 bytes").arg(p.width);
    case Kind::Number:
        break;
    }
    const QString unit = *p.unit ? QString::fromLatin1(p.unit) + QStringLiteral(", ") : QString();
    if (p.hasTable()) {
        QStringList entries;
        for (const NamedValue &n : p.names)
            entries.append(numberText(p, n.value));
        if (entries.size() > 12)
            return unit + QStringLiteral("%1..%2 (%3 values)")
                              .arg(entries.first(), entries.last())
                              .arg(entries.size());
        return unit + entries.join(QLatin1Char('|'));
    }
    return unit + QStringLiteral("%1..%2").arg(numberText(p, p.minimum), numberText(p, p.maximum));
}

} // namespace Model::ValueText
