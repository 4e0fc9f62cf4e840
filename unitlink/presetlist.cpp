#include "unitlink/presetlist.h"

#include "protocol/answerreader.h"
#include "protocol/commands.h"

int PresetList::count() const
{
    int n = 0;
    for (bool e : exists)
        n += e ? 1 : 0;
    return n;
}

std::optional<PresetList> PresetList::parse(const Proto::Frame &f)
{
    AnswerReader answer(f.flag, f.length, f.payload);
    if (!answer.exact(AnswerLength))
        return std::nullopt;
    PresetList list;
    list.current = answer.u8(0);
    for (int s = 0; s < Slots; ++s) {
        list.exists[size_t(s)] = answer.u8(1 + s * 17) != 0;
        list.names[size_t(s)] = answer.text(2 + s * 17, 16);
    }
    return list;
}

Proto::Frame PresetList::request()
{
    Proto::Frame f;
    f.op = Proto::OpBlock;
    f.module = Proto::Module::Preset;
    f.cmd = Proto::PresetCmd::List;
    f.flag = Proto::FlagRead;
    return f;
}

QString PresetList::describeBadAnswer(const Proto::Frame &f)
{
    return QStringLiteral("the unit's preset list has %1 bytes, not %2")
        .arg(f.payload.size())
        .arg(AnswerLength);
}
