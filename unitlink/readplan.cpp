#include "unitlink/readplan.h"

#include "model/catalogue.h"

#include <QSet>

#include <algorithm>

using namespace Model;

namespace ReadPlan {

RecordId readInstance(const RecordId &rec)
{
    // A derived value has no record of its own: nothing to read for it.
    if (rec.record < 0)
        return rec;
    switch (Catalogue::instance().record(rec.record).shape) {
    case Shape::Table:
    case Shape::Single:
        return RecordId{rec.record, 0, 0};
    case Shape::Row:
        return RecordId{rec.record, 0, rec.b};
    case Shape::Keyed:
        break;
    }
    return rec;
}

QVector<RecordId> recordsFor(const QVector<ParamId> &ids)
{
    const Catalogue &c = Catalogue::instance();
    QVector<RecordId> out;
    QSet<RecordId> seen;
    QSet<quint16> modules;
    const auto add = [&](const ParamId &id) {
        const RecordId rec = c.recordOf(id);
        if (rec.record < 0)
            return;
        const RecordId read = readInstance(rec);
        if (!seen.contains(read)) {
            seen.insert(read);
            out.append(read);
        }
        const RecordDesc &r = c.record(rec.record);
        modules.insert(quint16(r.op << 8 | r.module));
    };
    for (const ParamId &id : ids) {
        if (c.param(id).record < 0)
            for (const ParamId &source : c.sourcesOf(id))
                add(source);
        else
            add(id);
    }
    for (int r = 0; r < c.records().size(); ++r) {
        const RecordDesc &d = c.record(r);
        const bool whole = d.shape == Shape::Table || d.shape == Shape::Single;
        const RecordId rec{r, 0, 0};
        if (whole && modules.contains(quint16(d.op << 8 | d.module)) && !seen.contains(rec)) {
            seen.insert(rec);
            out.append(rec);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace ReadPlan
