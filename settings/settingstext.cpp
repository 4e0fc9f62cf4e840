#include "settings/settingstext.h"

#include <QCoreApplication>
#include <QStringList>

namespace SettingsText {

QString version(const std::array<quint8, 3> &v)
{
    return QString::asprintf("V%d.%d.%d", v[0], v[1], v[2]);
}

QString channelConfig(quint8 inputs, quint8 outputs)
{
    return QString::asprintf("%02d%02d", inputs, outputs);
}

QString duration(quint32 seconds)
{
    // The word for days follows the language; asprintf reads its format as UTF-8.
    const QByteArray format =
        QCoreApplication::translate("SettingsText", "%uday %02u:%02u:%02u").toUtf8();
    return QString::asprintf(format.constData(), seconds / 86400, seconds / 3600 % 24,
                             seconds / 60 % 60, seconds % 60);
}

QString temperature(float celsius)
{
    return QString::asprintf("%0.1f", double(celsius)) + QChar(0x00B0) + QLatin1Char('C');
}

QString clock(const std::array<quint8, 7> &b)
{
    if (!(b[0] | b[1] | b[2] | b[3] | b[5] | b[6]))
        return QString();
    return QString::asprintf("20%02d-%02d-%02d %02d:%02d:%02d", b[6], b[5], b[3], b[2], b[1], b[0]);
}

QString voltage(float volts)
{
    if (volts == 0.0f)
        return QString();
    return QString::asprintf("%0.1fV", double(volts));
}

QString dottedAddress(quint32 a)
{
    return QString::asprintf("%u.%u.%u.%u", a >> 24, a >> 16 & 0xFF, a >> 8 & 0xFF, a & 0xFF);
}

std::optional<quint32> parseDottedAddress(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    quint32 address = 0;
    for (const QString &part : parts) {
        bool ok = false;
        const uint byte = part.toUInt(&ok, 10);
        if (!ok || part.isEmpty() || part.size() > 3 || byte > 255)
            return std::nullopt;
        address = address << 8 | byte;
    }
    return address;
}

} // namespace SettingsText
