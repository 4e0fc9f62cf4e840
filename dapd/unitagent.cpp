#include "dapd/unitagent.h"

#include "dapd/meterpaths.h"
#include "dapd/unitconnection.h"
#include "model/unitstate.h"
#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "unitlink/paramtext.h"
#include "unitlink/readplan.h"

#include <QTimer>

using namespace Model;

namespace {

const Catalogue &cat()
{
    return Catalogue::instance();
}

// The records a parameter's value comes from (a derived one's sources').
QVector<RecordId> recordsOf(const ParamId &id)
{
    QVector<RecordId> out;
    const QVector<ParamId> held =
        cat().param(id).record < 0 ? cat().sourcesOf(id) : QVector<ParamId>{id};
    for (const ParamId &p : held)
        out.append(ReadPlan::readInstance(cat().recordOf(p)));
    return out;
}

Proto::Frame presetWrite(quint8 cmd, int slot)
{
    Proto::Frame f;
    f.op = Proto::OpBlock;
    f.module = Proto::Module::Preset;
    f.cmd = cmd;
    f.flag = Proto::FlagWrite;
    f.payload = QByteArray(1, char(slot));
    f.length = 1;
    return f;
}

} // namespace

UnitAgent::UnitAgent(QObject *parent)
    : QObject(parent), m_connection(new UnitConnection(this)), m_state(new UnitState(this)),
      m_pollTimer(new QTimer(this))
{
    m_pollTimer->setInterval(MeterPollMs);
    connect(m_pollTimer, &QTimer::timeout, this, &UnitAgent::pollTick);
    connect(m_connection, &UnitConnection::ready, this, &UnitAgent::onReady);
    connect(m_connection, &UnitConnection::lost, this, &UnitAgent::onLost);
}

UnitAgent::~UnitAgent() = default;

void UnitAgent::setRecord(const broadcastMsg &record)
{
    m_record = record;
    m_hasRecord = true;
    m_connection->setMachineId(record.machineid);
}

QJsonValue UnitAgent::key() const
{
    if (m_hasRecord)
        return double(m_record.machineid);
    return m_connection->address().toString();
}

QString UnitAgent::keyText() const
{
    return m_hasRecord ? QString::number(m_record.machineid) : m_connection->address().toString();
}

bool UnitAgent::isOnline() const
{
    return m_connection->isReady();
}

QJsonObject UnitAgent::describe() const
{
    QJsonObject o{{QStringLiteral("unit"), key()},
                  {QStringLiteral("address"), m_connection->address().toString()},
                  {QStringLiteral("online"), isOnline()},
                  {QStringLiteral("status"), m_connection->statusText()}};
    if (m_hasRecord) {
        const auto version = [](quint32 v) {
            return QStringLiteral("%1.%2.%3").arg(v >> 16).arg((v >> 8) & 0xff).arg(v & 0xff);
        };
        o.insert(QStringLiteral("id"), double(m_record.machineid));
        o.insert(QStringLiteral("serial"), m_record.sn);
        o.insert(QStringLiteral("model"), m_record.model);
        o.insert(QStringLiteral("location"), m_record.location);
        o.insert(QStringLiteral("description"), m_record.description);
        o.insert(QStringLiteral("arm"), version(m_record.armFirmware()));
        o.insert(QStringLiteral("dsp"), version(m_record.dspFirmware()));
    }
    return o;
}

bool UnitAgent::refused(const ParamId &id) const
{
    if (MeterPaths::isMeter(id))
        return false;
    for (const RecordId &rec : recordsOf(id))
        if (m_refused.contains(rec))
            return true;
    return false;
}

bool UnitAgent::known(const ParamId &id) const
{
    if (MeterPaths::isMeter(id))
        return m_meterKnown[size_t(MeterPaths::groupOf(id))];
    for (const RecordId &rec : recordsOf(id))
        if (!m_read.contains(rec) && !m_refused.contains(rec))
            return false;
    return true;
}

QJsonValue UnitAgent::json(const ParamId &id) const
{
    if (!known(id) || refused(id))
        return QJsonValue();
    if (MeterPaths::isMeter(id))
        return int(m_meters[size_t(MeterPaths::groupOf(id))][size_t(id.a)]);
    return ParamText::json(*m_state, id);
}

