// What a change of gear really does to the model: the exact change of the
// expected damage when a set is worn, caps included (实际提升), and the
// change along each attribute around the sheet (收益曲线). Numbers only; the
// words and the picture are the view's.
#pragma once

#include "calc/damagemodel.h"

#include <array>
#include <cstddef>
#include <vector>

namespace velmora {

// The sheet 计算 measured its gains on, with its discipline and haste mode.
struct MeasuredSheet {
    Sheet sheet;
    const Discipline* discipline = nullptr;
    bool hasteMode = false;
    friend bool operator==(const MeasuredSheet&, const MeasuredSheet&) = default;
};

// A change of gear from one sheet to another: the change in percent (NaN
// where the first does no damage), and the rating each cap (in kCaps' order)
// swallows of it.
struct WornChange {
    double percent = 0;
    std::array<double, std::size(kCaps)> swallowed{};
};
WornChange wornChange(const Sheet& from, const Sheet& to);

// The sheet wearing set `set` of the grid: in place of set 1 where set 1 is
// worn; else added to the panel, set 1 itself exactly as 穿第一套装备 puts it
// on (withSetPutOn), so that its change is the one that button makes.
Sheet sheetWearing(const MeasuredSheet& measured, const std::vector<Ratings>& sets, std::size_t set,
                   bool set1Worn);

// The sheet as 穿第一套装备 leaves the panel: each cell moves its own row
// alone (the primary attribute's row moves nothing the model reads), rates by
// their take-off divisors (strain by kTakeOffStrainRating), haste only in
// haste mode.
Sheet withSetPutOn(const Sheet& sheet, const Ratings& cells, bool hasteMode);

// The indices from the highest value to the lowest, ties in index order; a
// value that is not finite (no comparison, or beyond the range) comes last.
std::vector<std::size_t> ranked(const std::vector<double>& values);

struct CurvePoint {
    double rating = 0;  // added to the panel (negative: taken away)
    double percent = 0; // the change of the expected damage
};

struct CapCrossing {
    Cap cap;
    CurvePoint at;
};

// One attribute's curve: its row of Ratings, the points, and where within the
// range it brings the sheet to a cap.
struct CurveNumbers {
    std::size_t row = 0;
    std::vector<CurvePoint> points;
    std::vector<CapCrossing> caps;
};

// The ranges the player can choose, in rating points either side of the panel.
inline constexpr std::array<double, 5> kCurveRanges{150, 300, 600, 1200, 2400};
inline constexpr std::size_t kDefaultCurveRange = 2;
// Points a curve is drawn through.
inline constexpr std::size_t kCurvePoints = 121;

// Every attribute the sheet has, in row order: the primary one only with a
// discipline, haste only in haste mode.
std::vector<CurveNumbers> gainCurves(const MeasuredSheet& measured, double range);

// Rating still to add before each cap (negative: over it by that much), in kCaps' order.
std::array<double, std::size(kCaps)> headroom(const Sheet& sheet);

} // namespace velmora
