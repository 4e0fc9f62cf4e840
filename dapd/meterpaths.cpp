#include "dapd/meterpaths.h"

#include "protocol/answerreader.h"
#include "protocol/commands.h"

#include <QStringList>

namespace MeterPaths {

namespace {

struct Group
{
    const char *name;
    quint8 module;
    quint8 cmd;
};

const Group Table[Groups] = {
    {"input", Proto::Module::InputLevel, Proto::InLevelCmd::Meter},
    {"premix", Proto::Module::PreMixLevel, Proto::PreMixCmd::Meter},
    {"output", Proto::Module::OutputLevel, Proto::OutLevelCmd::Meter},
    {"outputpre", Proto::Module::OutputLevel, Proto::OutLevelCmd::PreMeter},
};

// A channel segment: "*" (every channel) or a whole number 1..16.
bool channels(const QString &segment, QVector<int> &out)
{
    if (segment == QLatin1String("*")) {
        for (int c = 0; c < Channels; ++c)
            out.append(c);
        return true;
    }
    if (segment.isEmpty() || segment.size() > 2)
        return false;
    for (QChar ch : segment)
        if (!ch.isDigit() || ch.unicode() > 0x7f)
            return false;
    const int n = segment.toInt();
    if (n < 1 || n > Channels)
        return false;
    out.append(n - 1);
    return true;
}

} // namespace

bool isMeter(const Model::ParamId &id)
{
    return id.param <= -2 && id.param >= -1 - Groups;
}

Model::ParamId id(int group, int channel)
{
    return Model::ParamId{-2 - group, channel, 0};
}

int groupOf(const Model::ParamId &id)
{
    return isMeter(id) ? -2 - id.param : -1;
}

QString path(const Model::ParamId &id)
{
    const int g = groupOf(id);
    if (g < 0)
        return QString();
    return QStringLiteral("meter.%1.%2").arg(QLatin1String(Table[g].name)).arg(id.a + 1);
}

bool expand(const QString &pattern, QVector<Model::ParamId> &out, QString *error)
{
    const QStringList segments = pattern.split(QLatin1Char('.'));
    if (segments.constFirst() != QLatin1String("meter"))
        return false;
    const auto fail = [&] {
        if (error)
            *error = QStringLiteral(
                         "no meter is called \"%1\"; meters are meter.GROUP.N with GROUP one of "
                         "input, premix, output, outputpre and N 1..16")
                         .arg(pattern);
        return true;
    };
    // "meter" and "meter.*": every meter; "meter.GROUP" and "meter.GROUP.*":
    // the group; "meter.*.N": channel N of every group.
    const QString group = segments.value(1, QStringLiteral("*"));
    const QString channel = segments.value(2, QStringLiteral("*"));
    if (segments.size() > 3)
        return fail();
    QVector<int> chosen;
    if (!channels(channel, chosen))
        return fail();
    QVector<Model::ParamId> found;
    for (int g = 0; g < Groups; ++g) {
        if (group != QLatin1String("*") && group != QLatin1String(Table[g].name))
            continue;
        for (int c : qAsConst(chosen))
            found.append(id(g, c));
    }
    if (found.isEmpty())
        return fail();
    out += found;
    return true;
}

Proto::Frame read(int group)
{
    Proto::Frame f;
    f.op = Proto::OpBlock;
    f.module = Table[group].module;
    f.cmd = Table[group].cmd;
    f.flag = Proto::FlagRead;
    return f;
}

int groupOfAnswer(const Proto::Frame &f)
{
    if (f.op != Proto::OpBlock)
        return -1;
    for (int g = 0; g < Groups; ++g)
        if (f.module == Table[g].module && f.cmd == Table[g].cmd)
            return g;
    return -1;
}

bool levels(const Proto::Frame &f, qint8 *out)
{
    AnswerReader answer(f.flag, f.length, f.payload);
    if (!answer.exact(Channels))
        return false;
    for (int c = 0; c < Channels; ++c)
        out[c] = answer.i8(c);
    return true;
}

} // namespace MeterPaths
