#include "calc/gearchange.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

Sheet moved(const MeasuredSheet& measured, const Ratings& unit, double rating) {
    Ratings ratings{};
    for (std::size_t i = 0; i < ratings.size(); ++i) {
        ratings[i] = unit[i] * rating;
    }
    return withRatings(measured.sheet, ratings, measured.discipline, measured.hasteMode);
}

// Where, within [left, right], the attribute brings the sheet to the cap:
// the over-cap amount changes sign there (it is monotone in the rating).
template <typename Over> bool reachesCap(const Over& over, double left, double right, double& at) {
    double low = over(left);
    const double high = over(right);
    if (!(low < 0 && high >= 0) && !(low > 0 && high <= 0)) {
        return false;
    }
    for (int step = 0; step < 100; ++step) {
        const double middle = left + (right - left) / 2;
        const double value = over(middle);
        if ((value < 0) == (low < 0) && value != 0) {
            left = middle;
            low = value;
        } else {
            right = middle;
        }
    }
    at = right;
    return true;
}

CurveNumbers curveOf(const MeasuredSheet& measured, std::size_t row, double range) {
    CurveNumbers curve;
    curve.row = row;
    Ratings unit{};
    unit[row] = 1;
    const auto change = [&](double rating) {
        return changePercent(measured.sheet, moved(measured, unit, rating));
    };
    for (std::size_t i = 0; i < kCurvePoints; ++i) {
        const double rating = -range + 2 * range * static_cast<double>(i) / (kCurvePoints - 1);
        curve.points.push_back({rating, change(rating)});
    }
    for (const Cap cap : kCaps) {
        const auto over = [&](double rating) { return overCap(cap, moved(measured, unit, rating)); };
        double at = 0;
        if (over(-range) != over(range) && reachesCap(over, -range, range, at)) {
            at = std::round(at * 1e9) / 1e9; // the bisection's last bits are no part of the answer
            curve.caps.push_back({cap, {at, change(at)}});
        }
    }
    return curve;
}

} // namespace

WornChange wornChange(const Sheet& base, const Sheet& worn) {
    WornChange change;
    change.percent = changePercent(base, worn);
    for (std::size_t i = 0; i < std::size(kCaps); ++i) {
        change.swallowed[i] =
            (std::max(0.0, overCap(kCaps[i], worn)) - std::max(0.0, overCap(kCaps[i], base))) *
            capRatingPerPercent(kCaps[i]);
    }
    return change;
}

Sheet withSetPutOn(const Sheet& sheet, const Ratings& cells, bool hasteMode) {
    Sheet worn = sheet;
    worn.attack += cells[1];
    worn.hit += cells[2] / kModelHitRating;
    worn.critical += cells[3] / kModelCriticalRating;
    worn.criticalEffect += cells[4] / kModelCriticalEffectRating;
    worn.overcome += cells[5];
    worn.strain += cells[6] / kTakeOffStrainRating;
    if (hasteMode) {
        worn.haste += cells[kHasteRow] / kModelHasteRating;
    }
    return worn;
}

Sheet sheetWearing(const MeasuredSheet& measured, const std::vector<Ratings>& sets, std::size_t set,
                   bool set1Worn) {
    if (!set1Worn && set == 0) {
        return withSetPutOn(measured.sheet, sets[0], measured.hasteMode);
    }
    Ratings added = sets[set];
    if (set1Worn) {
        for (std::size_t row = 0; row < added.size(); ++row) {
            added[row] = sets[set][row] - sets[0][row];
        }
    }
    return withRatings(measured.sheet, added, measured.discipline, measured.hasteMode);
}

std::vector<std::size_t> ranked(const std::vector<double>& values) {
    const auto before = [&](std::size_t a, std::size_t b) { // a ranks above b
        if (!std::isfinite(values[a])) {
            return false;
        }
        return !std::isfinite(values[b]) || values[a] > values[b];
    };
    std::vector<std::size_t> order;
    for (std::size_t index = 0; index < values.size(); ++index) {
        auto place = order.begin();
        while (place != order.end() && !before(index, *place)) {
            ++place;
        }
        order.insert(place, index);
    }
    return order;
}

std::vector<CurveNumbers> gainCurves(const MeasuredSheet& measured, double range) {
    std::vector<CurveNumbers> curves;
    for (std::size_t row = 0; row < Ratings().size(); ++row) {
        if ((row == kPrimaryRow && measured.discipline == nullptr) ||
            (row == kHasteRow && !measured.hasteMode)) {
            continue;
        }
        curves.push_back(curveOf(measured, row, range));
    }
    return curves;
}

std::array<double, std::size(kCaps)> headroom(const Sheet& sheet) {
    std::array<double, std::size(kCaps)> room{};
    for (std::size_t i = 0; i < std::size(kCaps); ++i) {
        room[i] = -overCap(kCaps[i], sheet) * capRatingPerPercent(kCaps[i]);
    }
    return room;
}

} // namespace velmora
