#include "dapctl/backupfile.h"

#include "pages/devicestatus.h"
#include "pages/levels/gainrules.h"
#include "presets/presettransfer.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char FormatName[] = "dapctl-backup";

// The checksum covers the compact form of everything but itself; the keys of
// a JSON object are sorted, so the form does not depend on the file's layout.
QString checksumOf(QJsonObject object)
{
    object.remove(QStringLiteral("checksum"));
    const QByteArray compact = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return QStringLiteral("sha256:") +
           QString::fromLatin1(
               QCryptographicHash::hash(compact, QCryptographicHash::Sha256).toHex());
}

QJsonArray limitsArray(const std::array<std::array<int, 2>, BackupFile::Channels> &limits)
{
    QJsonArray a;
    for (const auto &l : limits)
        a.append(QJsonArray{l[0], l[1]});
    return a;
}

bool readLimits(const QJsonValue &value, std::array<std::array<int, 2>, BackupFile::Channels> &out)
{
    const QJsonArray a = value.toArray();
    if (a.size() != BackupFile::Channels)
        return false;
    for (int c = 0; c < BackupFile::Channels; ++c) {
        const QJsonArray pair = a[c].toArray();
        if (pair.size() != 2)
            return false;
        for (int i = 0; i < 2; ++i) {
            const QJsonValue v = pair[i];
            const double d = v.toDouble(1000);
            if (!v.isDouble() || d != int(d) || d < GainRules::LimitMin || d > GainRules::LimitMax)
                return false;
            out[size_t(c)][size_t(i)] = int(d);
        }
    }
    return true;
}

bool readLabels(const QJsonValue &value, QStringList &out)
{
    const QJsonArray a = value.toArray();
    if (a.size() != BackupFile::Channels)
        return false;
    out.clear();
    for (const QJsonValue &v : a) {
        if (!v.isString())
            return false;
        out.append(v.toString());
    }
    return true;
}

} // namespace

bool BackupFile::slotHoldsPreset(int slot) const
{
    const int size = int(presetImage.size()) / Slots;
    return slot >= 0 && slot < Slots && size > 0 && presetImage.at(slot * size) != 0;
}

int BackupFile::presetCount() const
{
    int n = 0;
    for (int s = 0; s < Slots; ++s)
        n += slotHoldsPreset(s) ? 1 : 0;
    return n;
}

