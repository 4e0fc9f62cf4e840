#pragma once

#include <QString>
#include <QVector>

#include <optional>

// The descriptors of the unit model: every record the unit reads and writes,
// and every parameter a record holds, written once in the block tables
// (model/*blocks.cpp). Pages, dapctl, backups and the control server read them;
// none of them knows a record's layout of its own.
namespace Model {

class UnitState;
struct ParamId;
struct RecordId;

// How a field sits in a record's bytes (little-endian).
enum class Wire : quint8
{
    U8,
    I8,
    U16,
    U32,
    F32,
    Text,    // a text in the unit's codec, `width` bytes at most
    Version, // three bytes, major, minor, patch: read as the text "2.8.0"
    Ipv4,    // an IPv4 address as u32: read as the text "192.168.1.10"
};

int wireSize(Wire wire, int width);

// What a parameter is to the operator.
enum class Kind : quint8
{
    Number, // a value with a unit, a range and a step
    Choice, // one of named values
    Switch, // on or off
    Text,   // a text of at most `width` bytes in the unit's codec
};

// Which indices a parameter's path carries, in the order they are written.
enum class Dims : quint8
{
    None,        // "generator.frequency"
    Channel,     // "input.3.gain": 16 channels
    ChannelBand, // "input.3.eq.2.gain": 16 channels of 16 bands
    InputOutput, // "matrix.3.5.gain": input, then output
};

int indexCount(Dims dims);
int instanceCount(Dims dims);

// How a record travels.
enum class Shape : quint8
{
    // Read without a selector; the answer holds one element per channel,
    // channel 0 first; a write is the channel byte and that channel's element.
    Table,
    // Read with a selector (the channel, or the channel and the band); the
    // answer and the write are the selector and the element.
    Keyed,
    // A matrix row: read with the output; the answer is the output and one
    // element per input; a write is the output, the inputs it applies to and
    // one element for them all.
    Row,
    // Read without a selector; the answer and the write are the element.
    Single,
};

// One field of a record: where it sits in an answer's element and in a
// write's element (they differ only where the unit writes a value in another
// form than it reports it).
struct FieldDesc
{
    int answerOffset = 0;
    Wire answerWire = Wire::U8;
    int writeOffset = 0;
    Wire writeWire = Wire::U8;
    int width = 0; // Text only
};

struct RecordDesc
{
    const char *name = ""; // for messages: "input filter high-pass"
    quint8 op = 0;
    quint8 module = 0;
    quint8 readCmd = 0;
    quint8 writeCmd = 0; // 0: the unit takes no write of it
    Shape shape = Shape::Table;
    Dims dims = Dims::None;
    int answerElement = 0; // bytes of one element in an answer
    int writeElement = 0;  // bytes of one element in a write
    // Table answers: the number of elements must be exactly 16 (true), or
    // any number of elements is taken, at most 16 used (false). Keyed
    // answers: exactly the selector and one element (true), or at least
    // that, the rest ignored (false). Single text answers take any length.
    bool exact = true;
    QVector<FieldDesc> fields;
    QVector<int> params; // the parameters it holds, by field
    // Brings the fields of one answer into agreement before they are kept
    // (an AGC's threshold never above its target), or nullptr. A field
    // without a value was not readable and keeps the parameter as it is.
    void (*fixup)(const UnitState &state, const RecordId &rec,
                  QVector<std::optional<double>> &values) = nullptr;
};

// A named value of a choice (its value on the wire, its name in a path's
// value), or one entry of a number's table (the wire holds its index).
struct NamedValue
{
    double value;
    const char *name;
};

enum ParamFlag : quint16
{
    ReadOnly = 1, // the unit reports it; nothing writes it
    Derived = 2,  // computed from other parameters; not kept in a backup
    RunTime = 4,  // identity and figures of the moment: no backup, no diff
    // A whole number (a float on the wire holding one): an edit is truncated
    // toward zero, and so is a value the unit reports ...
    Whole = 8,
    // ... or, for these, a value the unit reports is rounded (halves away
    // from zero), with or without Whole.
    WholeRound = 16,
    // A value the unit reports is also brought into the range the rest of the
    // state gives (a level within its channel's limits).
    AnswerInRange = 32,
    Optional = 64, // a unit may refuse its read (it has no such block)
    // An edit keeps a fraction finer than `decimals` (a frequency dragged on
    // the graph); other numbers are rounded to their decimals as their
    // controls round them.
    KeepsFraction = 128,
};

// Rules of a parameter beyond its range, written where the block's tables are.
struct ParamRules
{
    // The range of the value given the rest of the state (the input gain's
    // depends on the mode, a level's on its limits), or nullptr for the
    // descriptor's range.
    void (*range)(const UnitState &state, const ParamId &id, double *minimum,
                  double *maximum) = nullptr;
    // The value as the wire holds it, and back (a level at the bottom of its
    // scale is sent as -100), or nullptr for the value itself.
    double (*toWire)(double value) = nullptr;
    double (*fromWire)(double value) = nullptr;
    // A value the unit reports that no control offers is taken as this one
    // (a preamplifier step index above 8 reads as 7); nullptr leaves the
    // parameter as it was.
    double (*sanitize)(double value) = nullptr;
    // A derived parameter: its value from the state, and an edit of it
    // written into the parameters it is derived from.
    double (*compute)(const UnitState &state, const ParamId &id) = nullptr;
    void (*assign)(UnitState &state, const ParamId &id, double value) = nullptr;
    // What an operator's edit of the parameter changes besides it (a change of
    // an input's mode leaves the input at 0 dB).
    void (*afterEdit)(UnitState &state, const ParamId &id) = nullptr;
};

struct ParamDesc
{
    const char *path = ""; // '#' stands for an index: "input.#.eq.#.gain"
    Kind kind = Kind::Number;
    Dims dims = Dims::None;
    const char *unit = ""; // "dB", "Hz", "ms", "" for none
    double minimum = 0;
    double maximum = 0;
    double step = 1;  // of a control; whole numbers when 1 and decimals 0
    int decimals = 0; // kept and shown
    // Choice: the named values. Number with a table: its entries, the wire
    // holding the entry's index.
    QVector<NamedValue> names;
    int width = 0; // Text: bytes on the unit
    double initial = 0;
    // Per-index initial values (a band's frequency), overriding `initial`
    // for index 0..n-1 of the last dimension.
    QVector<double> initials;
    QString initialText;
    quint16 flags = 0;
    ParamRules rules;
    int record = -1; // -1 for a derived parameter
    int field = 0;
    const char *help = ""; // one line for "dapctl paths"

    bool is(ParamFlag f) const { return (flags & f) != 0; }
    bool hasTable() const { return kind == Kind::Number && !names.isEmpty(); }
};

} // namespace Model
