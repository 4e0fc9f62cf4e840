#pragma once

#include "model/paramdesc.h"
#include "model/paramid.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace Model {

// Every record and every parameter of the unit, built once from the block
// tables. Paths are written with 1-based indices ("input.3.eq.2.gain");
// ParamId holds them 0-based.
class Catalogue final
{
public:
    static const Catalogue &instance();

    const QVector<RecordDesc> &records() const { return m_records; }
    const QVector<ParamDesc> &params() const { return m_params; }
    const RecordDesc &record(int index) const { return m_records[index]; }
    const ParamDesc &param(int index) const { return m_params[index]; }
    const ParamDesc &param(const ParamId &id) const { return m_params[id.param]; }

    // The record an answer with this op, module and cmd belongs to, or -1.
    int recordOfAnswer(quint8 op, quint8 module, quint8 cmd) const;
    // The descriptor index of a pattern ("input.#.gain"), or -1.
    int paramIndex(const char *pattern) const;
    // A parameter by its pattern and indices: param("input.#.gain", 2).
    ParamId id(const char *pattern, int a = 0, int b = 0) const;

    // The path of a parameter: "input.3.eq.2.gain".
    QString path(const ParamId &id) const;
    // A path, checked: nothing (and `error`) for one no parameter has.
    std::optional<ParamId> parse(const QString &path, QString *error = nullptr) const;
    // The parameters a pattern names: a path, or a path with '*' for a
    // segment ("input.*.gain"); a '*' at the end stands for one or more
    // segments ("input.3.eq.*", "input.3.*"). In catalogue order; empty (and
    // `error`) when nothing matches.
    QVector<ParamId> expand(const QString &pattern, QString *error = nullptr) const;
    // Every instance of every parameter, in catalogue order.
    QVector<ParamId> all() const;

    // The record instance that holds a parameter (record -1 for a derived
    // one), and the parameters an instance holds.
    RecordId recordOf(const ParamId &id) const;
    QVector<ParamId> paramsOf(const RecordId &rec) const;
    // The parameters a derived one is computed from (and written through).
    QVector<ParamId> sourcesOf(const ParamId &id) const;

    // Adds a record (the block tables call these while the catalogue is
    // built); returns its index.
    int addRecord(const RecordDesc &record);
    int addParam(int record, const FieldDesc &field, ParamDesc param);
    int addDerived(ParamDesc param, QVector<const char *> sources);

private:
    Catalogue();

    QVector<RecordDesc> m_records;
    QVector<ParamDesc> m_params;
    QVector<QStringList> m_segments; // of each pattern
    QVector<QVector<int>> m_sources; // of each derived parameter
    QHash<quint32, int> m_answers;   // op << 16 | module << 8 | cmd -> record
    QHash<QString, int> m_byPattern;
};

// The block tables.
void addLevelBlocks(Catalogue &c);
void addFilterBlocks(Catalogue &c);
void addDynamicsBlocks(Catalogue &c);
void addSystemBlocks(Catalogue &c);

} // namespace Model
