#include "view/gearinsight.h"

#include "form/fields.h"
#include "form/numbertext.h"
#include "view/controlnames.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>

namespace velmora {

namespace {

// The caps' names, in kCaps' order.
constexpr const char* kCapNames[] = {"命中", "无双", "会心"};
static_assert(std::size(kCapNames) == std::size(kCaps));

const char* capName(Cap cap) {
    return kCapNames[static_cast<std::size_t>(cap)];
}

// Rating points as shown: to a tenth of a point.
std::string pointsText(double points) {
    if (!std::isfinite(points) || std::fabs(points) > 1e15) {
        return "超出计算范围";
    }
    return NumberToText(std::round(points * 10) / 10, Precision::Double);
}

// Rating to the cap in whole points, as a player adds them: short of it,
// rounded up, so that adding them reaches it; over it, rounded down, so that
// taking them away loses nothing. A millionth of a point is the model's
// rounding, not a point short.
std::string wholePointsText(double room) {
    const double settled = std::round(room * 1e6) / 1e6;
    return pointsText(settled >= 0 ? std::ceil(settled) : std::floor(-settled));
}

// The parts one after another: one function for every text made here.
std::string join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text += part;
    }
    return text;
}

std::string twoDigits(long long value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// A curve's name: the primary attribute through the discipline, else its
// row's name in the gear grid ("命中等级").
std::string curveName(const MeasuredSheet& measured, std::size_t row) {
    return row == kPrimaryRow ? std::string(measured.discipline->primaryAttribute)
                              : std::string(kControls[rowNameOf(field::kGearSet1.cells[row])].text);
}

GainCurve curveOf(const MeasuredSheet& measured, const CurveNumbers& numbers, double range,
                  std::size_t index) {
    GainCurve curve;
    const CurveStyle& style = kCurveStyles[index % std::size(kCurveStyles)];
    curve.colour = style.light;
    curve.darkColour = style.dark;
    curve.dashes = style.dashes;
    curve.name = curveName(measured, numbers.row);
    curve.points = numbers.points;
    const std::string reach = pointsText(range);
    curve.summary = join({curve.name, "：-", reach, " 点 ", percentText(curve.points.front().percent), "，+",
                          reach, " 点 ", percentText(curve.points.back().percent)});
    for (const CapCrossing& crossing : numbers.caps) {
        const double at = crossing.at.rating;
        // Neighbouring curves' marks take turns above and below their points.
        curve.caps.push_back({crossing.at, join({capName(crossing.cap), "上限"}), index % 2 == 1});
        curve.summary +=
            join({"，", at >= 0 ? "+" : "", pointsText(at), " 点处到", capName(crossing.cap), "上限"});
    }
    return curve;
}

// A step of 1, 2 or 5 times a power of ten that cuts the span into about
// four parts.
double niceStep(double span) {
    if (!(span > 0) || !std::isfinite(span)) {
        return 1;
    }
    const double raw = span / 4;
    const double power = std::pow(10, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (raw <= factor * power) {
            return factor * power;
        }
    }
    return 10 * power;
}

void setAxes(GainPicture& picture, double range) {
    picture.left = -range;
    picture.right = range;
    for (const double rating : {-range, -range / 2, 0.0, range / 2, range}) {
        picture.ratingTicks.push_back({rating, NumberToText(rating, Precision::Double)});
    }
    double low = 0;
    double high = 0;
    for (const GainCurve& curve : picture.curves) {
        for (const CurvePoint& point : curve.points) {
            if (std::isfinite(point.percent)) {
                low = std::min(low, point.percent);
                high = std::max(high, point.percent);
            }
        }
    }
    const double step = niceStep(high - low);
    const double first = std::floor(low / step);
    const double last = std::ceil(high / step);
    picture.bottom = first * step;
    picture.top = std::max(last, first + 1) * step;
    for (double k = first; k <= last && picture.percentTicks.size() < 20; ++k) {
        const double value = k * step;
        picture.percentTicks.push_back({value, NumberToText(value == 0 ? 0 : value, Precision::Double)});
    }
}

} // namespace

