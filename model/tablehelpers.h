#pragma once

// Short forms for the block tables (model/*blocks.cpp) only.

#include "model/catalogue.h"
#include "protocol/commands.h"
#include "protocol/frame.h"

namespace Model::Tables {

constexpr int Channels = 16;

inline FieldDesc at(int offset, Wire wire)
{
    return FieldDesc{offset, wire, offset, wire, 0};
}

inline FieldDesc textField(int width)
{
    return FieldDesc{0, Wire::Text, 0, Wire::Text, width};
}

// A record of 16 per-channel values read in one answer and written one
// channel at a time.
inline RecordDesc table(const char *name, quint8 op, quint8 module, quint8 cmd, int element,
                        bool exact = true)
{
    RecordDesc r;
    r.name = name;
    r.op = op;
    r.module = module;
    r.readCmd = cmd;
    r.writeCmd = cmd;
    r.shape = Shape::Table;
    r.dims = Dims::Channel;
    r.answerElement = element;
    r.writeElement = element;
    r.exact = exact;
    return r;
}

// A record read and written with its selector (a channel, or a channel and a
// band).
inline RecordDesc keyed(const char *name, quint8 module, quint8 cmd, Dims dims, int element)
{
    RecordDesc r;
    r.name = name;
    r.op = Proto::OpBlock;
    r.module = module;
    r.readCmd = cmd;
    r.writeCmd = cmd;
    r.shape = Shape::Keyed;
    r.dims = dims;
    r.answerElement = element;
    r.writeElement = element;
    return r;
}

// One value or record of the whole block.
inline RecordDesc single(const char *name, quint8 op, quint8 module, quint8 cmd, int element)
{
    RecordDesc r;
    r.name = name;
    r.op = op;
    r.module = module;
    r.readCmd = cmd;
    r.writeCmd = cmd;
    r.shape = Shape::Single;
    r.dims = Dims::None;
    r.answerElement = element;
    r.writeElement = element;
    return r;
}

inline ParamDesc number(const char *path, const char *unit, double minimum, double maximum,
                        int decimals, double initial, const char *help)
{
    ParamDesc p;
    p.path = path;
    p.kind = Kind::Number;
    p.unit = unit;
    p.minimum = minimum;
    p.maximum = maximum;
    p.decimals = decimals;
    p.step = decimals == 0 ? 1.0 : decimals == 1 ? 0.1 : decimals == 2 ? 0.01 : 0.001;
    p.initial = initial;
    p.help = help;
    return p;
}

inline ParamDesc onOff(const char *path, double initial, const char *help)
{
    ParamDesc p;
    p.path = path;
    p.kind = Kind::Switch;
    p.maximum = 1;
    p.initial = initial;
    p.help = help;
    return p;
}

inline ParamDesc choice(const char *path, QVector<NamedValue> names, double initial,
                        const char *help)
{
    ParamDesc p;
    p.path = path;
    p.kind = Kind::Choice;
    p.names = std::move(names);
    p.minimum = p.names.first().value;
    p.maximum = p.names.last().value;
    p.initial = initial;
    p.help = help;
    return p;
}

inline ParamDesc text(const char *path, int width, const char *help)
{
    ParamDesc p;
    p.path = path;
    p.kind = Kind::Text;
    p.width = width;
    p.help = help;
    return p;
}

inline ParamDesc with(ParamDesc p, quint16 flags)
{
    p.flags |= flags;
    return p;
}

} // namespace Model::Tables
