#include "model/catalogue.h"

namespace Model {

namespace {

constexpr int IndexLimit = 16; // channels, bands, inputs and outputs alike

quint32 answerKey(quint8 op, quint8 module, quint8 cmd)
{
    return quint32(op) << 16 | quint32(module) << 8 | cmd;
}

// Short forms a path may also be written in.
struct Alias
{
    const char *alias;
    const char *pattern;
};
const Alias Aliases[] = {
    {"matrix.#.#", "matrix.#.#.on"},
};

// A 1-based index as written, 0-based; -1 when it is no index.
int indexOf(const QString &segment)
{
    bool ok = false;
    const int n = segment.toInt(&ok);
    return ok && n >= 1 && n <= IndexLimit && segment == QString::number(n) ? n - 1 : -1;
}

} // namespace

int wireSize(Wire wire, int width)
{
    switch (wire) {
    case Wire::U8:
    case Wire::I8:
        return 1;
    case Wire::U16:
        return 2;
    case Wire::U32:
    case Wire::F32:
        return 4;
    case Wire::Text:
        return width;
    case Wire::Version:
        return 3;
    case Wire::Ipv4:
        return 4;
    }
    return 0;
}

int indexCount(Dims dims)
{
    switch (dims) {
    case Dims::None:
        return 0;
    case Dims::Channel:
        return 1;
    case Dims::ChannelBand:
    case Dims::InputOutput:
        return 2;
    }
    return 0;
}

int instanceCount(Dims dims)
{
    switch (dims) {
    case Dims::None:
        return 1;
    case Dims::Channel:
        return IndexLimit;
    case Dims::ChannelBand:
    case Dims::InputOutput:
        return IndexLimit * IndexLimit;
    }
    return 1;
}

const Catalogue &Catalogue::instance()
{
    static const Catalogue catalogue;
    return catalogue;
}

Catalogue::Catalogue()
{
    addLevelBlocks(*this);
    addFilterBlocks(*this);
    addDynamicsBlocks(*this);
    addSystemBlocks(*this);
}

int Catalogue::addRecord(const RecordDesc &record)
{
    m_records.append(record);
    const int index = m_records.size() - 1;
    m_answers.insert(answerKey(record.op, record.module, record.readCmd), index);
    return index;
}

int Catalogue::addParam(int record, const FieldDesc &field, ParamDesc param)
{
    RecordDesc &r = m_records[record];
    param.record = record;
    param.field = r.fields.size();
    param.dims = r.dims;
    r.fields.append(field);
    const int index = m_params.size();
    r.params.append(index);
    m_params.append(param);
    m_segments.append(QString::fromLatin1(param.path).split(QLatin1Char('.')));
    m_sources.append(QVector<int>());
    m_byPattern.insert(QString::fromLatin1(param.path), index);
    return index;
}

int Catalogue::addDerived(ParamDesc param, QVector<const char *> sources)
{
    param.record = -1;
    param.flags |= Derived;
    QVector<int> from;
    for (const char *s : sources)
        from.append(paramIndex(s));
    param.dims = from.isEmpty() ? Dims::None : m_params[from.first()].dims;
    const int index = m_params.size();
    m_params.append(param);
    m_segments.append(QString::fromLatin1(param.path).split(QLatin1Char('.')));
    m_sources.append(from);
    m_byPattern.insert(QString::fromLatin1(param.path), index);
    return index;
}

int Catalogue::recordOfAnswer(quint8 op, quint8 module, quint8 cmd) const
{
    return m_answers.value(answerKey(op, module, cmd), -1);
}

int Catalogue::paramIndex(const char *pattern) const
{
    return m_byPattern.value(QString::fromLatin1(pattern), -1);
}

ParamId Catalogue::id(const char *pattern, int a, int b) const
{
    return ParamId{paramIndex(pattern), a, b};
}

QString Catalogue::path(const ParamId &id) const
{
    if (id.param < 0 || id.param >= m_params.size())
        return QString();
    QStringList out = m_segments[id.param];
    int which = 0;
    for (QString &s : out)
        if (s == QLatin1String("#"))
            s = QString::number((which++ == 0 ? id.a : id.b) + 1);
    return out.join(QLatin1Char('.'));
}

std::optional<ParamId> Catalogue::parse(const QString &text, QString *error) const
{
    QStringList given = text.trimmed().toLower().split(QLatin1Char('.'));
    for (const Alias &alias : Aliases) {
        const QStringList from = QString::fromLatin1(alias.alias).split(QLatin1Char('.'));
        if (given.size() != from.size())
            continue;
        QStringList indices;
        bool match = true;
        for (int i = 0; i < given.size() && match; ++i) {
            if (from[i] == QLatin1String("#"))
                indices.append(given[i]);
            else
                match = from[i] == given[i];
        }
        if (!match)
            continue;
        given = QString::fromLatin1(alias.pattern).split(QLatin1Char('.'));
        for (QString &s : given)
            if (s == QLatin1String("#") && !indices.isEmpty())
                s = indices.takeFirst();
        break;
    }
    bool badIndex = false;
    for (int p = 0; p < m_params.size(); ++p) {
        const QStringList &pattern = m_segments[p];
        if (pattern.size() != given.size())
            continue;
        ParamId id{p, 0, 0};
        int which = 0;
        bool match = true;
        bool indexFailed = false;
        for (int i = 0; i < pattern.size() && match; ++i) {
            if (pattern[i] == QLatin1String("#")) {
                const int n = indexOf(given[i]);
                if (n < 0) {
                    bool isNumber = false;
                    given[i].toInt(&isNumber);
                    indexFailed = isNumber;
                    match = false;
                } else {
                    (which++ == 0 ? id.a : id.b) = n;
                }
            } else {
                match = pattern[i] == given[i];
            }
        }
        if (match)
            return id;
        badIndex = badIndex || indexFailed;
    }
    if (error)
        *error = badIndex
                     ? QStringLiteral("%1: no such channel, band, input or output; they are "
                                      "numbered 1..16")
                           .arg(text)
                     : QStringLiteral("unknown path \"%1\" (dapctl paths lists them)").arg(text);
    return std::nullopt;
}

QVector<ParamId> Catalogue::all() const
{
    QVector<ParamId> out;
    for (int p = 0; p < m_params.size(); ++p) {
        const Dims dims = m_params[p].dims;
        const int n = instanceCount(dims);
        for (int i = 0; i < n; ++i)
            out.append(dims == Dims::None      ? ParamId{p, 0, 0}
                       : dims == Dims::Channel ? ParamId{p, i, 0}
                                               : ParamId{p, i / IndexLimit, i % IndexLimit});
    }
    return out;
}

QVector<ParamId> Catalogue::expand(const QString &text, QString *error) const
{
    if (!text.contains(QLatin1Char('*'))) {
        if (const std::optional<ParamId> id = parse(text, error))
            return {*id};
        return {};
    }
    const QStringList want = text.trimmed().toLower().split(QLatin1Char('.'));
    const bool openEnd = want.last() == QLatin1String("*");
    QVector<ParamId> out;
    for (const ParamId &id : all()) {
        const QStringList have = path(id).split(QLatin1Char('.'));
        if (openEnd ? have.size() < want.size() : have.size() != want.size())
            continue;
        bool match = true;
        for (int i = 0; i < want.size() && match; ++i)
            match = want[i] == QLatin1String("*") || want[i] == have[i];
        if (match)
            out.append(id);
    }
    if (out.isEmpty() && error)
        *error = QStringLiteral("no path matches \"%1\" (dapctl paths lists them)").arg(text);
    return out;
}

RecordId Catalogue::recordOf(const ParamId &id) const
{
    const ParamDesc &p = m_params[id.param];
    if (p.record < 0)
        return RecordId{};
    switch (m_records[p.record].dims) {
    case Dims::None:
        return RecordId{p.record, 0, 0};
    case Dims::Channel:
        return RecordId{p.record, id.a, 0};
    case Dims::ChannelBand:
        return RecordId{p.record, id.a, id.b};
    case Dims::InputOutput:
        // A matrix row is one output; it carries every input.
        return RecordId{p.record, 0, id.b};
    }
    return RecordId{};
}

QVector<ParamId> Catalogue::paramsOf(const RecordId &rec) const
{
    QVector<ParamId> out;
    const RecordDesc &r = m_records[rec.record];
    for (int p : r.params) {
        if (r.dims == Dims::InputOutput) {
            for (int in = 0; in < IndexLimit; ++in)
                out.append(ParamId{p, in, rec.b});
        } else {
            out.append(ParamId{p, rec.a, rec.b});
        }
    }
    return out;
}

QVector<ParamId> Catalogue::sourcesOf(const ParamId &id) const
{
    QVector<ParamId> out;
    for (int s : m_sources[id.param])
        out.append(ParamId{s, id.a, id.b});
    return out;
}

} // namespace Model
