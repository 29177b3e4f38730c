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
};

// A set worn on the sheet: the change in percent, and the rating each cap
// (in kCaps' order) swallows of it.
struct WornChange {
    double percent = 0;
    std::array<double, std::size(kCaps)> swallowed{};
};
WornChange wornChange(const MeasuredSheet& measured, const Ratings& added);

// What wearing set `set` adds: the set itself, or, where set 1 is worn, the
// set less set 1.
Ratings addedBySet(const std::vector<Ratings>& sets, std::size_t set, bool set1Worn);

// The indices from the highest value to the lowest, ties in index order.
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
