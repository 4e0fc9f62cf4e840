#pragma once

#include "protocol/frame.h"

#include <QString>

#include <array>
#include <optional>

class UnitLink;

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

    // The list from its answer; nothing for another flag or length.
    static std::optional<PresetList> parse(const Proto::Frame &frame);
    // Reads the list from the unit; nothing (the link's error) when it did
    // not answer as it should.
    static std::optional<PresetList> read(UnitLink &link, QString &error);
};
