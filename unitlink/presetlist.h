#pragma once

#include "protocol/frame.h"

#include <QString>

#include <array>
#include <optional>

// The unit's preset list (op 3, module 32, cmd 1): the slot last recalled and,
// for each of the 32 slots, whether it holds a preset and its name.
struct PresetList
{
    static constexpr int Slots = 32;
    static constexpr int AnswerLength = 1 + Slots * 17;

    int current = 0;
    std::array<bool, Slots> exists{};
    std::array<QString, Slots> names;

    int count() const;

    // The read that asks for it.
    static Proto::Frame request();
    // The list from its answer; nothing for another flag or length.
    static std::optional<PresetList> parse(const Proto::Frame &frame);
    // Why an answer is no list, for a message.
    static QString describeBadAnswer(const Proto::Frame &frame);
};
