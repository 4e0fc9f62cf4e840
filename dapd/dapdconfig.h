#pragma once

#include <QHash>
#include <QHostAddress>
#include <QString>

#include <optional>

// What the configuration file gives the control server (a JSON object,
// readable by its owner only, since it holds the units' passwords):
//
//   {
//     "units": { "1001": {"password": "..."}, "SN0042": {...}, "10.0.5.20": {...} },
//     "token_file": "/home/av/.config/dapd/token",
//     "tls": { "certificate": "cert.pem", "key": "key.pem" }
//   }
//
// A unit is named as clients name it: device id, serial number or address.
// A unit the file does not name takes the password of the DAPD_PASSWORD
// environment variable, if set. Relative file names are taken from the
// configuration file's folder.
struct DapdConfig
{
    static constexpr qint64 MaxFileBytes = 256 * 1024;
    static constexpr qint64 MaxTokenBytes = 4096;
    static constexpr int MaxUnits = 1024;

    QHash<QString, QString> passwords; // by id, serial or address
    std::optional<QString> defaultPassword;
    QString tokenFile;
    QByteArray token; // read from tokenFile
    QString tlsCertificate;
    QString tlsKey;

    // Reads and checks the file; false with `error` (which never holds a
    // secret).
    bool readFile(const QString &path, QString &error);
    // Reads the token file named by the file (or set by hand).
    bool readToken(QString &error);

    std::optional<QString> passwordFor(quint32 machineid, const QString &serial,
                                       const QHostAddress &address) const;
};
