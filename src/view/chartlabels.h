// Where the picture of 收益曲线 puts its cap labels ("命中上限"), from the
// sizes a view measured of their texts: each near its mark, inside the
// plot, clear of every other label and every mark, and, where the plot has
// room for it, with no curve through it. The views draw the
// words where this says; they only measure.
#pragma once

#include "view/gearinsight.h"

#include <vector>

namespace velmora {

// A box in a view's pixels, y downwards.
struct PixelBox {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

struct PixelPoint {
    double x = 0, y = 0;
};

// A point of the picture in the plot's pixels: the axes' ranges of the
// picture mapped onto the plot.
PixelPoint plotPixel(const GainPicture& picture, const PixelBox& plot, const CurvePoint& point);

// The marks' radius, in pixels, as drawn (a filled circle with its outline).
inline constexpr double kCapMarkRadius = 5;

// A word where it is drawn. A cap label is as near its mark as it can be
// and nearer it than any other mark; where no such place is clear, it has a
// leader, a line from it to its mark's edge. Where no curve could miss it,
// it is drawn on a patch of the plot's colour; where the plot has no room
// clear of the other labels and the marks, it is not drawn (the headroom
// lines under the picture say where each cap is).
struct TextPlace {
    PixelBox box;
    bool shown = false;
    bool onPatch = false;
    bool leader = false;
    PixelPoint leaderFrom, leaderTo;
};

// One place per cap label, in the order of the curves and of each curve's
// caps; sizes: each label's text as measured, in the same order (only the
// width and height count).
std::vector<TextPlace> placeCapLabels(const GainPicture& picture, const PixelBox& plot,
                                      const std::vector<PixelBox>& sizes);

// The page's picture, for the chart's width and its words as the page
// measured them: its height, the plot inside it and where each word goes,
// all inside the picture and none touching another. The percent axis's name
// heads it; the ticks' words stand left of the plot and under it, then the
// rating axis's name. Where the ticks' words would touch, every other one is
// written (the one at 0 always). The picture is as tall as its width calls
// for, taller where its cap labels need the room, but never taller than the
// screen leaves it (tallest; a landscape phone keeps the legend and the
// headroom in view).
struct ChartText {
    double font = 12; // the size the text is drawn at
    // Each word's size as drawn (only width and height count), the cap
    // labels in the order of placeCapLabels, the ticks in the picture's.
    std::vector<PixelBox> capLabels, ratingTicks, percentTicks;
    PixelBox ratingAxis, percentAxis;
};
struct ChartPlan {
    double height = 0;
    PixelBox plot;
    std::vector<TextPlace> capLabels, ratingTicks, percentTicks;
    PixelBox ratingAxis, percentAxis;
};
ChartPlan planChart(const GainPicture& picture, double width, const ChartText& text, double tallest);

} // namespace velmora