std::string swallowedText(const WornChange& change) {
    std::string text;
    for (std::size_t cap = 0; cap < std::size(kCaps); ++cap) {
        if (change.swallowed[cap] >= 0.05) {
            text += join({text.empty() ? "" : "，", capName(kCaps[cap]), "溢出 ",
                          pointsText(change.swallowed[cap]), " 点"});
        }
    }
    return text;
}

std::string percentText(double percent) {
    if (!std::isfinite(percent)) {
        return "超出计算范围";
    }
    if (std::fabs(percent) >= 1e13) {
        return join({percent > 0 ? "+" : "", NumberToText(percent, Precision::Double), " %"});
    }
    const long long hundredths = std::llround(percent * 100);
    const long long whole = std::llabs(hundredths);
    const std::string sign = hundredths > 0 ? "+" : hundredths < 0 ? "-" : "";
    return join({sign, NumberToText(static_cast<double>(whole / 100), Precision::Double), ".",
                 twoDigits(whole % 100), " %"});
}

ExactChanges exactChanges(const MeasuredSheet& measured, const std::vector<Ratings>& sets, bool set1Worn,
                          const std::vector<std::string>& names, const std::vector<double>& totals) {
    if (!hasDamage(measured.sheet)) {
        return {std::string(kNoDamage), {}, false, {}};
    }
    ExactChanges result;
    result.basis = set1Worn
                       ? "各套装备换下第一套后，期望伤害的实际变化（已计入各项上限）："
                       : "第一套已脱下：各套装备加到当前面板上后，期望伤害的实际变化（已计入各项上限）：";
    for (std::size_t set = 0; set < sets.size(); ++set) {
        const WornChange worn = wornChange(measured.sheet, sheetWearing(measured, sets, set, set1Worn));
        SetChange change{names[set], worn.percent, {}, {}, {}};
        change.change = percentText(change.percent);
        change.swallowed = swallowedText(worn);
        change.row = change.swallowed.empty()
                         ? join({change.set, " ", change.change})
                         : join({change.set, " ", change.change, "（", change.swallowed, "）"});
        result.sets.push_back(change);
    }
    std::vector<double> percents;
    for (const SetChange& set : result.sets) {
        percents.push_back(set.percent);
    }
    const std::vector<std::size_t> exact = ranked(percents);
    const std::vector<std::size_t> straight = ranked(totals);
    result.orderDiffers = exact != straight;
    result.order = "实际提升从高到低：";
    for (std::size_t i = 0; i < exact.size(); ++i) {
        result.order += (i == 0 ? "" : "、") + names[exact[i]];
    }
    // The exact change counts the caps; the totals, a straight line, do not.
    result.order += result.orderDiffers ? "（与总收益的排序不同，以实际提升为准）" : "（与总收益的排序相同）";
    return result;
}

namespace {

// Where two curves part between two points: at a cap of either between them
// (the curves bend there), else at the last point they share.
double partingAt(const GainCurve& a, const GainCurve& b, double shared, double next) {
    double at = shared;
    for (const GainCurve* curve : {&a, &b}) {
        for (const CapMark& cap : curve->caps) {
            const double rating = cap.at.rating;
            if ((shared < rating && rating < next) || (next < rating && rating < shared)) {
                at = std::fabs(rating - shared) < std::fabs(at - shared) || at == shared ? rating : at;
            }
        }
    }
    return at;
}

// The longest stretch of at least three points over which two curves give
// the same change at the same ratings: they run as one line there.
std::optional<std::pair<double, double>> sharedStretch(const GainCurve& a, const GainCurve& b) {
    std::optional<std::pair<double, double>> longest;
    std::size_t run = 0;
    const std::size_t n = std::min(a.points.size(), b.points.size());
    for (std::size_t k = 0; k <= n; ++k) {
        const bool same = k < n && a.points[k].rating == b.points[k].rating &&
                          std::fabs(a.points[k].percent - b.points[k].percent) <=
                              1e-9 * std::max(1.0, std::fabs(a.points[k].percent));
        if (same) {
            ++run;
            continue;
        }
        if (run >= 3 && (!longest || a.points[k - 1].rating - a.points[k - run].rating >
                                         longest->second - longest->first)) {
            const std::size_t first = k - run, last = k - 1;
            longest = std::pair{
                first > 0 ? partingAt(a, b, a.points[first].rating, a.points[first - 1].rating)
                          : a.points[first].rating,
                k < n ? partingAt(a, b, a.points[last].rating, a.points[k].rating) : a.points[last].rating};
        }
        run = 0;
    }
    return longest;
}

std::string signedPoints(double rating) {
    return join({rating > 0 ? "+" : "", pointsText(rating)});
}

} // namespace