QString UnitAgent::shown(const ParamId &id) const
{
    if (refused(id))
        return QStringLiteral("(not on this unit)");
    if (!known(id))
        return QStringLiteral("(not read)");
    if (MeterPaths::isMeter(id))
        return QStringLiteral("%1 dB").arg(
            int(m_meters[size_t(MeterPaths::groupOf(id))][size_t(id.a)]));
    return ParamText::shown(*m_state, id);
}

Failure UnitAgent::offlineFailure() const
{
    return Failure::of(
        Failure::UnitOffline,
        QStringLiteral("unit %1 is not connected (%2)").arg(keyText(), m_connection->statusText()),
        QStringLiteral("unit"));
}

// ---- jobs -----------------------------------------------------------------

void UnitAgent::enqueue(const Job &job)
{
    m_jobs.push_back(job);
    if (!m_busy)
        runNext();
}

void UnitAgent::runNext()
{
    if (m_busy || m_jobs.empty())
        return;
    m_busy = true;
    const Job job = m_jobs.front();
    m_jobs.pop_front();
    job();
}

void UnitAgent::finishJob()
{
    flushChanges();
    m_busy = false;
    runNext();
}

void UnitAgent::readInto(const QVector<RecordId> &records, const QVector<int> &meterGroups,
                         const std::shared_ptr<UnitState> &also, const Done &then)
{
    if (!m_connection->isReady()) {
        then(offlineFailure());
        return;
    }
    QVector<Proto::Frame> reads;
    reads.reserve(records.size() + meterGroups.size());
    for (const RecordId &rec : records)
        reads.append(m_state->readFrame(rec));
    for (int g : meterGroups)
        reads.append(MeterPaths::read(g));
    m_connection->read(reads, [this, records, meterGroups, also,
                               then](const UnitConnection::Answers &answers) {
        Failure failure;
        for (int i = 0; i < answers.size(); ++i) {
            const std::optional<Proto::Frame> &a = answers[i];
            if (!a) {
                if (!failure.failed())
                    failure =
                        m_connection->isReady()
                            ? Failure::of(
                                  Failure::NoAnswer,
                                  QStringLiteral("unit %1 did not answer in time").arg(keyText()))
                            : offlineFailure();
                continue;
            }
            if (i >= records.size()) {
                const int g = meterGroups[i - records.size()];
                std::array<qint8, 16> levels{};
                if (MeterPaths::levels(*a, levels.data())) {
                    m_meters[size_t(g)] = levels;
                    m_meterKnown[size_t(g)] = true;
                }
                continue;
            }
            const RecordId &rec = records[i];
            if (a->flag == Proto::FlagRefused) {
                m_refused.insert(rec);
                continue;
            }
            if (m_state->apply(*a)) {
                m_read.insert(rec);
                if (also)
                    also->apply(*a);
            } else if (!failure.failed()) {
                failure =
                    Failure::of(Failure::NoAnswer,
                                QStringLiteral("unit %1 answered the read of %2 with %3 "
                                               "bytes, which the server cannot read")
                                    .arg(keyText(), QLatin1String(cat().record(rec.record).name))
                                    .arg(a->payload.size()));
            }
        }
        then(failure);
    });
}

void UnitAgent::get(const QVector<ParamId> &points, const Done &done)
{
    enqueue([this, points, done] {
        QVector<ParamId> params;
        QVector<int> groups;
        for (const ParamId &id : points) {
            if (!MeterPaths::isMeter(id))
                params.append(id);
            else if (!groups.contains(MeterPaths::groupOf(id)))
                groups.append(MeterPaths::groupOf(id));
        }
        readInto(ReadPlan::recordsFor(params), groups, nullptr, [this, done](const Failure &f) {
            finishJob();
            done(f);
        });
    });
}

