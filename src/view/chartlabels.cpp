#include "view/chartlabels.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>

namespace velmora {

namespace {

// Between a label and its mark, another label, another mark and the plot's
// edge; and the steps in which a label moves away from its mark.
constexpr double kGap = 3;

bool overlaps(const PixelBox& a, const PixelBox& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool inside(const PixelBox& box, const PixelBox& plot) {
    return box.left >= plot.left + kGap && box.right() <= plot.right() - kGap && box.top >= plot.top + kGap &&
           box.bottom() <= plot.bottom() - kGap;
}

// Whether the segment from p to q passes through the box (its part inside
// the box clipped, Liang-Barsky).
bool crosses(PixelPoint p, PixelPoint q, const PixelBox& box) {
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    const double along[] = {-dx, dx, -dy, dy};
    const double room[] = {p.x - box.left, box.right() - p.x, p.y - box.top, box.bottom() - p.y};
    double enter = 0;
    double leave = 1;
    for (int side = 0; side < 4; ++side) {
        if (along[side] == 0) {
            if (room[side] < 0) {
                return false;
            }
            continue;
        }
        const double t = room[side] / along[side];
        along[side] < 0 ? enter = std::max(enter, t) : leave = std::min(leave, t);
        if (enter > leave) {
            return false;
        }
    }
    return true;
}

using Polyline = std::vector<PixelPoint>;

struct Scene {
    std::vector<Polyline> lines;    // each curve's finite stretches
    std::vector<PixelPoint> points; // each mark's centre
    std::vector<PixelBox> marks;    // each mark with its gap around it
};

double distance(const PixelBox& box, PixelPoint point) {
    const double across = std::max({box.left - point.x, point.x - box.right(), 0.0});
    const double along = std::max({box.top - point.y, point.y - box.bottom(), 0.0});
    return std::hypot(across, along);
}

// A label nearer another mark than its own would name that one.
bool nearestItsOwn(const PixelBox& box, PixelPoint mark, const Scene& scene) {
    const double own = distance(box, mark);
    return std::all_of(scene.points.begin(), scene.points.end(),
                       [&](PixelPoint other) { return own <= distance(box, other); });
}

Scene sceneOf(const GainPicture& picture, const PixelBox& plot) {
    Scene scene;
    const double around = kCapMarkRadius + kGap;
    for (const GainCurve& curve : picture.curves) {
        Polyline stretch;
        for (const CurvePoint& point : curve.points) {
            if (!std::isfinite(point.percent)) {
                scene.lines.push_back(std::move(stretch));
                stretch.clear();
                continue;
            }
            stretch.push_back(plotPixel(picture, plot, point));
        }
        scene.lines.push_back(std::move(stretch));
        for (const CapMark& cap : curve.caps) {
            const PixelPoint at = plotPixel(picture, plot, cap.at);
            scene.points.push_back(at);
            scene.marks.push_back({at.x - around, at.y - around, 2 * around, 2 * around});
        }
    }
    return scene;
}

bool crossedByALine(const Scene& scene, const PixelBox& box) {
    return std::any_of(scene.lines.begin(), scene.lines.end(), [&](const Polyline& line) {
        for (std::size_t k = 1; k < line.size(); ++k) {
            if (crosses(line[k - 1], line[k], box)) {
                return true;
            }
        }
        return line.size() == 1 && crosses(line[0], line[0], box);
    });
}

// Every place for a label of the size given, nearest its mark first; among
// equally near ones to the right before the left, and on the side its curve
// prefers (neighbouring curves take turns) before the other.
std::vector<PixelBox> placesNear(PixelPoint mark, const PixelBox& size, bool below, const PixelBox& plot) {
    const double stepAcross = std::max(size.height / 2, 4.0);
    const double stepAlong = std::max(size.width / 4, 4.0);
    const double near = kCapMarkRadius + 2 * kGap; // clear of the mark and its gap
    std::vector<double> lefts{mark.x + near, mark.x - near - size.width};
    for (double left = plot.left; left + size.width <= plot.right(); left += stepAlong) {
        lefts.push_back(left); // over or under the mark as well
    }
    std::vector<double> tops{mark.y - size.height / 2}; // beside the mark
    const double preferred = below ? 1 : -1;
    for (const double side : {preferred, -preferred}) {
        const double first = side > 0 ? mark.y + near : mark.y - near - size.height;
        for (double top = first; top >= plot.top && top + size.height <= plot.bottom();
             top += side * stepAcross) {
            tops.push_back(top);
        }
    }
    std::vector<std::pair<double, PixelBox>> places;
    for (const double top : tops) {
        for (const double left : lefts) {
            const PixelBox box{left, top, size.width, size.height};
            places.push_back({distance(box, mark), box});
        }
    }
    std::stable_sort(places.begin(), places.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<PixelBox> boxes;
    boxes.reserve(places.size());
    for (const auto& [distance, box] : places) {
        boxes.push_back(box);
    }
    return boxes;
}

bool clearOf(const PixelBox& box, const std::vector<PixelBox>& taken) {
    const PixelBox spaced{box.left - kGap, box.top - kGap, box.width + 2 * kGap, box.height + 2 * kGap};
    return std::none_of(taken.begin(), taken.end(),
                        [&](const PixelBox& other) { return overlaps(spaced, other); });
}

struct Taken {
    std::vector<PixelBox> labels;
    std::vector<std::pair<PixelPoint, PixelPoint>> leaders;
};

// The line from a label to its mark: from the label's nearest point to the
// mark's edge.
std::pair<PixelPoint, PixelPoint> leaderOf(const PixelBox& box, PixelPoint mark) {
    const PixelPoint from{std::clamp(mark.x, box.left, box.right()),
                          std::clamp(mark.y, box.top, box.bottom())};
    const double length = std::hypot(from.x - mark.x, from.y - mark.y);
    return {from,
            {mark.x + (from.x - mark.x) * kCapMarkRadius / length,
             mark.y + (from.y - mark.y) * kCapMarkRadius / length}};
}

// Whether a label's leader would pass through another label or mark.
bool leaderBlocked(const std::pair<PixelPoint, PixelPoint>& leader, PixelPoint mark, const Scene& scene,
                   const Taken& taken) {
    const auto through = [&](const PixelBox& box) { return crosses(leader.first, leader.second, box); };
    for (std::size_t k = 0; k < scene.points.size(); ++k) {
        // Marks that touch its own it cannot help passing.
        const PixelPoint other = scene.points[k];
        const bool touching = std::hypot(other.x - mark.x, other.y - mark.y) < 2 * (kCapMarkRadius + kGap);
        if (!touching && through(scene.marks[k])) {
            return true;
        }
    }
    return std::any_of(taken.labels.begin(), taken.labels.end(), through);
}

// The nearest place clear of the labels and leaders already placed and of
// every mark, best first: nearer its own mark than any other, with no line
// through it; then with a leader to its mark, no line through it; then on a
// patch, nearest its own; then on a patch with a leader.
TextPlace placeOne(PixelPoint mark, const PixelBox& size, bool below, const PixelBox& plot,
                   const Scene& scene, const Taken& taken) {
    std::optional<TextPlace> best;
    int bestRank = 4;
    for (const PixelBox& box : placesNear(mark, size, below, plot)) {
        if (!inside(box, plot) || !clearOf(box, taken.labels) || !clearOf(box, scene.marks) ||
            std::any_of(taken.leaders.begin(), taken.leaders.end(),
                        [&](const auto& leader) { return crosses(leader.first, leader.second, box); })) {
            continue;
        }
        const bool nearest = nearestItsOwn(box, mark, scene);
        TextPlace place{box, true, false, !nearest, {}, {}};
        if (!nearest) {
            std::tie(place.leaderFrom, place.leaderTo) = leaderOf(box, mark);
            if (leaderBlocked({place.leaderFrom, place.leaderTo}, mark, scene, taken)) {
                continue;
            }
        }
        if (bestRank <= (nearest ? 0 : 1)) {
            continue; // as good a place is nearer
        }
        place.onPatch = crossedByALine(scene, box);
        const int rank = (place.onPatch ? 2 : 0) + (nearest ? 0 : 1);
        if (rank < bestRank) {
            best = place;
            bestRank = rank;
        }
        if (rank == 0) {
            break;
        }
    }
    return best.value_or(TextPlace{{mark.x, mark.y, 0, 0}, false, false, false, {}, {}});
}

bool allClean(const std::vector<TextPlace>& labels) {
    return std::all_of(labels.begin(), labels.end(),
                       [](const TextPlace& label) { return label.shown && !label.onPatch && !label.leader; });
}

} // namespace

PixelPoint plotPixel(const GainPicture& picture, const PixelBox& plot, const CurvePoint& point) {
    return {plot.left + (point.rating - picture.left) / (picture.right - picture.left) * plot.width,
            plot.bottom() - (point.percent - picture.bottom) / (picture.top - picture.bottom) * plot.height};
}

std::vector<TextPlace> placeCapLabels(const GainPicture& picture, const PixelBox& plot,
                                      const std::vector<PixelBox>& sizes) {
    std::size_t labels = 0;
    for (const GainCurve& curve : picture.curves) {
        labels += curve.caps.size();
    }
    if (sizes.size() != labels) {
        throw std::invalid_argument("placeCapLabels: one size for each cap label");
    }
    struct Mark {
        PixelPoint at;
        bool below;
    };
    std::vector<Mark> marks;
    for (const GainCurve& curve : picture.curves) {
        for (const CapMark& cap : curve.caps) {
            marks.push_back({plotPixel(picture, plot, cap.at), cap.below});
        }
    }
    const Scene scene = sceneOf(picture, plot);
    // Placed in the curves' order; where that leaves a label less than clean,
    // in the reverse order too, and the better kept.
    const auto placedInOrder = [&](bool reversed) {
        std::vector<TextPlace> places(marks.size());
        Taken taken;
        for (std::size_t k = 0; k < marks.size(); ++k) {
            const std::size_t i = reversed ? marks.size() - 1 - k : k;
            places[i] = placeOne(marks[i].at, sizes[i], marks[i].below, plot, scene, taken);
            if (places[i].shown) {
                taken.labels.push_back(places[i].box);
            }
            if (places[i].leader) {
                taken.leaders.push_back({places[i].leaderFrom, places[i].leaderTo});
            }
        }
        return places;
    };
    const auto flaws = [](const std::vector<TextPlace>& places) {
        int count = 0;
        for (const TextPlace& place : places) {
            count += place.shown ? 2 * place.onPatch + place.leader : 8;
        }
        return count;
    };
    std::vector<TextPlace> places = placedInOrder(false);
    if (flaws(places) > 0) {
        std::vector<TextPlace> reversed = placedInOrder(true);
        if (flaws(reversed) < flaws(places)) {
            places = std::move(reversed);
        }
    }
    return places;
}

namespace {

std::vector<PixelBox> writtenBoxes(const std::vector<TextPlace>& places) {
    std::vector<PixelBox> boxes;
    for (const TextPlace& place : places) {
        if (place.shown) {
            boxes.push_back(place.box);
        }
    }
    return boxes;
}

// The ticks written: all, else every other, else every fourth …, counted
// from the one at 0 (or the first), so that no two written ones touch.
std::vector<TextPlace> ticksWritten(const std::vector<Tick>& ticks, std::vector<PixelBox> boxes) {
    const auto zero =
        std::find_if(ticks.begin(), ticks.end(), [](const Tick& tick) { return tick.value == 0; });
    const long from = zero == ticks.end() ? 0 : zero - ticks.begin();
    const long count = static_cast<long>(ticks.size());
    std::vector<TextPlace> places;
    for (long stride = 1; stride == 1 || stride < 2 * count; stride *= 2) {
        places.clear();
        bool apart = true;
        for (long i = 0; i < count; ++i) {
            const bool written = (i - from) % stride == 0;
            const PixelBox& box = boxes[static_cast<std::size_t>(i)];
            apart = apart && (!written || clearOf(box, writtenBoxes(places)));
            places.push_back({box, written, false, false, {}, {}});
        }
        if (apart) {
            break;
        }
    }
    return places;
}

PixelBox sized(const std::vector<PixelBox>& sizes, std::size_t i, const char* what) {
    if (i >= sizes.size()) {
        throw std::invalid_argument(std::string("planChart: too few sizes of ") + what);
    }
    return sizes[i];
}

double widest(const std::vector<PixelBox>& sizes) {
    double width = 0;
    for (const PixelBox& size : sizes) {
        width = std::max(width, size.width);
    }
    return width;
}

} // namespace

ChartPlan planChart(const GainPicture& picture, double width, const ChartText& text, double tallest) {
    if (text.ratingTicks.size() != picture.ratingTicks.size() ||
        text.percentTicks.size() != picture.percentTicks.size()) {
        throw std::invalid_argument("planChart: one size for each tick");
    }
    double line = std::max(text.ratingAxis.height, text.percentAxis.height);
    for (const auto* sizes : {&text.ratingTicks, &text.percentTicks}) {
        for (const PixelBox& size : *sizes) {
            line = std::max(line, size.height);
        }
    }
    const double firstTick = text.ratingTicks.empty() ? 0 : text.ratingTicks.front().width / 2;
    const double lastTick = text.ratingTicks.empty() ? 0 : text.ratingTicks.back().width / 2;
    // The percent axis's name, then half a tick's words over the plot's top;
    // under the plot half a tick's words (the lowest percent tick's), the
    // rating ticks' words and the rating axis's name.
    const double left = std::max(widest(text.percentTicks) + 2 * kGap, firstTick) + kGap;
    const double right = std::max(lastTick, text.font / 2) + kGap;
    const double top = 1.5 * line + 2 * kGap;
    const double under = 2.5 * line + 3 * kGap;
    const auto planAt = [&](double height) {
        ChartPlan plan{height, {left, top, width - left - right, height - top - under}, {}, {}, {}, {}, {}};
        plan.capLabels = placeCapLabels(picture, plan.plot, text.capLabels);
        return plan;
    };
    const double lowest = std::max(10 * text.font, top + under + 4 * line);
    const double highest = std::max(lowest, std::min(tallest, 40 * text.font));
    const double designed = std::round(std::min(std::max(width * 0.55, 14 * text.font), 24 * text.font));
    ChartPlan plan = planAt(std::clamp(designed, lowest, highest));
    while (!allClean(plan.capLabels) && plan.height + text.font <= highest) {
        plan = planAt(plan.height + text.font);
    }
    const PixelBox& plot = plan.plot;
    const double tickTop = plot.bottom() + line / 2 + kGap;
    std::vector<PixelBox> boxes;
    for (std::size_t i = 0; i < picture.ratingTicks.size(); ++i) {
        const PixelBox size = sized(text.ratingTicks, i, "rating ticks");
        const double x = plotPixel(picture, plot, {picture.ratingTicks[i].value, picture.bottom}).x;
        boxes.push_back({x - size.width / 2, tickTop, size.width, size.height});
    }
    plan.ratingTicks = ticksWritten(picture.ratingTicks, boxes);
    boxes.clear();
    for (std::size_t i = 0; i < picture.percentTicks.size(); ++i) {
        const PixelBox size = sized(text.percentTicks, i, "percent ticks");
        const double y = plotPixel(picture, plot, {picture.left, picture.percentTicks[i].value}).y;
        boxes.push_back({plot.left - 2 * kGap - size.width, y - size.height / 2, size.width, size.height});
    }
    plan.percentTicks = ticksWritten(picture.percentTicks, boxes);
    plan.ratingAxis = {plot.left + (plot.width - text.ratingAxis.width) / 2, tickTop + line + kGap,
                       text.ratingAxis.width, text.ratingAxis.height};
    plan.percentAxis = {0, 0, text.percentAxis.width, text.percentAxis.height};
    return plan;
}

} // namespace velmora