QByteArray BackupFile::toJson() const
{
    QJsonObject o{
        {QStringLiteral("format"), QLatin1String(FormatName)},
        {QStringLiteral("version"), FormatVersion},
        {QStringLiteral("unit"),
         QJsonObject{{QStringLiteral("id"), qint64(unitId)},
                     {QStringLiteral("model"), model},
                     {QStringLiteral("serial"), serial},
                     {QStringLiteral("arm"), armVersion},
                     {QStringLiteral("dsp"), dspVersion},
                     {QStringLiteral("created"), created.toString(Qt::ISODate)}}},
        {QStringLiteral("presets"),
         QJsonObject{{QStringLiteral("current"), currentPreset + 1},
                     {QStringLiteral("image"), QString::fromLatin1(presetImage.toBase64())}}},
        {QStringLiteral("labels"),
         QJsonObject{{QStringLiteral("input"), QJsonArray::fromStringList(inputLabels)},
                     {QStringLiteral("output"), QJsonArray::fromStringList(outputLabels)},
                     {QStringLiteral("panel"), QJsonArray::fromStringList(panelLabels)}}},
        {QStringLiteral("settings"), QJsonObject{{QStringLiteral("location"), location},
                                                 {QStringLiteral("description"), description},
                                                 {QStringLiteral("rs232Baud"), qint64(rs232Baud)},
                                                 {QStringLiteral("gateReport"), gateReport}}},
        {QStringLiteral("gainLimits"),
         QJsonObject{{QStringLiteral("input"), limitsArray(inputLimits)},
                     {QStringLiteral("output"), limitsArray(outputLimits)}}},
    };
    o.insert(QStringLiteral("checksum"), checksumOf(o));
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

std::optional<BackupFile> BackupFile::fromJson(const QByteArray &bytes, QString &error)
{
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (doc.isNull() || !doc.isObject()) {
        error = QStringLiteral("not a backup file (%1)").arg(parse.errorString());
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    if (o.value(QStringLiteral("format")).toString() != QLatin1String(FormatName)) {
        error = QStringLiteral("not a dapctl backup file");
        return std::nullopt;
    }
    const QJsonValue version = o.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toInt() < 1) {
        error = QStringLiteral("the backup file has no valid format version");
        return std::nullopt;
    }
    if (version.toInt() > FormatVersion) {
        error = QStringLiteral("the backup file has format version %1; this dapctl reads "
                               "version %2")
                    .arg(version.toInt())
                    .arg(FormatVersion);
        return std::nullopt;
    }
    if (o.value(QStringLiteral("checksum")).toString() != checksumOf(o)) {
        error = QStringLiteral("the backup file is damaged: its checksum does not match");
        return std::nullopt;
    }

    // A file with a good checksum was written by dapctl; still, every value
    // is checked before anything reaches a unit.
    BackupFile b;
    const auto invalid = [&error](const char *what) {
        error = QStringLiteral("the backup file holds no valid %1").arg(QLatin1String(what));
        return std::nullopt;
    };
    const QJsonObject unit = o.value(QStringLiteral("unit")).toObject();
    b.unitId = quint32(unit.value(QStringLiteral("id")).toDouble());
    b.model = unit.value(QStringLiteral("model")).toString();
    b.serial = unit.value(QStringLiteral("serial")).toString();
    b.armVersion = unit.value(QStringLiteral("arm")).toString();
    b.dspVersion = unit.value(QStringLiteral("dsp")).toString();
    b.created =
        QDateTime::fromString(unit.value(QStringLiteral("created")).toString(), Qt::ISODate);

    const QJsonObject presets = o.value(QStringLiteral("presets")).toObject();
    const QJsonValue image = presets.value(QStringLiteral("image"));
    const auto decoded = QByteArray::fromBase64Encoding(image.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    b.presetImage = decoded.decoded;
    if (!image.isString() || !decoded || b.presetImage.isEmpty() ||
        b.presetImage.size() % Slots != 0 ||
        b.presetImage.size() / Slots < PresetTransfer::HeaderSize)
        return invalid("preset image");
    const int current = presets.value(QStringLiteral("current")).toInt(0);
    if (current < 1 || current > Slots)
        return invalid("active preset");
    b.currentPreset = current - 1;

    const QJsonObject labels = o.value(QStringLiteral("labels")).toObject();
    if (!readLabels(labels.value(QStringLiteral("input")), b.inputLabels) ||
        !readLabels(labels.value(QStringLiteral("output")), b.outputLabels) ||
        !readLabels(labels.value(QStringLiteral("panel")), b.panelLabels))
        return invalid("channel labels");

    const QJsonObject settings = o.value(QStringLiteral("settings")).toObject();
    const QJsonValue location = settings.value(QStringLiteral("location"));
    const QJsonValue description = settings.value(QStringLiteral("description"));
    if (!location.isString() || !description.isString())
        return invalid("location or description");
    b.location = location.toString();
    b.description = description.toString();
    b.rs232Baud = quint32(settings.value(QStringLiteral("rs232Baud")).toDouble());
    if (DeviceStatus::baudIndex(b.rs232Baud) < 0)
        return invalid("RS232 speed");
    const QJsonValue gate = settings.value(QStringLiteral("gateReport"));
    b.gateReport = gate.toInt(-1);
    if (b.gateReport < 0 || b.gateReport >= DeviceStatus::GateReportModes)
        return invalid("gate report");

    const QJsonObject limits = o.value(QStringLiteral("gainLimits")).toObject();
    if (!readLimits(limits.value(QStringLiteral("input")), b.inputLimits) ||
        !readLimits(limits.value(QStringLiteral("output")), b.outputLimits))
        return invalid("gain limits");
    return b;
}
