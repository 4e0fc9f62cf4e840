#include "model/unitstate.h"

#include "model/valuetext.h"
#include "protocol/answerreader.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"
#include "protocol/transport.h"

#include <cmath>

namespace Model {

namespace {

constexpr int Channels = 16;

Proto::Frame frame(const RecordDesc &r, quint8 cmd, quint8 flag, const QByteArray &payload)
{
    Proto::Frame f;
    f.op = r.op;
    f.module = r.module;
    f.cmd = cmd;
    f.flag = flag;
    f.payload = payload;
    f.length = quint16(payload.size());
    return f;
}

int selectorSize(const RecordDesc &r)
{
    switch (r.shape) {
    case Shape::Table:
    case Shape::Single:
        return 0;
    case Shape::Keyed:
        return r.dims == Dims::ChannelBand ? 2 : 1;
    case Shape::Row:
        return 1;
    }
    return 0;
}

// A raw field of an answer, or nothing where it cannot be read (outside the
// answer, a float that is no number).
std::optional<double> readRaw(const AnswerReader &a, int at, Wire wire)
{
    if (at + wireSize(wire, 0) > a.size())
        return std::nullopt;
    switch (wire) {
    case Wire::U8:
        return a.u8(at);
    case Wire::I8:
        return a.i8(at);
    case Wire::U16:
        return a.u16(at);
    case Wire::U32:
        return a.u32(at);
    case Wire::F32: {
        const float f = a.f32(at);
        if (!std::isfinite(f))
            return std::nullopt;
        return double(f);
    }
    case Wire::Text:
    case Wire::Version:
    case Wire::Ipv4:
        break;
    }
    return std::nullopt;
}

// A field read as text: the unit's codec, a version, an address.
std::optional<QString> readText(const AnswerReader &a, int at, const FieldDesc &field)
{
    switch (field.answerWire) {
    case Wire::Text:
        return a.text(at, qMin(field.width, a.size() - at));
    case Wire::Version:
        if (at + 3 > a.size())
            return std::nullopt;
        return QStringLiteral("%1.%2.%3").arg(a.u8(at)).arg(a.u8(at + 1)).arg(a.u8(at + 2));
    case Wire::Ipv4: {
        if (at + 4 > a.size())
            return std::nullopt;
        const quint32 v = a.u32(at);
        return QStringLiteral("%1.%2.%3.%4")
            .arg(v >> 24)
            .arg((v >> 16) & 0xFF)
            .arg((v >> 8) & 0xFF)
            .arg(v & 0xFF);
    }
    default:
        return std::nullopt;
    }
}

bool isTextWire(Wire wire)
{
    return wire == Wire::Text || wire == Wire::Version || wire == Wire::Ipv4;
}

void writeRaw(QByteArray &out, int at, Wire wire, double value)
{
    char *p = out.data() + at;
    switch (wire) {
    case Wire::U8:
        Le::put<quint8>(p, quint8(Proto::clampToInt(value, 0, 255, 0)));
        break;
    case Wire::I8:
        Le::put<qint8>(p, qint8(Proto::clampToInt(value, -128, 127, 0)));
        break;
    case Wire::U16:
        Le::put<quint16>(p, quint16(Proto::clampToInt(value, 0, 65535, 0)));
        break;
    case Wire::U32:
        Le::put<quint32>(p, quint32(qBound(0.0, std::isfinite(value) ? value : 0.0, 4294967295.0)));
        break;
    case Wire::F32:
        Le::put<float>(p, float(value));
        break;
    case Wire::Text:
    case Wire::Version:
    case Wire::Ipv4:
        break;
    }
}

int nearestEntry(const ParamDesc &p, double value)
{
    int best = 0;
    for (int i = 1; i < p.names.size(); ++i)
        if (std::fabs(p.names[i].value - value) < std::fabs(p.names[best].value - value))
            best = i;
    return best;
}

} // namespace

UnitState::UnitState(QObject *parent) : QObject(parent), m_generation(socketGeneration())
{
    const Catalogue &c = catalogue();
    m_numbers.resize(c.params().size());
    m_texts.resize(c.params().size());
    for (int p = 0; p < c.params().size(); ++p) {
        const ParamDesc &d = c.param(p);
        const int n = instanceCount(d.dims);
        QVector<double> values(n, d.initial);
        for (int i = 0; i < n; ++i) {
            const int last = d.dims == Dims::ChannelBand ? i % Channels : i;
            if (last < d.initials.size())
                values[i] = d.initials[last];
        }
        m_numbers[p] = values;
        if (d.kind == Kind::Text)
            m_texts[p] = QVector<QString>(n, d.initialText);
    }
    m_known.resize(c.records().size());
    for (int r = 0; r < c.records().size(); ++r)
        m_known[r] = QBitArray(instances(r).size(), true); // the defaults are the unit's
}

int UnitState::slot(const ParamId &id) const
{
    switch (catalogue().param(id).dims) {
    case Dims::None:
        return 0;
    case Dims::Channel:
        return qBound(0, id.a, Channels - 1);
    case Dims::ChannelBand:
    case Dims::InputOutput:
        return qBound(0, id.a, Channels - 1) * Channels + qBound(0, id.b, Channels - 1);
    }
    return 0;
}

double UnitState::number(const ParamId &id) const
{
    const ParamDesc &d = catalogue().param(id);
    if (d.rules.compute)
        return d.rules.compute(*this, id);
    return m_numbers[id.param][slot(id)];
}

QString UnitState::text(const ParamId &id) const
{
    const QVector<QString> &t = m_texts[id.param];
    return t.isEmpty() ? QString() : t[slot(id)];
}

QVariant UnitState::value(const ParamId &id) const
{
    if (catalogue().param(id).kind == Kind::Text)
        return text(id);
    return number(id);
}

QString UnitState::valueText(const ParamId &id) const
{
    const ParamDesc &d = catalogue().param(id);
    return d.kind == Kind::Text ? text(id) : ValueText::format(d, number(id));
}

int UnitState::tableIndex(const ParamId &id) const
{
    const ParamDesc &d = catalogue().param(id);
    return d.hasTable() ? nearestEntry(d, number(id)) : -1;
}

void UnitState::range(const ParamId &id, double *minimum, double *maximum) const
{
    const ParamDesc &d = catalogue().param(id);
    *minimum = d.minimum;
    *maximum = d.maximum;
    if (d.rules.range)
        d.rules.range(*this, id, minimum, maximum);
}

double UnitState::clampEdit(const ParamId &id, double value) const
{
    const ParamDesc &d = catalogue().param(id);
    double lo = 0, hi = 0;
    range(id, &lo, &hi);
    switch (d.kind) {
    case Kind::Switch:
        return qBound(lo, value != 0 ? 1.0 : 0.0, hi);
    case Kind::Choice:
        for (const NamedValue &n : d.names)
            if (n.value == value)
                return value;
        return number(id);
    case Kind::Number:
        break;
    case Kind::Text:
        return 0;
    }
    value = qBound(lo, value, hi);
    if (d.hasTable())
        return d.names[nearestEntry(d, value)].value;
    if (d.decimals == 0 && d.is(Whole))
        return std::trunc(value);
    if (!d.is(KeepsFraction)) {
        const double scale = std::pow(10.0, d.decimals);
        value = qBound(lo, std::round(value * scale) / scale, hi);
    }
    return value;
}

// Records what the edit stores and reports it when the outermost edit ends.
struct UnitState::EditScope
{
    EditScope(UnitState &s, const ParamId &id) : state(s)
    {
        if (state.m_editDepth++ == 0)
            state.m_edited = id;
    }
    ~EditScope()
    {
        if (--state.m_editDepth == 0 && !state.m_journal.isEmpty()) {
            QVector<Change> changes;
            changes.swap(state.m_journal);
            emit state.edited(state.m_edited, changes);
        }
    }
    UnitState &state;
};

double UnitState::setNumber(const ParamId &id, double value)
{
    const ParamDesc &d = catalogue().param(id);
    if (!std::isfinite(value) || d.kind == Kind::Text || d.is(ReadOnly))
        return number(id);
    const EditScope scope(*this, id);
    const double kept = clampEdit(id, value);
    if (d.rules.assign)
        d.rules.assign(*this, id, kept);
    else
        store(id, kept);
    if (d.rules.afterEdit)
        d.rules.afterEdit(*this, id);
    return number(id);
}

QString UnitState::setText(const ParamId &id, const QString &text)
{
    const ParamDesc &d = catalogue().param(id);
    if (d.kind != Kind::Text || d.is(ReadOnly))
        return this->text(id);
    const EditScope scope(*this, id);
    QString kept;
    LocalText::encodeFitting(text, d.width, &kept);
    storeText(id, kept);
    return kept;
}

bool UnitState::checkValueText(const ParamId &id, const QString &value, QString *error) const
{
    double number = 0;
    QString text;
    return ValueText::parse(catalogue().param(id), value, &number, &text, error);
}

bool UnitState::setValueText(const ParamId &id, const QString &value, QString *error, QString *note)
{
    const ParamDesc &d = catalogue().param(id);
    double number = 0;
    QString text;
    if (!ValueText::parse(d, value, &number, &text, error))
        return false;
    if (d.kind == Kind::Text) {
        const QString kept = setText(id, text);
        if (note && kept != text)
            *note =
                QStringLiteral("cut to \"%1\" (the unit keeps %2 bytes)").arg(kept).arg(d.width);
        return true;
    }
    const double kept = setNumber(id, number);
    if (note && kept != number && d.kind == Kind::Number)
        *note = QStringLiteral("%1 taken as %2").arg(value.trimmed(), valueText(id));
    return true;
}

void UnitState::store(const ParamId &id, double value)
{
    double &v = m_numbers[id.param][slot(id)];
    if (v == value)
        return;
    if (m_editDepth > 0)
        m_journal.append(Change{id, v, value});
    v = value;
    emit changed(id);
    // What is derived from it changes with it.
    const Catalogue &c = catalogue();
    for (int p = 0; p < c.params().size(); ++p)
        if (c.param(p).rules.compute)
            for (const ParamId &source : c.sourcesOf(ParamId{p, id.a, id.b}))
                if (source.param == id.param) {
                    emit changed(ParamId{p, id.a, id.b});
                    break;
                }
}

void UnitState::storeText(const ParamId &id, const QString &text)
{
    QVector<QString> &t = m_texts[id.param];
    if (t.isEmpty() || t[slot(id)] == text)
        return;
    if (m_editDepth > 0)
        m_journal.append(Change{id, t[slot(id)], text});
    t[slot(id)] = text;
    emit changed(id);
}

// ---- known records ----------------------------------------------------------

QVector<RecordId> UnitState::instances(int record) const
{
    const RecordDesc &r = catalogue().record(record);
    QVector<RecordId> out;
    switch (r.shape) {
    case Shape::Table:
    case Shape::Single:
        out.append(RecordId{record, 0, 0});
        break;
    case Shape::Keyed:
        if (r.dims == Dims::ChannelBand) {
            for (int c = 0; c < Channels; ++c)
                for (int b = 0; b < Channels; ++b)
                    out.append(RecordId{record, c, b});
        } else {
            for (int c = 0; c < Channels; ++c)
                out.append(RecordId{record, c, 0});
        }
        break;
    case Shape::Row:
        for (int o = 0; o < Channels; ++o)
            out.append(RecordId{record, 0, o});
        break;
    }
    return out;
}

int UnitState::knownSlot(const RecordId &rec) const
{
    const RecordDesc &r = catalogue().record(rec.record);
    switch (r.shape) {
    case Shape::Table:
    case Shape::Single:
        return 0;
    case Shape::Keyed:
        return r.dims == Dims::ChannelBand ? rec.a * Channels + rec.b : rec.a;
    case Shape::Row:
        return rec.b;
    }
    return 0;
}

// What was learnt from one unit says nothing about the next.
void UnitState::followSocket() const
{
    const quint32 now = socketGeneration();
    if (now == m_generation)
        return;
    m_generation = now;
    for (QBitArray &bits : m_known)
        bits.fill(false);
}

bool UnitState::isKnown(const RecordId &rec) const
{
    followSocket();
    if (rec.record < 0)
        return false;
    const QBitArray &bits = m_known[rec.record];
    const int i = knownSlot(rec);
    return i >= 0 && i < bits.size() && bits.testBit(i);
}

void UnitState::markKnown(const RecordId &rec)
{
    followSocket();
    QBitArray &bits = m_known[rec.record];
    const int i = knownSlot(rec);
    if (i >= 0 && i < bits.size())
        bits.setBit(i);
}

void UnitState::forget(const RecordId &rec)
{
    followSocket();
    QBitArray &bits = m_known[rec.record];
    const int i = knownSlot(rec);
    if (i >= 0 && i < bits.size())
        bits.clearBit(i);
}

void UnitState::forgetAll()
{
    followSocket();
    for (QBitArray &bits : m_known)
        bits.fill(false);
}

// ---- answers ----------------------------------------------------------------

bool UnitState::apply(const Proto::Frame &f)
{
    return apply(f.op, f.module, f.cmd, f.flag, f.payload);
}

bool UnitState::apply(quint8 op, quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload)
{
    const int record = catalogue().recordOfAnswer(op, module, cmd);
    if (record < 0)
        return false;
    const RecordDesc &r = catalogue().record(record);
    AnswerReader a(flag, quint16(payload.size()), payload);
    switch (r.shape) {
    case Shape::Table: {
        if (r.exact ? !a.exact(Channels * r.answerElement) : !a.atLeast(0))
            return false;
        const int count = qMin(a.size() / r.answerElement, Channels);
        for (int c = 0; c < count; ++c)
            decodeElement(record, payload, c * r.answerElement, c, 0);
        markKnown(RecordId{record, 0, 0});
        emit answered(RecordId{record, 0, 0});
        return true;
    }
    case Shape::Keyed: {
        const int selector = selectorSize(r);
        if (r.exact ? !a.exact(selector + r.answerElement) : !a.atLeast(selector + r.answerElement))
            return false;
        const std::optional<quint8> channel = a.index(0, Channels);
        const std::optional<quint8> band =
            selector == 2 ? a.index(1, Channels) : std::optional<quint8>(0);
        if (!channel || !band)
            return false;
        decodeElement(record, payload, selector, *channel, *band);
        const RecordId rec{record, *channel, *band};
        markKnown(rec);
        emit answered(rec);
        return true;
    }
    case Shape::Row: {
        if (!a.exact(1 + Channels * r.answerElement))
            return false;
        const std::optional<quint8> output = a.index(0, Channels);
        if (!output)
            return false;
        for (int in = 0; in < Channels; ++in)
            decodeElement(record, payload, 1 + in * r.answerElement, in, *output);
        const RecordId rec{record, 0, *output};
        markKnown(rec);
        emit answered(rec);
        return true;
    }
    case Shape::Single: {
        // Texts of any length: at most the unit's field, up to the first NUL.
        const bool text = r.fields.size() == 1 && r.fields[0].answerWire == Wire::Text;
        if (text      ? !a.atLeast(0)
            : r.exact ? !a.exact(r.answerElement)
                      : !a.atLeast(r.answerElement))
            return false;
        decodeElement(record, payload, 0, 0, 0);
        markKnown(RecordId{record, 0, 0});
        emit answered(RecordId{record, 0, 0});
        return true;
    }
    }
    return false;
}

bool UnitState::decodeElement(int record, const QByteArray &payload, int at, int a, int b)
{
    const Catalogue &c = catalogue();
    const RecordDesc &r = c.record(record);
    AnswerReader reader(Proto::FlagAnswer, quint16(payload.size()), payload);
    reader.atLeast(0);
    QVector<std::optional<double>> values(r.fields.size());
    for (int f = 0; f < r.fields.size(); ++f) {
        const FieldDesc &field = r.fields[f];
        const ParamDesc &d = c.param(r.params[f]);
        const ParamId id{r.params[f], a, b};
        if (isTextWire(field.answerWire)) {
            if (const std::optional<QString> t = readText(reader, at + field.answerOffset, field))
                storeText(id, *t);
            continue;
        }
        std::optional<double> raw = readRaw(reader, at + field.answerOffset, field.answerWire);
        if (!raw)
            continue;
        double v = d.rules.sanitize ? d.rules.sanitize(*raw) : *raw;
        switch (d.kind) {
        case Kind::Switch:
            values[f] = v != 0 ? 1.0 : 0.0;
            break;
        case Kind::Choice:
            for (const NamedValue &n : d.names)
                if (n.value == v)
                    values[f] = v;
            break;
        case Kind::Number:
            if (d.hasTable()) {
                if (v >= 0 && v < d.names.size())
                    values[f] = d.names[int(v)].value;
                break;
            }
            if (d.rules.fromWire)
                v = d.rules.fromWire(v);
            v = qBound(d.minimum, v, d.maximum);
            if (d.is(WholeRound))
                v = std::round(v);
            else if (d.is(Whole))
                v = std::trunc(v);
            values[f] = v;
            break;
        case Kind::Text:
            break;
        }
    }
    if (r.fixup)
        r.fixup(*this, RecordId{record, a, b}, values);
    for (int f = 0; f < r.fields.size(); ++f)
        if (values[f]) {
            const ParamId id{r.params[f], a, b};
            double v = *values[f];
            if (c.param(id).is(AnswerInRange)) {
                double lo = 0, hi = 0;
                range(id, &lo, &hi);
                v = qBound(lo, v, hi);
            }
            store(id, v);
        }
    return true;
}

// ---- writes and reads -------------------------------------------------------

QByteArray UnitState::encodeElement(const RecordId &rec, int input) const
{
    const Catalogue &c = catalogue();
    const RecordDesc &r = c.record(rec.record);
    QByteArray out(r.writeElement, '\0');
    for (int f = 0; f < r.fields.size(); ++f) {
        const FieldDesc &field = r.fields[f];
        const ParamDesc &d = c.param(r.params[f]);
        const ParamId id = r.shape == Shape::Row ? ParamId{r.params[f], input, rec.b}
                                                 : ParamId{r.params[f], rec.a, rec.b};
        if (field.writeWire == Wire::Text)
            return LocalText::encodeFitting(text(id), field.width);
        double v = d.hasTable() ? tableIndex(id) : number(id);
        if (d.rules.toWire)
            v = d.rules.toWire(v);
        writeRaw(out, field.writeOffset, field.writeWire, v);
    }
    return out;
}

Proto::Frame UnitState::writeFrame(const RecordId &rec) const
{
    const RecordDesc &r = catalogue().record(rec.record);
    if (r.writeCmd == 0)
        return Proto::Frame{};
    QByteArray payload;
    switch (r.shape) {
    case Shape::Table:
        payload = QByteArray(1, char(rec.a)) + encodeElement(rec, 0);
        break;
    case Shape::Keyed:
        payload = QByteArray(1, char(rec.a));
        if (r.dims == Dims::ChannelBand)
            payload += char(rec.b);
        payload += encodeElement(rec, 0);
        break;
    case Shape::Single:
        payload = encodeElement(rec, 0);
        break;
    case Shape::Row:
        // One crosspoint: the output, the input, its value.
        payload = QByteArray(1, char(rec.b)) + char(rec.a) + encodeElement(rec, rec.a);
        break;
    }
    return frame(r, r.writeCmd, Proto::FlagWrite, payload);
}

QVector<Proto::Frame> UnitState::writeFrames(const QVector<ParamId> &ids) const
{
    const Catalogue &c = catalogue();
    // The record instances, in the order first named; a matrix row's inputs
    // gathered per output.
    QVector<RecordId> records;
    QHash<RecordId, QVector<int>> rowInputs;
    const auto add = [&](const ParamId &id) {
        const ParamDesc &d = c.param(id);
        if (d.record < 0 || d.is(ReadOnly) || c.record(d.record).writeCmd == 0)
            return;
        const RecordId rec = c.recordOf(id);
        if (!records.contains(rec))
            records.append(rec);
        if (c.record(d.record).shape == Shape::Row && !rowInputs[rec].contains(id.a))
            rowInputs[rec].append(id.a);
    };
    for (const ParamId &id : ids) {
        if (c.param(id).record < 0) {
            for (const ParamId &source : c.sourcesOf(id))
                add(source);
        } else {
            add(id);
        }
    }
    QVector<Proto::Frame> out;
    for (const RecordId &rec : qAsConst(records)) {
        const RecordDesc &r = c.record(rec.record);
        if (r.shape != Shape::Row) {
            out.append(writeFrame(rec));
            continue;
        }
        // Inputs of one value go in one frame: output, inputs, value.
        QVector<int> inputs = rowInputs.value(rec);
        std::sort(inputs.begin(), inputs.end());
        while (!inputs.isEmpty()) {
            const QByteArray value = encodeElement(rec, inputs.first());
            QByteArray payload(1, char(rec.b));
            for (auto it = inputs.begin(); it != inputs.end();) {
                if (encodeElement(rec, *it) == value) {
                    payload += char(*it);
                    it = inputs.erase(it);
                } else {
                    ++it;
                }
            }
            out.append(frame(r, r.writeCmd, Proto::FlagWrite, payload + value));
        }
    }
    return out;
}

Proto::Frame UnitState::readFrame(const RecordId &rec) const
{
    const RecordDesc &r = catalogue().record(rec.record);
    QByteArray selector;
    if (r.shape == Shape::Keyed) {
        selector.append(char(rec.a));
        if (r.dims == Dims::ChannelBand)
            selector.append(char(rec.b));
    } else if (r.shape == Shape::Row) {
        selector.append(char(rec.b));
    }
    return frame(r, r.readCmd, Proto::FlagRead, selector);
}

QVector<Proto::Frame> UnitState::readFrames(int record) const
{
    QVector<Proto::Frame> out;
    for (const RecordId &rec : instances(record))
        out.append(readFrame(rec));
    return out;
}

QVector<Proto::Frame> UnitState::readFrames() const
{
    QVector<Proto::Frame> out;
    for (int r = 0; r < catalogue().records().size(); ++r)
        out += readFrames(r);
    return out;
}

} // namespace Model
