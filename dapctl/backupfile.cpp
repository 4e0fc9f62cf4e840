#include "dapctl/backupfile.h"

#include "model/unitstate.h"
#include "pages/devicestatus.h"
#include "model/gainrules.h"
#include "presets/presettransfer.h"
#include "protocol/localtext.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <cmath>
#include <limits>
#include <utility>

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

// A JSON number as a whole number within [min, max], or nothing. It is
// checked before any conversion: casting a double outside the target's range
// is undefined, and 2^32 + 9600 must not become 9600.
std::optional<qint64> wholeNumber(const QJsonValue &value, qint64 min, qint64 max)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::trunc(d) || d < double(min) || d > double(max))
        return std::nullopt;
    return qint64(d);
}

// A text of at most `maxLength` characters that is valid Unicode, or nothing.
std::optional<QString> boundedText(const QJsonValue &value, int maxLength)
{
    if (!value.isString())
        return std::nullopt;
    QString text = value.toString();
    if (text.size() > maxLength || !text.isValidUtf16())
        return std::nullopt;
    return text;
}

// Why a text was refused, for the message.
QString textProblem(const QJsonValue &value, int maxLength)
{
    if (!value.isString())
        return QStringLiteral("not a text");
    const int length = value.toString().size();
    return length > maxLength
               ? QStringLiteral("%1 characters, at most %2").arg(length).arg(maxLength)
               : QStringLiteral("not valid Unicode");
}

QString numberText(const QJsonValue &value)
{
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return value.isUndefined() ? QStringLiteral("missing") : QStringLiteral("not a number");
}

QJsonArray limitsArray(const std::array<std::array<int, 2>, BackupFile::Channels> &limits)
{
    QJsonArray a;
    for (const auto &l : limits)
        a.append(QJsonArray{l[0], l[1]});
    return a;
}

// The limits of every channel: whole dB on the scale, and the highest not
// below the lowest (such a pair mutes the channel). `why` names the first
// value that is not.
bool readLimits(const QJsonValue &value, const QString &field,
                std::array<std::array<int, 2>, BackupFile::Channels> &out, QString &why)
{
    const QJsonArray a = value.toArray();
    if (a.size() != BackupFile::Channels) {
        why = QStringLiteral("%1: not %2 channels").arg(field).arg(BackupFile::Channels);
        return false;
    }
    for (int c = 0; c < BackupFile::Channels; ++c) {
        const QJsonArray pair = a[c].toArray();
        const QString where = QStringLiteral("%1[%2]").arg(field).arg(c);
        if (pair.size() != 2) {
            why = QStringLiteral("%1: not a pair of maximum and minimum").arg(where);
            return false;
        }
        for (int i = 0; i < 2; ++i) {
            const auto db = wholeNumber(pair[i], GainRules::LimitMin, GainRules::LimitMax);
            if (!db) {
                why = QStringLiteral("%1: %2 is not a whole dB from %3 to %4")
                          .arg(where, numberText(pair[i]))
                          .arg(GainRules::LimitMin)
                          .arg(GainRules::LimitMax);
                return false;
            }
            out[size_t(c)][size_t(i)] = int(*db);
        }
        if (out[size_t(c)][0] < out[size_t(c)][1]) {
            why = QStringLiteral("%1: maximum %2 dB is below minimum %3 dB")
                      .arg(where)
                      .arg(out[size_t(c)][0])
                      .arg(out[size_t(c)][1]);
            return false;
        }
    }
    return true;
}

