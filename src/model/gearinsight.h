// What a gear set really changes, and where each attribute's gain runs out:
// the exact change of the expected damage when a set is worn (实际提升), and
// the gain curves around the panel with their caps (收益曲线). Every number
// and text the views show of them is made here.
#pragma once

#include "model/damagemodel.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The sheet 计算 measured its gains on, with its discipline and haste mode.
struct MeasuredSheet {
    Sheet sheet;
    const Discipline* discipline = nullptr;
    bool hasteMode = false;
};

struct SetChange {
    std::string set;       // "第二套"
    double percent = 0;    // the change of the expected damage
    std::string change;    // "+0.87 %"
    std::string swallowed; // "命中溢出 90 点", several joined by "，"; empty when no cap takes any
    std::string row;       // all of it as one line: "第二套 +0.87 %（命中溢出 90 点）"
};

struct ExactChanges {
    std::string basis; // what the changes are measured from
    std::vector<SetChange> sets;
    bool orderDiffers = false; // from the order of the 总收益 totals
    std::string order; // "实际提升从高到低：第二套、第一套、…" and whether 总收益 agrees
};

// Each set worn in place of set 1 (set1Worn: the panel holds set 1) or added
// to the panel as it stands (set 1 taken off). names: the sets' headings;
// totals: their 总收益 totals, for the order.
ExactChanges exactChanges(const MeasuredSheet& measured, const std::vector<Ratings>& sets, bool set1Worn,
                          const std::vector<std::string>& names, const std::vector<double>& totals);

struct CurvePoint {
    double rating = 0;  // added to the panel (negative: taken away)
    double percent = 0; // the change of the expected damage
};

struct CapMark {
    CurvePoint at;
    std::string text; // "命中上限"
};

struct GainCurve {
    std::string name; // "命中等级"
    std::vector<CurvePoint> points;
    std::vector<CapMark> caps; // where the curve reaches a cap within the range
    std::string summary;       // the curve in words, for a screen reader
};

struct Tick {
    double value = 0;
    std::string text;
};

struct GainPicture {
    std::vector<GainCurve> curves;
    double left = 0, right = 0, bottom = 0, top = 0; // the axes' ranges
    std::vector<Tick> ratingTicks, percentTicks;
    std::string ratingAxis, percentAxis, range; // "属性变化（点）", "期望伤害变化（%）", "范围 ±600 点"
    std::vector<std::string> headroom; // "命中还差 45 点"
};

// The window's words.
inline constexpr std::string_view kInsightCaption = "实际提升与收益曲线";
inline constexpr std::string_view kExactChangesHeading = "实际提升";
inline constexpr std::string_view kNoExactChanges = "按“总收益”后，这里列出每套装备的实际提升。";
inline constexpr std::string_view kGainCurvesHeading = "收益曲线";
inline constexpr std::string_view kNoGainCurves = "按“计算”后，这里画出各属性的收益曲线。";
inline constexpr std::string_view kWiderRange = "加宽范围";
inline constexpr std::string_view kNarrowerRange = "收窄范围";

// The ranges the player can choose, in rating points either side of the panel.
inline constexpr std::array<double, 5> kCurveRanges{150, 300, 600, 1200, 2400};
inline constexpr std::size_t kDefaultCurveRange = 2;
// Points a curve is drawn through.
inline constexpr std::size_t kCurvePoints = 121;

// Every attribute the panel has: the primary one through the discipline (if
// any), haste only in haste mode.
GainPicture gainPicture(const MeasuredSheet& measured, double range);

// A change in percent as shown: a sign and two decimals ("+0.87 %", "0.00 %").
std::string percentText(double percent);

} // namespace velmora
