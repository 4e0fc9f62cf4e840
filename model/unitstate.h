#pragma once

#include "model/catalogue.h"
#include "protocol/frame.h"

#include <QBitArray>
#include <QObject>
#include <QVariant>
#include <QVector>

namespace Model {

// One value an edit changed: what it was and what it became.
struct Change
{
    ParamId id;
    QVariant before;
    QVariant after;
};

// The value of every parameter of one unit: the unit's factory defaults at
// first (what the pages show before the unit has answered), then what the
// unit reported and what the operator changed.
//
// Answers of the unit are decoded here and nowhere else, and every write is
// encoded here: a page, dapctl or the server names the parameters and sends
// the frames it is given. Values are checked as the page's control checks
// them: a number is clamped to its range (which may depend on other values,
// as a level's on its limits), a choice must be one of its values, a text is
// cut to the unit's field at a whole character.
//
// A record counts as known once its answer came since the state was made or
// forgot it, and as long as the socket current then is still current: a page
// writes a whole record only when it holds the unit's copy of it.
class UnitState final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(UnitState)

public:
    explicit UnitState(QObject *parent = nullptr);

    static const Catalogue &catalogue() { return Catalogue::instance(); }

    // Numbers, choices (the value on the wire) and switches (0 or 1); a
    // number with a table gives its entry (a preamplifier step in dB, a Q).
    double number(const ParamId &id) const;
    bool isOn(const ParamId &id) const { return number(id) != 0; }
    QString text(const ParamId &id) const;
    // A number or a text.
    QVariant value(const ParamId &id) const;
    // The value as a path's value is written: "-7.5", "on", "line", "Hall".
    QString valueText(const ParamId &id) const;
    // The index of a table number's entry (a Q index), or -1.
    int tableIndex(const ParamId &id) const;

    // The range a control offers now.
    void range(const ParamId &id, double *minimum, double *maximum) const;

    // An edit of the operator: the value as its control takes it (clamped,
    // a choice to a known value, a table number to its nearest entry); what
    // else an edit of it changes changes too. Returns the value kept. Emits
    // changed() for everything that changed. Sends nothing.
    double setNumber(const ParamId &id, double value);
    QString setText(const ParamId &id, const QString &text);
    // A value as written in a path's value ("on", "line", "-7.5", text):
    // false (and `error`) for one no control takes; `note` tells of a clamp
    // or a cut. The parameter must be writable.
    bool setValueText(const ParamId &id, const QString &value, QString *error,
                      QString *note = nullptr);
    // Checks a value as setValueText() would take it, without keeping it.
    bool checkValueText(const ParamId &id, const QString &value, QString *error) const;

    // Stores a value as it is (the rules of the block tables use it): no
    // clamp, no edit rule.
    void store(const ParamId &id, double value);
    void storeText(const ParamId &id, const QString &text);

    // Takes one answer of the unit. False for what no record describes or
    // an answer whose flag or length is not the record's (nothing is taken
    // then). A value the control would not show (not finite, an unknown
    // choice) leaves its parameter as it was.
    bool apply(quint8 op, quint8 module, quint8 cmd, quint8 flag, const QByteArray &payload);
    bool apply(const Proto::Frame &frame);

    // The write of one record instance as the page sends it; an empty frame
    // (op 0) for a record the unit takes no write of.
    Proto::Frame writeFrame(const RecordId &rec) const;
    // The write of the record instance that holds `id`.
    Proto::Frame writeFrameOf(const ParamId &id) const
    {
        return writeFrame(catalogue().recordOf(id));
    }
    // The writes that set these parameters, in the fewest frames: one per
    // record instance, a matrix row's crosspoints of one value together.
    // Derived parameters are written through what they derive from.
    QVector<Proto::Frame> writeFrames(const QVector<ParamId> &ids) const;
    // The read of one record instance.
    Proto::Frame readFrame(const RecordId &rec) const;
    // The reads of one record, or of every record instance (the whole state).
    QVector<Proto::Frame> readFrames(int record) const;
    QVector<Proto::Frame> readFrames() const;
    // Every instance of a record.
    QVector<RecordId> instances(int record) const;

    bool isKnown(const RecordId &rec) const;
    void forget(const RecordId &rec);
    void forgetAll();

signals:
    void changed(const Model::ParamId &id);
    // An operator's edit of `id` (setNumber, setText) changed these values:
    // the parameter edited (or what it is derived from) and what its rules
    // changed with it. Answers of the unit and store() are no edits.
    void edited(const Model::ParamId &id, const QVector<Model::Change> &changes);
    // A record instance's answer was taken.
    void answered(const Model::RecordId &rec);

private:
    int slot(const ParamId &id) const;
    int knownSlot(const RecordId &rec) const;
    void markKnown(const RecordId &rec);
    void followSocket() const;
    void storeDecoded(const ParamId &id, double value);
    double clampEdit(const ParamId &id, double value) const;
    bool decodeElement(int record, const QByteArray &payload, int at, int a, int b);
    QByteArray encodeElement(const RecordId &rec, int input) const;

    // An edit in progress records what it stores.
    struct EditScope;
    int m_editDepth = 0;
    ParamId m_edited;
    QVector<Change> m_journal;

    QVector<QVector<double>> m_numbers; // per parameter, per instance
    QVector<QVector<QString>> m_texts;  // text parameters only
    mutable QVector<QBitArray> m_known; // per record, per instance
    mutable quint32 m_generation;
};

} // namespace Model
