// The player's candidate items for 最佳组合, and the list as text: one item a
// line, fields separated by tabs (what a spreadsheet copies): slot, name,
// 已穿 as 1 or 0, then the ratings in the rows of 配装测试 (根骨/元气, 内功攻击,
// 命中等级, 会心等级, 会效等级, 破防, 无双等级, 加速等级); missing trailing
// ratings are 0. Items with the same slot are alternatives.
#pragma once

#include "calc/bestgear.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velmora {

struct GearItem {
    std::string slot; // "帽子", "戒指": the player's own words
    std::string name; // free text, shown only as text
    bool worn = false;
    Ratings ratings{};
    friend bool operator==(const GearItem&, const GearItem&) = default;
};

struct GearList {
    std::vector<GearItem> items;
    friend bool operator==(const GearList&, const GearList&) = default;
};

// What the list may hold: slots, and candidates in one slot.
inline constexpr std::size_t kMaxGearSlots = 16, kMaxCandidatesPerSlot = 16;

// The first line written, which reading skips.
inline constexpr std::string_view kGearListTitles =
    "部位\t名称\t已穿\t根骨/元气\t内功攻击\t命中等级\t会心等级\t会效等级\t破防\t无双等级\t加速等级";

// Where a text cannot be read, and the warning box that says so; nothing of
// the text is taken.
struct GearListError {
    std::size_t line = 0;   // from 1
    std::size_t column = 0; // from 1, in tab-separated fields
    std::string prompt;
};
inline constexpr std::string_view kGearListErrorTitle = "无法读入装备列表";

// Whether the first line of a text holds the column titles: its third field
// is "已穿".
bool isGearListTitleLine(std::string_view line);

// Whether an 已穿 field says the item is worn ("1", spaces aside).
bool isWornField(std::string_view field);

// Reads a whole list, or says where it cannot. A first line whose third
// field is the title "已穿" holds column titles and is skipped (any other
// line is an item, never dropped unread); blank lines are skipped.
std::variant<GearList, GearListError> readGearList(std::string_view text);

// The list as text, titles first; reading it gives the same list.
std::string writeGearList(const GearList& list);

// The list as the search takes it: a slot for each slot text, in the order
// each first appears, with the index in `items` of each of its candidates.
struct SlotsOfList {
    std::vector<std::string> names;
    std::vector<GearSlot> gear; // what the search takes
    std::vector<std::vector<std::size_t>> items;
};
SlotsOfList slotsOf(const GearList& list);

} // namespace velmora
