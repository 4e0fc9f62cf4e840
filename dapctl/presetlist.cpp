#include "dapctl/presetlist.h"

#include "dapctl/unitlink.h"
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

std::optional<PresetList> PresetList::read(UnitLink &link, QString &error)
{
    const auto f = link.read({Proto::OpBlock, Proto::Module::Preset, Proto::PresetCmd::List, {}});
    if (!f) {
        error = link.errorString();
        return std::nullopt;
    }
    const auto list = parse(*f);
    if (!list)
        error = QStringLiteral("the unit's preset list has %1 bytes, not %2")
                    .arg(f->payload.size())
                    .arg(AnswerLength);
    return list;
}
