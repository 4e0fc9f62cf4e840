#include "dapd/dapdconfig.h"

#include "dapd/privatefile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString resolved(const QString &base, const QString &name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    return QDir(base).filePath(name);
}

} // namespace

bool DapdConfig::readFile(const QString &path, QString &error)
{
    QByteArray bytes;
    if (!PrivateFile::read(path, MaxFileBytes, bytes, error))
        return false;
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (!doc.isObject()) {
        // The parser's message names a place, not the text around it.
        error = QStringLiteral("%1: not a JSON object (%2 at byte %3)")
                    .arg(path, parse.errorString())
                    .arg(parse.offset);
        return false;
    }
    const QJsonObject root = doc.object();
    const QString base = QFileInfo(path).absolutePath();
    for (auto it = root.begin(); it != root.end(); ++it) {
        const QString &key = it.key();
        if (key == QLatin1String("units")) {
            if (!it.value().isObject()) {
                error = QStringLiteral("%1: \"units\" must be an object").arg(path);
                return false;
            }
            const QJsonObject units = it.value().toObject();
            if (units.size() > MaxUnits) {
                error = QStringLiteral("%1: more than %2 units").arg(path).arg(MaxUnits);
                return false;
            }
            for (auto u = units.begin(); u != units.end(); ++u) {
                const QJsonValue password = u.value().toObject().value(QStringLiteral("password"));
                if (!u.value().isObject() || !password.isString() ||
                    password.toString().size() > 256) {
                    error = QStringLiteral("%1: unit \"%2\" needs a \"password\" text of at most "
                                           "256 characters")
                                .arg(path, u.key());
                    return false;
                }
                passwords.insert(u.key(), password.toString());
            }
        } else if (key == QLatin1String("token_file")) {
            if (!it.value().isString()) {
                error = QStringLiteral("%1: \"token_file\" must be a file name").arg(path);
                return false;
            }
            tokenFile = resolved(base, it.value().toString());
        } else if (key == QLatin1String("tls")) {
            const QJsonObject tls = it.value().toObject();
            tlsCertificate = resolved(base, tls.value(QStringLiteral("certificate")).toString());
            tlsKey = resolved(base, tls.value(QStringLiteral("key")).toString());
            if (!it.value().isObject() || tlsCertificate.isEmpty() || tlsKey.isEmpty()) {
                error = QStringLiteral("%1: \"tls\" needs \"certificate\" and \"key\" file names")
                            .arg(path);
                return false;
            }
        } else {
            error = QStringLiteral("%1: unknown key \"%2\"").arg(path, key);
            return false;
        }
    }
    return tokenFile.isEmpty() || readToken(error);
}

bool DapdConfig::readToken(QString &error)
{
    QByteArray bytes;
    if (!PrivateFile::read(tokenFile, MaxTokenBytes, bytes, error))
        return false;
    token = bytes.trimmed();
    for (char c : qAsConst(token)) {
        if (uchar(c) <= 0x20 || uchar(c) >= 0x7f) {
            error =
                QStringLiteral("%1: the token must be one word of printable ASCII").arg(tokenFile);
            token.clear();
            return false;
        }
    }
    if (token.size() < 16) {
        error = QStringLiteral("%1: the token must have at least 16 characters").arg(tokenFile);
        token.clear();
        return false;
    }
    return true;
}

std::optional<QString> DapdConfig::passwordFor(quint32 machineid, const QString &serial,
                                               const QHostAddress &address) const
{
    if (machineid != 0) {
        const auto byId = passwords.constFind(QString::number(machineid));
        if (byId != passwords.cend())
            return byId.value();
    }
    if (!serial.isEmpty()) {
        const auto bySerial = passwords.constFind(serial);
        if (bySerial != passwords.cend())
            return bySerial.value();
    }
    const auto byAddress = passwords.constFind(address.toString());
    if (byAddress != passwords.cend())
        return byAddress.value();
    return defaultPassword;
}
