#include "dapd/subscriptions.h"

Subscriptions::Subscriptions(QObject *parent) : QObject(parent) {}

Subscriptions::~Subscriptions()
{
    for (auto it = m_held.cbegin(); it != m_held.cend(); ++it)
        it.key()->release(it.value().values().toVector());
}

int Subscriptions::count() const
{
    int n = 0;
    for (const QSet<Model::ParamId> &held : m_held)
        n += held.size();
    return n;
}

bool Subscriptions::holds(UnitAgent *agent, const Model::ParamId &id) const
{
    return m_held.value(agent).contains(id);
}

void Subscriptions::watch(UnitAgent *agent)
{
    if (m_watching.contains(agent))
        return;
    m_watching.insert(agent, connect(agent, &UnitAgent::changed, this,
                                     [this, agent](const QVector<Model::ParamId> &points) {
                                         const QSet<Model::ParamId> &held = m_held.value(agent);
                                         QVector<Model::ParamId> mine;
                                         for (const Model::ParamId &id : points)
                                             if (held.contains(id))
                                                 mine.append(id);
                                         if (!mine.isEmpty())
                                             emit changed(agent, mine);
                                     }));
}

void Subscriptions::add(UnitAgent *agent, const QVector<Model::ParamId> &points,
                        const UnitAgent::Done &done)
{
    QSet<Model::ParamId> &held = m_held[agent];
    QVector<Model::ParamId> fresh;
    for (const Model::ParamId &id : points)
        if (!held.contains(id)) {
            held.insert(id);
            fresh.append(id);
        }
    watch(agent);
    // Held from now on, so a second request for the same points does not
    // count them twice; given back if the read fails.
    QPointer<Subscriptions> self(this);
    QPointer<UnitAgent> unit(agent);
    agent->subscribe(fresh, [self, unit, fresh, done](const Failure &f) {
        if (!self) {
            if (unit && !f.failed())
                unit->release(fresh);
            return;
        }
        if (f.failed() && unit) {
            QSet<Model::ParamId> &held = self->m_held[unit.data()];
            for (const Model::ParamId &id : fresh)
                held.remove(id);
        }
        done(f);
    });
}

int Subscriptions::remove(UnitAgent *agent, const QVector<Model::ParamId> &points)
{
    auto it = m_held.find(agent);
    if (it == m_held.end())
        return 0;
    QVector<Model::ParamId> gone;
    if (points.isEmpty()) {
        gone = it.value().values().toVector();
        it.value().clear();
    } else {
        for (const Model::ParamId &id : points)
            if (it.value().remove(id))
                gone.append(id);
    }
    agent->release(gone);
    return gone.size();
}