bool readLabels(const QJsonValue &value, const QString &field, int fieldBytes, QStringList &out,
                QString &why)
{
    const QJsonArray a = value.toArray();
    if (a.size() != BackupFile::Channels) {
        why = QStringLiteral("%1: not %2 channels").arg(field).arg(BackupFile::Channels);
        return false;
    }
    out.clear();
    const int most = LocalText::maxInputLength(fieldBytes);
    for (int c = 0; c < a.size(); ++c) {
        const auto text = boundedText(a[c], most);
        if (!text) {
            why = QStringLiteral("%1[%2]: %3").arg(field).arg(c).arg(textProblem(a[c], most));
            return false;
        }
        out.append(*text);
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
        {QStringLiteral("version"), version},
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
    if (version >= 2)
        o.insert(QStringLiteral("live"), live);
    return sealed(o);
}

QByteArray BackupFile::sealed(QJsonObject object)
{
    object.insert(QStringLiteral("checksum"), checksumOf(object));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<BackupFile> BackupFile::fromJson(const QByteArray &bytes, QString &error)
{
    if (bytes.size() > MaxFileSize) {
        error = QStringLiteral("not a backup file (larger than %1 bytes)").arg(MaxFileSize);
        return std::nullopt;
    }
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
    const auto version =
        wholeNumber(o.value(QStringLiteral("version")), 1, std::numeric_limits<int>::max());
    if (!version) {
        error = QStringLiteral("the backup file has no valid format version");
        return std::nullopt;
    }
    if (*version > FormatVersion) {
        error = QStringLiteral("the backup file has format version %1; this dapctl reads "
                               "version %2")
                    .arg(*version)
                    .arg(FormatVersion);
        return std::nullopt;
    }
    if (o.value(QStringLiteral("checksum")).toString() != checksumOf(o)) {
        error = QStringLiteral("the backup file is damaged: its checksum does not match");
        return std::nullopt;
    }

    // A file with a good checksum was written by dapctl, or by someone who
    // computed it: every value is checked before anything reaches a unit,
    // and the message names the field.
    BackupFile b;
    const auto invalid = [&error](const char *what, const QString &field) {
        error = QStringLiteral("the backup file holds no valid %1 (%2)")
                    .arg(QLatin1String(what), field);
        return std::nullopt;
    };
    const int textMax = LocalText::maxInputLength(DeviceStatus::TextWidth);
    const QJsonObject unit = o.value(QStringLiteral("unit")).toObject();
    // A unit reached by its address has no device id (0).
    const QJsonValue id = unit.value(QStringLiteral("id"));
    const auto unitId = id.isUndefined() ? std::optional<qint64>(0)
                                         : wholeNumber(id, 0, std::numeric_limits<quint32>::max());
    if (!unitId)
        return invalid("unit id", QStringLiteral("unit.id: %1").arg(numberText(id)));
    b.unitId = quint32(*unitId);
    for (const auto &[key, text] : {std::pair<const char *, QString *>{"model", &b.model},
                                    {"serial", &b.serial},
                                    {"arm", &b.armVersion},
                                    {"dsp", &b.dspVersion}}) {
        const QJsonValue v = unit.value(QLatin1String(key));
        const auto t =
            v.isUndefined() ? std::optional<QString>(QString()) : boundedText(v, textMax);
        if (!t)
            return invalid("unit identity", QStringLiteral("unit.%1").arg(QLatin1String(key)));
        *text = *t;
    }
    const auto created = boundedText(unit.value(QStringLiteral("created")), textMax);
    b.created = QDateTime::fromString(created.value_or(QString()), Qt::ISODate);

    const QJsonObject presets = o.value(QStringLiteral("presets")).toObject();
    const QJsonValue image = presets.value(QStringLiteral("image"));
    const auto decoded = QByteArray::fromBase64Encoding(image.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    b.presetImage = decoded.decoded;
    if (!image.isString() || !decoded || b.presetImage.isEmpty() ||
        b.presetImage.size() % Slots != 0 ||
        b.presetImage.size() / Slots < PresetTransfer::HeaderSize)
        return invalid("preset image", QStringLiteral("presets.image"));
    const QJsonValue currentValue = presets.value(QStringLiteral("current"));
    const auto current = wholeNumber(currentValue, 1, Slots);
    if (!current)
        return invalid("active preset",
                       QStringLiteral("presets.current: %1").arg(numberText(currentValue)));
    b.currentPreset = int(*current) - 1;

    const QJsonObject labels = o.value(QStringLiteral("labels")).toObject();
    QString why;
    if (!readLabels(labels.value(QStringLiteral("input")), QStringLiteral("labels.input"), 16,
                    b.inputLabels, why) ||
        !readLabels(labels.value(QStringLiteral("output")), QStringLiteral("labels.output"), 16,
                    b.outputLabels, why) ||
        !readLabels(labels.value(QStringLiteral("panel")), QStringLiteral("labels.panel"), 10,
                    b.panelLabels, why))
        return invalid("channel labels", why);

    const QJsonObject settings = o.value(QStringLiteral("settings")).toObject();
    for (const auto &[key, text] : {std::pair<const char *, QString *>{"location", &b.location},
                                    {"description", &b.description}}) {
        const QJsonValue v = settings.value(QLatin1String(key));
        const auto t = boundedText(v, textMax);
        if (!t)
            return invalid(
                "location or description",
                QStringLiteral("settings.%1: %2").arg(QLatin1String(key), textProblem(v, textMax)));
        *text = *t;
    }
    const QJsonValue baudValue = settings.value(QStringLiteral("rs232Baud"));
    const auto baud = wholeNumber(baudValue, 0, std::numeric_limits<quint32>::max());
    if (!baud || DeviceStatus::baudIndex(quint32(*baud)) < 0)
        return invalid("RS232 speed",
                       QStringLiteral("settings.rs232Baud: %1").arg(numberText(baudValue)));
    b.rs232Baud = quint32(*baud);
    const QJsonValue gateValue = settings.value(QStringLiteral("gateReport"));
    const auto gate = wholeNumber(gateValue, 0, DeviceStatus::GateReportModes - 1);
    if (!gate)
        return invalid("gate report",
                       QStringLiteral("settings.gateReport: %1").arg(numberText(gateValue)));
    b.gateReport = int(*gate);

    const QJsonObject limits = o.value(QStringLiteral("gainLimits")).toObject();
    if (!readLimits(limits.value(QStringLiteral("input")), QStringLiteral("gainLimits.input"),
                    b.inputLimits, why) ||
        !readLimits(limits.value(QStringLiteral("output")), QStringLiteral("gainLimits.output"),
                    b.outputLimits, why))
        return invalid("gain limits", why);

    b.version = int(*version);
    if (b.version >= 2) {
        const QJsonValue live = o.value(QStringLiteral("live"));
        if (!live.isObject())
            return invalid("live values", QStringLiteral("live: not an object"));
        b.live = live.toObject();
        // Each value on its own, then together (gain limits in order).
        Model::UnitState scratch;
        if (!b.liveValues.read(b.live, why, QStringLiteral("live.")) ||
            !b.liveValues.store(scratch, false, why))
            return invalid("live values", why);
    }
    return b;
}
