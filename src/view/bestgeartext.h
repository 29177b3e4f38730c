// 最佳组合 in words, the same on both views: each of the best combinations with
// its change, the items it swaps ("帽子：甲 → 乙"), what the caps swallow and
// whether it is within 0.1 % of the best; what the straight line of 计算's
// gains would pick; and how much of the space the answer covers.
#pragma once

#include "calc/bestgear.h"
#include "form/gainstore.h"
#include "form/gearcandidates.h"
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

// The window of 最佳组合, the same on both views.
inline constexpr std::string_view kBestGearCaption = "最佳组合";
inline constexpr std::string_view kGearListName = "装备列表";
inline constexpr std::string_view kGearListRules =
    "在表格中每行填一件装备。同一部位的装备互为候选，该部位勾选已穿的件数即可穿的件数。"
    "最多 16 个部位，每个部位最多 16 件。按“读入列表”后用于比较。";
// The text area below the grid holds the same list as text.
inline constexpr std::string_view kGearTextRules =
    "下面的列表与表格是同一份内容，可直接粘贴表格：每行一件装备，各项以 Tab 分隔：部位、名称、已穿（1 或 "
    "0）、根骨/元气、内功攻击、命中等级、会心等级、会效等级、破防、无双等级、加速等级，末尾缺的等级为 0。";
// Tab types a separator inside the list; how the keyboard leaves it.
inline constexpr std::string_view kGearListKeysDesktop = "在列表中按 Tab 输入分隔符，按 Ctrl+Tab 离开列表。";
inline constexpr std::string_view kGearListKeysPage =
    "在列表中按 Tab 输入分隔符，先按 Esc 再按 Tab 离开列表。";
inline constexpr std::string_view kReadGearList = "读入列表", kWriteGearList = "写出列表",
                                  kStartSearch = "开始比较", kStopSearch = "停止", kContinueSearch = "继续";
inline constexpr std::string_view kStraightLineHeading = "对照";

// What the window shows now: the list read in, where the search stands, its
// rows, the straight line's pick, and which buttons do something.
struct BestGearShown {
    std::string list;   // "已读入 5 个部位、23 件装备"
    std::string status; // the answer's status, or what to do first
    std::vector<BestGearRow> rows;
    std::string straightLine;
    bool canStart = false, canStop = false, canContinue = false;
    bool running = false; // the view asks for the next slice (kSearchSliceSteps)
};
// panel: the gains of the last 计算, if any.
BestGearShown bestGearShown(const GearCandidates& candidates, const std::optional<GainStore>& panel);

// A count of combinations as a player reads it: whole below 100000, else
// "2.2×10⁹".
std::string combinationsText(double count);

} // namespace velmora
