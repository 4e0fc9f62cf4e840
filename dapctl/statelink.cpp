#include "dapctl/statelink.h"

#include "dapctl/unitlink.h"
#include "protocol/transport.h"

using namespace Model;

namespace {

const Catalogue &cat()
{
    return Catalogue::instance();
}

bool isOptional(int record)
{
    for (int p : cat().record(record).params)
        if (cat().param(p).is(Optional))
            return true;
    return false;
}

QString describe(const RecordDesc &r)
{
    return QStringLiteral("%1 (op %2 module %3 cmd %4)")
        .arg(QLatin1String(r.name))
        .arg(r.op)
        .arg(r.module)
        .arg(r.readCmd);
}

} // namespace

StateLink::StateLink(UnitLink &link) : m_link(link) {}

bool StateLink::read(UnitState &state, const QVector<RecordId> &records)
{
    QVector<Proto::Frame> reads;
    reads.reserve(records.size());
    QHash<int, QVector<Proto::Frame>> frames; // every instance's read, by record
    for (const RecordId &rec : records) {
        if (!frames.contains(rec.record))
            frames.insert(rec.record, state.readFrames(rec.record));
        const int i = state.instances(rec.record).indexOf(rec);
        if (i < 0) {
            m_error =
                QStringLiteral("no such instance of %1").arg(describe(cat().record(rec.record)));
            return false;
        }
        reads.append(frames.value(rec.record).at(i));
    }
    const QVector<std::optional<Proto::Frame>> answers = m_link.readFrames(reads);
    m_sent += reads.size();
    for (int i = 0; i < records.size(); ++i) {
        const std::optional<Proto::Frame> &answer = answers[i];
        const RecordDesc &r = cat().record(records[i].record);
        if (!answer) {
            m_error = m_link.errorString();
            return false;
        }
        ++m_received;
        if (answer->flag == Proto::FlagRefused && isOptional(records[i].record)) {
            m_refused.insert(records[i]);
            continue;
        }
        if (answer->flag == Proto::FlagRefused) {
            m_error = QStringLiteral("the unit refused the read of %1").arg(describe(r));
            return false;
        }
        if (!state.apply(*answer)) {
            m_error = QStringLiteral("the unit's answer to the read of %1 is not one the program "
                                     "can read (%2 bytes)")
                          .arg(describe(r))
                          .arg(answer->payload.size());
            return false;
        }
        m_read.insert(records[i]);
    }
    return true;
}

bool StateLink::readAll(UnitState &state)
{
    QVector<RecordId> all;
    for (int r = 0; r < cat().records().size(); ++r)
        all += state.instances(r);
    return read(state, all);
}

void StateLink::send(const QVector<Proto::Frame> &frames)
{
    for (const Proto::Frame &f : frames)
        sendFrame(f);
    m_sent += frames.size();
}
