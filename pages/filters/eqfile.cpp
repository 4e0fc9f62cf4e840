#include "pages/filters/eqfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>

#include <cmath>

namespace {

QString lineError(int line, const QString &text)
{
    return EqFile::tr("line %1: %2").arg(line).arg(text);
}

// A number as the files write it: digits with a dot or a comma for the
// decimals, at most 7 digits before and 9 after, and an optional unit stuck
// to it ("63Hz"). Checked whole before it is converted.
bool readNumber(const QString &token, double *value, QString *unit)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([+-]?(?:\\d{1,7}(?:[.,]\\d{0,9})?|[.,]\\d{1,9}))([A-Za-z]*)$"));
    const QRegularExpressionMatch m = pattern.match(token);
    if (!m.hasMatch())
        return false;
    QString digits = m.captured(1);
    digits.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    *value = QLocale::c().toDouble(digits, &ok);
    if (unit)
        *unit = m.captured(2).toLower();
    return ok && std::isfinite(*value);
}

struct TypeName
{
    const char *name;
    EqFilter::Type type;
};

const TypeName Types[] = {
    {"PK", EqFilter::Peaking},        {"PEQ", EqFilter::Peaking},      {"LS", EqFilter::LowShelf},
    {"LSC", EqFilter::LowShelf},      {"LSQ", EqFilter::LowShelf},     {"HS", EqFilter::HighShelf},
    {"HSC", EqFilter::HighShelf},     {"HSQ", EqFilter::HighShelf},    {"HP", EqFilter::HighPass},
    {"HPQ", EqFilter::HighPass},      {"LP", EqFilter::LowPass},       {"LPQ", EqFilter::LowPass},
    {"HP1", EqFilter::HighPassFirst}, {"LP1", EqFilter::LowPassFirst},
};

// The Q of a second-order section whose bandwidth is `octaves` (the analog
// relation the measurement programs use).
double qOfBandwidth(double octaves)
{
    const double p = std::pow(2.0, octaves);
    return std::sqrt(p) / (p - 1.0);
}

// The Q of a shelf of `gainDb` whose slope is `dbPerOctave`: the slope
// parameter S = slope / 12 of the cookbook shelves (S = 1 is the steepest
// shelf without overshoot, 12 dB/oct), 1/Q = sqrt((A + 1/A)(1/S - 1) + 2).
double qOfShelfSlope(double dbPerOctave, double gainDb)
{
    const double a = std::pow(10.0, gainDb / 40.0);
    const double s = dbPerOctave / 12.0;
    return 1.0 / std::sqrt((a + 1.0 / a) * (1.0 / s - 1.0) + 2.0);
}

