// 最佳组合 in words, the same on both views: each of the best combinations with
// its change, the items it swaps ("帽子：甲 → 乙"), what the caps swallow and
// whether it is within 0.1 % of the best; what the straight line of 计算's
// gains would pick; and how much of the space the answer covers.
#pragma once

#include "calc/bestgear.h"
#include "form/gearlist.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A combination within this many percent of the best is as good to a player.
inline constexpr double kNearBestPercent = 0.1;

struct BestGearRow {
    std::string change;    // "+3.21 %"
    std::string swaps;     // "帽子：甲 → 乙；戒指：丙、丁 → 丙、戊", or kNoSwap
    std::string swallowed; // "命中溢出 90 点", or empty
    bool nearBest = false;
    std::string line; // all of it, as a screen reader hears it
};

struct BestGearAnswer {
    std::string status; // "已比较全部 2.2×10⁹ 种组合", how far a stopped search got, or why nothing compares
    bool proven = false;
    std::vector<BestGearRow> rows;
    std::string straightLine; // the straight line's pick, its exact change and what it costs
};

inline constexpr std::string_view kNoSwap = "不换装备";

// The answer as far as the search has got. gains: 计算's per-point gains in
// the grid's row order (the straight line); empty rows before a search.
BestGearAnswer bestGearAnswer(const GearList& list, const BestGearSearch& search, const Ratings& gains);

// A count of combinations as a player reads it: whole below 100000, else
// "2.2×10⁹".
std::string combinationsText(double count);

} // namespace velmora