void UnitAgent::set(const QVector<ParamEdit::Edit> &edits,
                    const std::function<void(const Failure &, const QStringList &)> &done)
{
    enqueue([this, edits, done] {
        QVector<ParamId> ids;
        for (const ParamEdit::Edit &e : edits)
            ids.append(e.id);
        const QVector<RecordId> records = ReadPlan::recordsFor(ids);
        // The edits are made on a copy of the unit's records read just now,
        // so the shared state only ever holds what the unit reported.
        auto scratch = std::make_shared<UnitState>();
        const auto end = [this, done](const Failure &f, const QStringList &notes) {
            finishJob();
            done(f, notes);
        };
        readInto(records, {}, scratch, [=](const Failure &f) {
            if (f.failed())
                return end(f, {});
            QVector<ParamId> written;
            QStringList notes;
            QString error;
            const ParamEdit::Result r = ParamEdit::apply(
                *scratch, edits, [this](const ParamId &id) { return refused(id); }, written, notes,
                error);
            if (r != ParamEdit::Result::Ok)
                return end(Failure::of(r == ParamEdit::Result::NotOnUnit ? Failure::NotOnUnit
                                                                         : Failure::InvalidParams,
                                       error, QStringLiteral("values")),
                           {});
            m_connection->write(scratch->writeFrames(written));
            // The unit has taken the writes once it answers reads sent after
            // them; their answers are the values it applied.
            readInto(records, {}, nullptr, [end, notes](const Failure &f) { end(f, notes); });
        });
    });
}

void UnitAgent::readPresets(const PresetDone &done)
{
    if (!m_connection->isReady()) {
        done(offlineFailure(), std::nullopt);
        return;
    }
    m_connection->read({PresetList::request()}, [this, done](const UnitConnection::Answers &a) {
        if (!a.constFirst()) {
            done(m_connection->isReady()
                     ? Failure::of(Failure::NoAnswer,
                                   QStringLiteral("unit %1 did not answer in time").arg(keyText()))
                     : offlineFailure(),
                 std::nullopt);
            return;
        }
        const std::optional<PresetList> list = PresetList::parse(*a.constFirst());
        if (!list)
            done(Failure::of(Failure::NoAnswer, PresetList::describeBadAnswer(*a.constFirst())),
                 std::nullopt);
        else
            done(Failure(), list);
    });
}

void UnitAgent::presetList(const PresetDone &done)
{
    enqueue([this, done] {
        readPresets([this, done](const Failure &f, const std::optional<PresetList> &list) {
            finishJob();
            done(f, list);
        });
    });
}

void UnitAgent::presetSave(int slot, const PresetDone &done)
{
    enqueue([this, slot, done] {
        if (!m_connection->isReady()) {
            finishJob();
            return done(offlineFailure(), std::nullopt);
        }
        m_connection->write({presetWrite(Proto::PresetCmd::Save, slot)});
        readPresets([this, slot, done](const Failure &f, const std::optional<PresetList> &list) {
            finishJob();
            if (!f.failed() && !list->exists[size_t(slot)])
                return done(
                    Failure::of(Failure::UnitRefused,
                                QStringLiteral("the unit did not save preset %1").arg(slot + 1),
                                QStringLiteral("slot")),
                    list);
            done(f, list);
        });
    });
}

void UnitAgent::presetRecall(int slot, const PresetDone &done)
{
    enqueue([this, slot, done] {
        readPresets([this, slot, done](const Failure &f, const std::optional<PresetList> &list) {
            if (f.failed() || !list->exists[size_t(slot)]) {
                finishJob();
                return done(f.failed()
                                ? f
                                : Failure::of(Failure::UnitRefused,
                                              QStringLiteral("preset %1 is empty").arg(slot + 1),
                                              QStringLiteral("slot")),
                            list);
            }
            // The unit reports the recall's progress (100: done); a unit that
            // reports none is asked for its list after the time-out. Each
            // report restarts the time-out, nothing else does.
            auto timer = new QTimer(this);
            timer->setSingleShot(true);
            const auto finished = std::make_shared<bool>(false);
            const auto next = [this, slot, done, timer, finished] {
                if (*finished)
                    return;
                *finished = true;
                timer->deleteLater();
                readPresets(
                    [this, slot, done](const Failure &f, const std::optional<PresetList> &list) {
                        finishJob();
                        if (!f.failed() && list->current != slot)
                            return done(Failure::of(Failure::UnitRefused,
                                                    QStringLiteral("the unit did not recall "
                                                                   "preset %1")
                                                        .arg(slot + 1),
                                                    QStringLiteral("slot")),
                                        list);
                        done(f, list);
                    });
            };
            connect(timer, &QTimer::timeout, this, next);
            connect(m_connection, &UnitConnection::unsolicited, timer,
                    [timer, next](const Proto::Frame &fr) {
                        if (fr.op != Proto::OpBlock || fr.module != Proto::Module::Preset ||
                            fr.cmd != Proto::PresetCmd::Recall)
                            return;
                        AnswerReader answer(fr.flag, fr.length, fr.payload);
                        if (!answer.atLeast(1))
                            return;
                        if (answer.i8(0) >= 100)
                            next();
                        else
                            timer->start();
                    });
            connect(m_connection, &UnitConnection::lost, timer, next);
            timer->start(3000);
            m_connection->write({presetWrite(Proto::PresetCmd::Recall, slot)});
        });
    });
}