// Reads the part of a filter line after "Filter N:".
bool parseFilter(const QString &body, int line, EqFilter *f, bool *skip, QString *error)
{
    const QStringList tokens =
        body.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    *skip = false;
    f->line = line;
    if (tokens.isEmpty() || (tokens[0].compare(QLatin1String("ON"), Qt::CaseInsensitive) != 0 &&
                             tokens[0].compare(QLatin1String("OFF"), Qt::CaseInsensitive) != 0)) {
        *error = lineError(line, EqFile::tr("ON or OFF expected"));
        return false;
    }
    f->on = tokens[0].compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0;
    if (tokens.size() < 2) {
        *error = lineError(line, EqFile::tr("no filter type"));
        return false;
    }
    f->typeText = tokens[1].toUpper();
    if (f->typeText == QLatin1String("NONE")) { // an unused slot of a measurement program
        *skip = true;
        return true;
    }
    f->type = EqFilter::Unknown;
    for (const TypeName &t : Types)
        if (f->typeText == QLatin1String(t.name))
            f->type = t.type;
    if (f->type == EqFilter::Unknown) {
        // Its values mean what its type says; it is reported, not read.
        f->hasValues = false;
        return true;
    }

    int i = 2;
    double value = 0;
    QString unit;
    // A shelf's slope follows its type: "LSC 12 dB", "LS 6dB".
    if (f->isBand() && f->type != EqFilter::Peaking && i < tokens.size() &&
        readNumber(tokens[i], &value, &unit)) {
        if (unit.isEmpty() && i + 1 < tokens.size() &&
            tokens[i + 1].compare(QLatin1String("dB"), Qt::CaseInsensitive) == 0) {
            unit = QStringLiteral("db");
            ++i;
        }
        if (unit != QLatin1String("db")) {
            *error = lineError(line, EqFile::tr("a shelf slope is written in dB"));
            return false;
        }
        if (value <= 0 || value > 12) {
            *error =
                lineError(line, EqFile::tr("a shelf slope must lie above 0 and at most 12 dB/oct"));
            return false;
        }
        f->slope = value;
        ++i;
    }
    bool hasFc = false, hasGain = false;
    double bandwidth = 0;
    while (i < tokens.size()) {
        const QString keyToken = tokens[i++];
        const QString key = keyToken.toLower();
        if (key == QLatin1String("bw") && i < tokens.size() &&
            tokens[i].compare(QLatin1String("oct"), Qt::CaseInsensitive) == 0)
            ++i;
        if (i >= tokens.size() || !readNumber(tokens[i], &value, &unit)) {
            *error = lineError(line, EqFile::tr("no number after \"%1\"").arg(keyToken));
            return false;
        }
        ++i;
        // A unit may also stand apart: "63.0 Hz", "-4.5 dB".
        if (unit.isEmpty() && i < tokens.size()) {
            const QString next = tokens[i].toLower();
            if (next == QLatin1String("hz") || next == QLatin1String("khz") ||
                next == QLatin1String("db")) {
                unit = next;
                ++i;
            }
        }
        const bool hz =
            unit.isEmpty() || unit == QLatin1String("hz") || unit == QLatin1String("khz");
        const bool db = unit.isEmpty() || unit == QLatin1String("db");
        bool repeated = false;
        if (key == QLatin1String("fc") && hz) {
            repeated = hasFc;
            hasFc = true;
            f->frequency = unit == QLatin1String("khz") ? value * 1000.0 : value;
        } else if (key == QLatin1String("gain") && db) {
            repeated = hasGain;
            hasGain = true;
            f->gain = value;
        } else if ((key == QLatin1String("q") || key == QLatin1String("bw")) && unit.isEmpty()) {
            repeated = f->qGiven;
            f->qGiven = true;
            if (key == QLatin1String("q"))
                f->q = value;
            else
                bandwidth = value;
        } else {
            *error = lineError(line, EqFile::tr("\"%1 %2\" is not a value of a %3 filter")
                                         .arg(keyToken, tokens[i - 1], f->typeText));
            return false;
        }
        if (repeated) {
            *error = lineError(line, EqFile::tr("\"%1\" is given twice").arg(keyToken));
            return false;
        }
    }

    const bool band = f->isBand();
    const bool first = f->type == EqFilter::HighPassFirst || f->type == EqFilter::LowPassFirst;
    if (!hasFc) {
        *error = lineError(line, EqFile::tr("no frequency (Fc)"));
        return false;
    }
    if (f->frequency <= 0) {
        *error = lineError(line, EqFile::tr("the frequency must be above 0 Hz"));
        return false;
    }
    if (band && !hasGain) {
        *error = lineError(line, EqFile::tr("no gain"));
        return false;
    }
    if (!band && hasGain) {
        *error = lineError(line, EqFile::tr("a %1 filter takes no gain").arg(f->typeText));
        return false;
    }
    if (first && f->qGiven) {
        *error = lineError(line, EqFile::tr("a first-order filter takes no Q"));
        return false;
    }
    if (f->type == EqFilter::Peaking && !f->qGiven) {
        *error = lineError(line, EqFile::tr("no Q"));
        return false;
    }
    if (f->qGiven && f->slope > 0) {
        *error = lineError(line, EqFile::tr("a shelf takes a slope or a Q, not both"));
        return false;
    }
    if (f->qGiven && (bandwidth > 0 ? bandwidth > 10 : f->q <= 0)) {
        *error = lineError(line, EqFile::tr("the Q must be above 0 and a bandwidth at most 10 "
                                            "octaves"));
        return false;
    }
    if (bandwidth > 0)
        f->q = qOfBandwidth(bandwidth);
    if (first)
        f->q = 0; // a first-order section has none
    else if (!f->qGiven)
        f->q = f->slope > 0 ? qOfShelfSlope(f->slope, f->gain) : EqFile::DefaultQ;
    return true;
}

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

QString EqFilter::text() const
{
    QString out = typeText;
    if (!hasValues)
        return out;
    if (slope > 0)
        out += QStringLiteral(" %1 dB").arg(slope);
    out += QStringLiteral(" %1 Hz").arg(frequency);
    if (isBand())
        out += QStringLiteral(" %1 dB").arg(gain);
    if (type != HighPassFirst && type != LowPassFirst && (qGiven || type == Peaking))
        out += QStringLiteral(" Q %1").arg(number(q, q < 10 ? 2 : 1));
    return out;
}

