// What a gear set really changes, and where each attribute's gain runs out,
// as the views show it: the rows of 实际提升 and the picture of 收益曲线, from
// the numbers of calc/gearchange.h. Every text the views show of them is
// made here.
#pragma once

#include "calc/gearchange.h"
#include "form/form.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

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
    bool stale = false; // of a panel 计算 has measured again since
};

// Each set worn in place of set 1 (set1Worn: the panel holds set 1) or added
// to the panel as it stands (set 1 taken off). names: the sets' headings;
// totals: their 总收益 totals, for the order.
ExactChanges exactChanges(const MeasuredSheet& measured, const std::vector<Ratings>& sets, bool set1Worn,
                          const std::vector<std::string>& names, const std::vector<double>& totals);

struct CapMark {
    CurvePoint at;
    std::string text;   // "命中上限"
    bool below = false; // its words under the mark rather than above it
};

struct GainCurve {
    std::string name; // "命中等级"
    std::vector<CurvePoint> points;
    std::vector<CapMark> caps; // where the curve reaches a cap within the range
    std::string summary;       // the curve in words, for a screen reader
    std::string_view colour;   // on a light plot: "#0062A8"
    std::string_view darkColour;
    std::span<const double> dashes; // on, off, … in pixels; empty: solid
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
    // Curves that run as one line over a stretch, said so: "命中等级与无双等级在 -600 至 +45 点重合"
    std::vector<std::string> coincide;
    std::string spoken; // the whole picture in words, its name for a screen reader
    // Why there are no curves though 计算 has run: the panel does no damage
    // (kNoDamage); empty when there are curves.
    std::string_view noComparison;
};

// The window's words.
inline constexpr std::string_view kInsightCaption = "实际提升与收益曲线";
inline constexpr std::string_view kExactChangesHeading = "实际提升";
inline constexpr std::string_view kNoExactChanges = "按“总收益”后，这里列出每套装备的实际提升。";
inline constexpr std::string_view kGainCurvesHeading = "收益曲线";
inline constexpr std::string_view kNoGainCurves = "按“计算”后，这里画出各属性的收益曲线。";
inline constexpr std::string_view kNoDamage = "当前面板无伤害，无法比较。";
// The rows are of the panel of an older 计算 than the curves.
inline constexpr std::string_view kStaleExactChanges = "面板已变，按总收益更新";
inline constexpr std::string_view kWiderRange = "加宽范围";
inline constexpr std::string_view kNarrowerRange = "收窄范围";

// Where the focus goes when the window opens: on the answer the player asked
// for, the first set's row; before any 总收益, the curves in words; before any
// 计算, the window's caption. A screen reader says the window's name as it
// opens, then the line in focus.
enum class InsightStart { FirstRow, Chart, Caption };
InsightStart insightStart(const std::optional<ExactChanges>& changes,
                          const std::optional<GainPicture>& picture);

// What the window shows of its parts, for what the form holds now.
struct InsightShown {
    std::string_view basis;      // the line over the rows, or the note that there are none yet
    bool order = false;          // the line of the order
    bool chart = false;          // the curves and their legend
    std::string_view curvesNote; // in place of the curves; empty when they are drawn
    bool curveControls = false;  // the headroom lines, the range and its buttons
};
InsightShown insightShown(const std::optional<ExactChanges>& changes,
                          const std::optional<GainPicture>& picture);

// Each curve's look, in order: a colour for the light plot and one for the
// dark (each at least 4.5:1 against its plot: #efefef, #262626), and a dash
// pattern of its own in pixels (on, off, …; none: solid), so that the lines
// are told apart without colour, and a line drawn over another leaves it
// seen through its gaps.
struct CurveStyle {
    std::string_view light, dark;
    std::span<const double> dashes;
};
inline constexpr double kDashed[] = {7, 4}, kDotted[] = {2, 3}, kDashDot[] = {10, 3, 2, 3},
                        kLongDash[] = {14, 5}, kShortDashDot[] = {4, 2, 1, 2}, kSparseDots[] = {1, 5},
                        kDashDots[] = {10, 2, 2, 2};
inline constexpr CurveStyle kCurveStyles[] = {
    {"#0062A8", "#6CB4FF", {}},          {"#B34700", "#FF9A57", kDashed},
    {"#00785A", "#3CCB95", kDotted},     {"#A3367F", "#F08CCB", kDashDot},
    {"#6B5B00", "#D9C04A", kLongDash},   {"#006C8F", "#4FC8E8", kShortDashDot},
    {"#595959", "#B3B3B3", kSparseDots}, {"#7A4BB0", "#C49BFF", kDashDots}};

// Every attribute the panel has: the primary one through the discipline (if
// any), haste only in haste mode.
GainPicture gainPicture(const MeasuredSheet& measured, double range);

// The same for what the form holds: the sets as of its last 总收益, the
// curves around the panel of its last completed 计算 over its chosen range;
// none before them.
std::optional<ExactChanges> exactChanges(const Form& form);
std::optional<GainPicture> gainPicture(const Form& form);

// A change in percent as shown: a sign and two decimals ("+0.87 %", "0.00 %").
std::string percentText(double percent);

// The rating the caps swallow of a change, each at least a tenth of a point:
// "命中溢出 90 点", several joined by "，"; empty when no cap takes any.
std::string swallowedText(const WornChange& change);

} // namespace velmora
