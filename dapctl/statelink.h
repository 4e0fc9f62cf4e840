#pragma once

#include "model/paramid.h"
#include "model/unitstate.h"
#include "protocol/frame.h"

#include <QSet>
#include <QString>
#include <QVector>

class UnitLink;

// The unit model on a dapctl link: reads record instances of a unit into a
// Model::UnitState, pipelined (UnitLink::readAll), and sends the frames the
// model makes for writes. It counts the frames both ways, for the benchmark
// and for a restore's report.
class StateLink final
{
public:
    explicit StateLink(UnitLink &link);

    // Reads these record instances (as UnitState::instances() gives them)
    // and applies each answer to `state` in the order given, so a value
    // whose range depends on another record (a level on its limits) is
    // taken after it. A unit that refuses the read of a record it may lack
    // (an echo canceller) is no error: the record stays unread (refused()).
    bool read(Model::UnitState &state, const QVector<Model::RecordId> &records);
    // Every record instance of the unit: its whole state.
    bool readAll(Model::UnitState &state);
    // Sends writes made by the model.
    void send(const QVector<Proto::Frame> &frames);

    // Records whose read the unit refused, and whether one was read.
    const QSet<Model::RecordId> &refused() const { return m_refused; }
    bool wasRead(const Model::RecordId &rec) const { return m_read.contains(rec); }

    QString errorString() const { return m_error; }
    int framesSent() const { return m_sent; }
    int framesReceived() const { return m_received; }

private:
    UnitLink &m_link;
    QSet<Model::RecordId> m_refused;
    QSet<Model::RecordId> m_read;
    QString m_error;
    int m_sent = 0;
    int m_received = 0;
};