bool EqFile::parse(const QByteArray &bytes, EqFilterSet *set, QString *error)
{
    *set = EqFilterSet();
    if (bytes.size() > MaxBytes) {
        *error = EqFile::tr("the file is larger than 1 MiB");
        return false;
    }
    static const QRegularExpression filterLine(QStringLiteral("^Filter\\s*(\\d{1,6})?\\s*:(.*)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression preampLine(QStringLiteral("^Preamp\\s*:(.*)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression commandLine(QStringLiteral("^([A-Za-z]+)\\s*:"));
    // Commands of equaliser configurations that change what the filters do
    // or where they apply; the filter block follows none of them.
    static const QStringList commands{
        QStringLiteral("channel"), QStringLiteral("device"),
        QStringLiteral("include"), QStringLiteral("copy"),
        QStringLiteral("delay"),   QStringLiteral("graphiceq"),
        QStringLiteral("stage"),   QStringLiteral("convolution"),
        QStringLiteral("if"),      QStringLiteral("elseif"),
        QStringLiteral("else"),    QStringLiteral("endif"),
        QStringLiteral("eval"),    QStringLiteral("loudnesscorrection")};

    int line = 0;
    int start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        start = 3;
    while (start < bytes.size()) {
        ++line;
        int end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        if (end - start > MaxLineLength) {
            *error = lineError(line, EqFile::tr("longer than %1 characters").arg(MaxLineLength));
            return false;
        }
        QString text = QString::fromUtf8(bytes.constData() + start, end - start).trimmed();
        start = end + 1;
        if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
            continue;
        QRegularExpressionMatch m = filterLine.match(text);
        if (m.hasMatch()) {
            EqFilter f;
            bool skip = false;
            if (!parseFilter(m.captured(2), line, &f, &skip, error))
                return false;
            if (skip)
                continue;
            if (set->filters.size() >= MaxFilters) {
                *error = lineError(line, EqFile::tr("more than %1 filters").arg(MaxFilters));
                return false;
            }
            set->filters.append(f);
            continue;
        }
        m = preampLine.match(text);
        if (m.hasMatch()) {
            const QStringList tokens =
                m.captured(1).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            double gain = 0;
            QString unit;
            const bool ok =
                !tokens.isEmpty() && tokens.size() <= 2 && readNumber(tokens[0], &gain, &unit) &&
                (tokens.size() == 1
                     ? unit.isEmpty() || unit == QLatin1String("db")
                     : unit.isEmpty() &&
                           tokens[1].compare(QLatin1String("dB"), Qt::CaseInsensitive) == 0);
            if (!ok || std::fabs(gain) > 1000) {
                *error = lineError(line, EqFile::tr("a Preamp line needs a gain in dB"));
                return false;
            }
            set->preamp += gain;
            set->preampLines.append(line);
            continue;
        }
        m = commandLine.match(text);
        if (m.hasMatch() && commands.contains(m.captured(1).toLower())) {
            set->ignoredLines.append(line);
            set->ignoredCommands.append(m.captured(1));
        }
        // Anything else is header text ("Room EQ V5", "Dated: ...").
    }
    return true;
}

bool EqFile::read(const QString &fileName, EqFilterSet *set, QString *error)
{
    const QFileInfo info(fileName);
    if (!info.exists()) {
        *error = EqFile::tr("%1 does not exist").arg(fileName);
        return false;
    }
    if (!info.isFile()) {
        *error = EqFile::tr("%1 is not a regular file").arg(fileName);
        return false;
    }
    if (info.size() > MaxBytes) {
        *error = EqFile::tr("%1 is larger than 1 MiB").arg(fileName);
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = EqFile::tr("cannot read %1: %2").arg(fileName, file.errorString());
        return false;
    }
    // Read at most one byte past the bound: the file may have grown.
    const QByteArray bytes = file.read(MaxBytes + 1);
    return parse(bytes, set, error);
}

QByteArray EqFile::format(const QStringList &comments, const QVector<EqFilter> &filters)
{
    QByteArray out;
    for (const QString &c : comments)
        out += "# " + c.toUtf8() + '\n';
    int n = 0;
    for (const EqFilter &f : filters) {
        QString line =
            QStringLiteral("Filter %1: %2 %3").arg(++n).arg(f.on ? "ON" : "OFF", f.typeText);
        line += QStringLiteral(" Fc %1 Hz").arg(number(f.frequency, 0));
        if (f.isBand())
            line += QStringLiteral(" Gain %1 dB").arg(number(f.gain, 1));
        if (f.type != EqFilter::HighPassFirst && f.type != EqFilter::LowPassFirst)
            line += QStringLiteral(" Q %1").arg(number(f.q, 4));
        out += line.toUtf8() + '\n';
    }
    return out;
}

bool EqFile::save(const QString &fileName, const QByteArray &bytes, QString *error)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = EqFile::tr("cannot write %1: %2").arg(fileName, file.errorString());
    return false;
}