GainPicture gainPicture(const MeasuredSheet& measured, double range) {
    GainPicture picture;
    if (hasDamage(measured.sheet)) {
        for (const CurveNumbers& numbers : gainCurves(measured, range)) {
            picture.curves.push_back(curveOf(measured, numbers, range, picture.curves.size()));
        }
    } else {
        picture.noComparison = kNoDamage;
    }
    setAxes(picture, range);
    picture.ratingAxis = "属性变化（点）";
    picture.percentAxis = "期望伤害变化（%）";
    picture.range = join({"范围 ±", pointsText(range), " 点"});
    picture.spoken = join({kGainCurvesHeading, "："});
    for (const GainCurve& curve : picture.curves) {
        picture.spoken += join({&curve == &picture.curves.front() ? "" : "；", curve.summary});
    }
    for (std::size_t i = 0; i < picture.curves.size(); ++i) {
        for (std::size_t j = i + 1; j < picture.curves.size(); ++j) {
            if (const auto stretch = sharedStretch(picture.curves[i], picture.curves[j])) {
                picture.coincide.push_back(
                    join({picture.curves[i].name, "与", picture.curves[j].name, "在 ",
                          signedPoints(stretch->first), " 至 ", signedPoints(stretch->second), " 点重合"}));
                picture.spoken += join({"；", picture.coincide.back()});
            }
        }
    }
    picture.spoken += "。";
    const auto room = headroom(measured.sheet);
    for (std::size_t cap = 0; cap < std::size(kCaps); ++cap) {
        picture.headroom.push_back(join(
            {capName(kCaps[cap]), room[cap] >= 0 ? "还差 " : "溢出 ", wholePointsText(room[cap]), " 点"}));
    }
    return picture;
}

InsightStart insightStart(const std::optional<ExactChanges>& changes,
                          const std::optional<GainPicture>& picture) {
    if (changes && !changes->sets.empty()) {
        return InsightStart::FirstRow;
    }
    return picture && picture->noComparison.empty() ? InsightStart::Chart : InsightStart::Caption;
}

InsightShown insightShown(const std::optional<ExactChanges>& changes,
                          const std::optional<GainPicture>& picture) {
    InsightShown shown;
    shown.basis = changes ? std::string_view(changes->basis) : kNoExactChanges;
    shown.order = changes && !changes->order.empty();
    shown.chart = picture && picture->noComparison.empty();
    shown.curvesNote = !picture ? kNoGainCurves : picture->noComparison;
    shown.curveControls = picture.has_value();
    return shown;
}

std::optional<ExactChanges> exactChanges(const Form& form) {
    const std::optional<SetComparison>& compared = form.setComparison();
    if (!compared) {
        return std::nullopt;
    }
    ExactChanges changes = exactChanges(compared->measured, compared->sets, compared->set1Worn,
                                        compared->names, compared->totals);
    // 计算 has measured another panel since: the rows are of the old one,
    // which each row says, so that a screen reader hears it on every row.
    if (form.gainStore() && !(form.gainStore()->measured == compared->measured)) {
        changes.stale = true;
        changes.basis = join({kStaleExactChanges, "。", changes.basis});
        for (SetChange& set : changes.sets) {
            set.row += join({"（", kStaleExactChanges, "）"});
        }
    }
    return changes;
}

std::optional<GainPicture> gainPicture(const Form& form) {
    if (!form.gainStore()) {
        return std::nullopt;
    }
    return gainPicture(form.gainStore()->measured, kCurveRanges[form.curveRange()]);
}

} // namespace velmora
