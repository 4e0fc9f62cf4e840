#pragma once

#include "dapd/unitagent.h"
#include "model/paramid.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QVector>

// One client's subscriptions, on every unit: each point is held once by the
// client and counted once in its unit's agent, and released when the
// client leaves. changed() passes on the agent's changes this client holds.
class Subscriptions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(Subscriptions)

public:
    // Bounds what one client may hold: every parameter and meter of a few units.
    static constexpr int MaxPoints = 100000;

    explicit Subscriptions(QObject *parent = nullptr);
    ~Subscriptions() override;

    // Subscribes to the points not yet held (read first, see
    // UnitAgent::subscribe); `done` comes after.
    void add(UnitAgent *agent, const QVector<Model::ParamId> &points, const UnitAgent::Done &done);
    // Releases points (all of the unit's when `points` is empty); returns how many.
    int remove(UnitAgent *agent, const QVector<Model::ParamId> &points);
    int count() const;
    bool holds(UnitAgent *agent, const Model::ParamId &id) const;

signals:
    void changed(UnitAgent *agent, const QVector<Model::ParamId> &points);

private:
    void watch(UnitAgent *agent);

    QHash<UnitAgent *, QSet<Model::ParamId>> m_held;
    QHash<UnitAgent *, QMetaObject::Connection> m_watching;
};
