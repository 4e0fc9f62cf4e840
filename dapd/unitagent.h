#pragma once

#include "dapd/failure.h"
#include "devices/broadcastmsg.h"
#include "model/paramid.h"
#include "unitlink/paramedit.h"
#include "unitlink/presetlist.h"

#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QVector>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class QTimer;
class UnitConnection;
namespace Model {
class UnitState;
} // namespace Model

// Everything the control server does with one unit: its connection, the
// unit model's state of it and its meters, and the jobs of the clients
// (get, set, the presets) and of the poll, which run one at a time in the
// order asked, so a set's read, write and read back are never interleaved
// with another's.
//
// Subscriptions of every client are counted here: the unit is polled for
// the union of them, once whatever the number of clients (meters every
// 100 ms, parameters every 200 ms). After each job the subscribed values are
// compared with those last reported, and changed() names those that differ.
class UnitAgent final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(UnitAgent)

public:
    static constexpr int MeterPollMs = 100;
    static constexpr int ParamPollTicks = 2; // parameters on every 2nd meter tick

    explicit UnitAgent(QObject *parent = nullptr);
    ~UnitAgent() override;

    UnitConnection *connection() const { return m_connection; }

    // Identity: from announcements, or only the address for a unit reached
    // by address that never announced itself.
    void setRecord(const broadcastMsg &record);
    bool hasRecord() const { return m_hasRecord; }
    const broadcastMsg &record() const { return m_record; }
    quint32 machineId() const { return m_hasRecord ? m_record.machineid : 0; }
    // How the server names the unit to clients: its device id, or its
    // address while it has none.
    QJsonValue key() const;
    QString keyText() const;
    bool isOnline() const;
    QJsonObject describe() const;

    // The value of a point as JSON (null when the unit has no such block or
    // it was never read) and as dapctl prints it.
    QJsonValue json(const Model::ParamId &id) const;
    QString shown(const Model::ParamId &id) const;

    using Done = std::function<void(const Failure &failure)>;
    // Reads the points from the unit; their values are then json()/shown().
    void get(const QVector<Model::ParamId> &points, const Done &done);
    // Sets values as the program's controls take them (ParamEdit), writes
    // them and reads them back; `notes` tells of clamps and what else changed.
    void set(const QVector<ParamEdit::Edit> &edits,
             const std::function<void(const Failure &, const QStringList &notes)> &done);

    using PresetDone = std::function<void(const Failure &, const std::optional<PresetList> &)>;
    void presetList(const PresetDone &done);
    // Slot 0..31.
    void presetSave(int slot, const PresetDone &done);
    void presetRecall(int slot, const PresetDone &done);

    // Subscriptions, counted: a point is polled while any client holds it.
    // subscribe() reads the points first; their values then are the ones a
    // later changed() is measured against.
    void subscribe(const QVector<Model::ParamId> &points, const Done &done);
    void release(const QVector<Model::ParamId> &points);
    int subscribedCount() const { return m_subs.size(); }
    // The value changed() last reported (or subscribe() read) for a point.
    QJsonValue lastValue(const Model::ParamId &id) const { return m_last.value(id); }

    quint64 pollRounds() const { return m_pollRounds; }

signals:
    // Subscribed points whose values changed since last reported.
    void changed(const QVector<Model::ParamId> &points);
    void online();
    void offline();

private:
    using Job = std::function<void()>;
    void enqueue(const Job &job);
    void finishJob();
    void runNext();
    void flushChanges();
    void onReady();
    void onLost();
    void pollTick();
    void schedulePoll();
    // Reads record instances and meter groups; answers go into the state
    // (and `also`, a scratch state of a set).
    void readInto(const QVector<Model::RecordId> &records, const QVector<int> &meterGroups,
                  const std::shared_ptr<Model::UnitState> &also, const Done &then);
    Failure offlineFailure() const;
    bool refused(const Model::ParamId &id) const;
    bool known(const Model::ParamId &id) const;
    void readPresets(const PresetDone &done);

    UnitConnection *m_connection;
    Model::UnitState *m_state;
    broadcastMsg m_record;
    bool m_hasRecord = false;
    std::array<std::array<qint8, 16>, 4> m_meters{};
    std::array<bool, 4> m_meterKnown{};
    QSet<Model::RecordId> m_read;    // records read since the connection came up
    QSet<Model::RecordId> m_refused; // records whose read the unit refused

    std::deque<Job> m_jobs;
    bool m_busy = false;

    QHash<Model::ParamId, int> m_subs; // subscribed points, counted
    QHash<Model::ParamId, QJsonValue> m_last;
    bool m_planDirty = true;
    QVector<Model::RecordId> m_pollRecords;
    QVector<int> m_pollMeters;
    QTimer *m_pollTimer;
    int m_tick = 0;
    bool m_pollQueued = false;
    quint64 m_pollRounds = 0;
};
