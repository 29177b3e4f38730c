#include "model/gearinsight.h"

#include "model/controlnames.h"
#include "model/fields.h"
#include "model/numbertext.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace velmora {

namespace {

// A cap, as the model has it: how far over it a sheet is, in percent (below
// it: negative), and how many rating points make one percent.
struct Cap {
    const char* name; // "命中"
    double (*over)(const Sheet&);
    double ratingPerPercent;
};
const Cap kCaps[] = {
    {"命中", [](const Sheet& s) { return s.hit - 110; }, kModelHitRating},
    {"无双", [](const Sheet& s) { return s.strain - 35; }, kModelStrainRating},
    {"会心", [](const Sheet& s) { return s.critical - criticalCap(s); }, kModelCriticalRating},
};

// Rating points as shown: to a tenth of a point.
std::string pointsText(double points) {
    if (!std::isfinite(points) || std::fabs(points) > 1e15) {
        return "超出计算范围";
    }
    return NumberToText(std::round(points * 10) / 10, Precision::Double);
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

// The attributes of the panel as curves: each with one rating point of it.
struct Attribute {
    std::string name;
    Ratings unit{};
};

std::vector<Attribute> attributesOf(const MeasuredSheet& measured) {
    std::vector<Attribute> attributes;
    for (std::size_t row = 0; row < field::kAttributes; ++row) {
        const bool primary = row == 0;
        const bool haste = row == field::kAttributes - 1;
        if ((primary && measured.discipline == nullptr) || (haste && !measured.hasteMode)) {
            continue;
        }
        Attribute attribute;
        attribute.name = primary ? std::string(measured.discipline->primaryAttribute)
                                 : std::string(kControls[rowNameOf(field::kGearSet1.cells[row])].text);
        attribute.unit[row] = 1;
        attributes.push_back(attribute);
    }
    return attributes;
}

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

// The sets from the highest to the lowest of the values, ties in the sets' order.
std::vector<std::size_t> ranked(const std::vector<double>& values) {
    std::vector<std::size_t> order;
    for (std::size_t set = 0; set < values.size(); ++set) {
        auto place = order.begin();
        while (place != order.end() && values[*place] >= values[set]) {
            ++place;
        }
        order.insert(place, set);
    }
    return order;
}

GainCurve curveOf(const MeasuredSheet& measured, const Attribute& attribute, double range) {
    GainCurve curve;
    curve.name = attribute.name;
    const auto change = [&](double rating) {
        return changePercent(measured.sheet, moved(measured, attribute.unit, rating));
    };
    for (std::size_t i = 0; i < kCurvePoints; ++i) {
        const double rating = -range + 2 * range * static_cast<double>(i) / (kCurvePoints - 1);
        curve.points.push_back({rating, change(rating)});
    }
    const std::string reach = pointsText(range);
    curve.summary = join({curve.name, "：-", reach, " 点 ", percentText(curve.points.front().percent), "，+",
                          reach, " 点 ", percentText(curve.points.back().percent)});
    for (const Cap& cap : kCaps) {
        const auto over = [&](double rating) { return cap.over(moved(measured, attribute.unit, rating)); };
        double at = 0;
        if (over(-range) != over(range) && reachesCap(over, -range, range, at)) {
            at = std::round(at * 1e9) / 1e9; // the bisection's last bits are no part of the answer
            curve.caps.push_back({{at, change(at)}, join({cap.name, "上限"})});
            curve.summary += join({"，", at >= 0 ? "+" : "", pointsText(at), " 点处到", cap.name, "上限"});
        }
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
    ExactChanges result;
    result.basis = set1Worn
                       ? "各套装备换下第一套后，期望伤害的实际变化（已计入各项上限）："
                       : "第一套已脱下：各套装备加到当前面板上后，期望伤害的实际变化（已计入各项上限）：";
    const Sheet& base = measured.sheet;
    for (std::size_t set = 0; set < sets.size(); ++set) {
        Ratings delta = sets[set];
        if (set1Worn) {
            for (std::size_t row = 0; row < delta.size(); ++row) {
                delta[row] = sets[set][row] - sets[0][row];
            }
        }
        const Sheet worn = withRatings(base, delta, measured.discipline, measured.hasteMode);
        SetChange change{names[set], changePercent(base, worn), {}, {}, {}};
        change.change = percentText(change.percent);
        for (const Cap& cap : kCaps) {
            const double swallowed =
                (std::max(0.0, cap.over(worn)) - std::max(0.0, cap.over(base))) * cap.ratingPerPercent;
            if (swallowed >= 0.05) {
                change.swallowed += join(
                    {change.swallowed.empty() ? "" : "，", cap.name, "溢出 ", pointsText(swallowed), " 点"});
            }
        }
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
    result.order += result.orderDiffers ? "（与总收益的排序不同）" : "（与总收益的排序相同）";
    return result;
}

GainPicture gainPicture(const MeasuredSheet& measured, double range) {
    GainPicture picture;
    for (const Attribute& attribute : attributesOf(measured)) {
        picture.curves.push_back(curveOf(measured, attribute, range));
    }
    setAxes(picture, range);
    picture.ratingAxis = "属性变化（点）";
    picture.percentAxis = "期望伤害变化（%）";
    picture.range = join({"范围 ±", pointsText(range), " 点"});
    for (const Cap& cap : kCaps) {
        const double room = -cap.over(measured.sheet) * cap.ratingPerPercent;
        picture.headroom.push_back(
            join({cap.name, room >= 0 ? "还差 " : "溢出 ", pointsText(std::fabs(room)), " 点"}));
    }
    return picture;
}

} // namespace velmora