// ---- subscriptions and the poll ---------------------------------------------

void UnitAgent::subscribe(const QVector<ParamId> &points, const Done &done)
{
    get(points, [this, points, done](const Failure &f) {
        if (!f.failed()) {
            for (const ParamId &id : points) {
                if (++m_subs[id] == 1)
                    m_last.insert(id, json(id));
            }
            m_planDirty = true;
            schedulePoll();
        }
        done(f);
    });
}

void UnitAgent::release(const QVector<ParamId> &points)
{
    for (const ParamId &id : points) {
        auto it = m_subs.find(id);
        if (it == m_subs.end())
            continue;
        if (--it.value() <= 0) {
            m_subs.erase(it);
            m_last.remove(id);
        }
    }
    m_planDirty = true;
    schedulePoll();
}

void UnitAgent::schedulePoll()
{
    const bool wanted = m_connection->isReady() && !m_subs.isEmpty();
    if (wanted && !m_pollTimer->isActive())
        m_pollTimer->start();
    else if (!wanted)
        m_pollTimer->stop();
}

void UnitAgent::pollTick()
{
    if (m_pollQueued)
        return; // the previous round is still waiting its turn
    if (m_planDirty) {
        QVector<ParamId> params;
        m_pollMeters.clear();
        for (auto it = m_subs.cbegin(); it != m_subs.cend(); ++it) {
            if (!MeterPaths::isMeter(it.key()))
                params.append(it.key());
            else if (!m_pollMeters.contains(MeterPaths::groupOf(it.key())))
                m_pollMeters.append(MeterPaths::groupOf(it.key()));
        }
        m_pollRecords = ReadPlan::recordsFor(params);
        m_planDirty = false;
    }
    const bool params = m_tick++ % ParamPollTicks == 0;
    if (m_pollMeters.isEmpty() && (!params || m_pollRecords.isEmpty()))
        return;
    m_pollQueued = true;
    enqueue([this, params] {
        readInto(params ? m_pollRecords : QVector<RecordId>(), m_pollMeters, nullptr,
                 [this](const Failure &) {
                     m_pollQueued = false;
                     ++m_pollRounds;
                     finishJob();
                 });
    });
}

void UnitAgent::flushChanges()
{
    if (m_subs.isEmpty())
        return;
    QVector<ParamId> changedPoints;
    for (auto it = m_subs.cbegin(); it != m_subs.cend(); ++it) {
        const ParamId &id = it.key();
        if (!known(id))
            continue;
        const QJsonValue now = json(id);
        auto last = m_last.find(id);
        if (last != m_last.end() && last.value() == now)
            continue;
        m_last.insert(id, now);
        changedPoints.append(id);
    }
    if (!changedPoints.isEmpty()) {
        std::sort(changedPoints.begin(), changedPoints.end());
        emit changed(changedPoints);
    }
}

void UnitAgent::onReady()
{
    m_tick = 0;
    schedulePoll();
    emit online();
}

void UnitAgent::onLost()
{
    // What was read says nothing about the unit that comes back.
    m_read.clear();
    m_refused.clear();
    m_meterKnown.fill(false);
    schedulePoll();
    emit offline();
}
