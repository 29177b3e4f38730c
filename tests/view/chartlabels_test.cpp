#include "view/chartlabels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

namespace velmora {
namespace {

bool apart(const PixelBox& a, const PixelBox& b) {
    return a.right() <= b.left || b.right() <= a.left || a.bottom() <= b.top || b.bottom() <= a.top;
}

// Whether the segment passes through the box, walked in steps of a quarter
// pixel (the box's outer half pixel, where antialiasing only grazes it, left
// out).
bool runsThrough(PixelPoint p, PixelPoint q, const PixelBox& box) {
    const int steps = 1 + static_cast<int>(4 * std::hypot(q.x - p.x, q.y - p.y));
    for (int s = 0; s <= steps; ++s) {
        const double x = p.x + (q.x - p.x) * s / steps;
        const double y = p.y + (q.y - p.y) * s / steps;
        if (x > box.left + 0.5 && x < box.right() - 0.5 && y > box.top + 0.5 && y < box.bottom() - 0.5) {
            return true;
        }
    }
    return false;
}

bool aLineRunsThrough(const GainPicture& picture, const PixelBox& plot, const PixelBox& box) {
    for (const GainCurve& curve : picture.curves) {
        for (std::size_t k = 1; k < curve.points.size(); ++k) {
            if (runsThrough(plotPixel(picture, plot, curve.points[k - 1]),
                            plotPixel(picture, plot, curve.points[k]), box)) {
                return true;
            }
        }
    }
    return false;
}

struct Drawn {
    GainPicture picture;
    double font = 12;
    std::vector<PixelBox> sizes;
};

// A sheet about the caps at one of the ranges a player can pick, with its
// labels' sizes for text of 12 to 24 px.
Drawn drawnAt(std::mt19937& random, int trial) {
    const auto between = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const double ranges[] = {150, 300, 600, 1200, 2400};
    const Sheet sheet{between(5000, 30000),
                      between(80, 125),
                      between(0, 70),
                      between(150, 300),
                      between(0, 6000),
                      between(10, 55),
                      0};
    Drawn drawn{
        gainPicture({sheet, &kDisciplines[trial % 7], false}, ranges[trial % 5]), between(12, 24), {}};
    for (const GainCurve& curve : drawn.picture.curves) {
        for (std::size_t cap = 0; cap < curve.caps.size(); ++cap) {
            drawn.sizes.push_back({0, 0, drawn.font * 4 + between(0, 4), drawn.font * 1.3});
        }
    }
    return drawn;
}

// Each label drawn inside the plot, apart from every other label and every
// mark, nearest its own or with a leader to it through no other label, as
// large as measured; none but one on a patch with a line through it.
void expectClear(const Drawn& drawn, const PixelBox& plot, const std::vector<TextPlace>& placed) {
    ASSERT_EQ(placed.size(), drawn.sizes.size());
    std::vector<PixelBox> marks;
    for (const GainCurve& curve : drawn.picture.curves) {
        for (const CapMark& cap : curve.caps) {
            const PixelPoint at = plotPixel(drawn.picture, plot, cap.at);
            marks.push_back(
                {at.x - kCapMarkRadius, at.y - kCapMarkRadius, 2 * kCapMarkRadius, 2 * kCapMarkRadius});
        }
    }
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const PixelBox& label = placed[i].box;
        if (!placed[i].shown) {
            continue;
        }
        SCOPED_TRACE(testing::Message() << "label " << i << " of " << placed.size() << ", plot " << plot.width
                                        << " x " << plot.height << ", font " << drawn.font);
        EXPECT_EQ(label.width, drawn.sizes[i].width);
        EXPECT_EQ(label.height, drawn.sizes[i].height);
        EXPECT_TRUE(label.left >= plot.left && label.right() <= plot.right() && label.top >= plot.top &&
                    label.bottom() <= plot.bottom());
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_TRUE(!placed[j].shown || apart(label, placed[j].box)) << "and label " << j;
        }
        const auto gap = [&](const PixelBox& mark) { // to its centre
            const double x = mark.left + kCapMarkRadius;
            const double y = mark.top + kCapMarkRadius;
            const double across = std::max({label.left - x, x - label.right(), 0.0});
            const double along = std::max({label.top - y, y - label.bottom(), 0.0});
            return std::hypot(across, along);
        };
        for (const PixelBox& mark : marks) {
            EXPECT_TRUE(apart(label, mark));
            EXPECT_TRUE(placed[i].leader || gap(marks[i]) <= gap(mark) + 1e-9) << "nearer another mark";
        }
        if (placed[i].leader) { // from the label's edge to its mark's, through no other label
            const PixelPoint from = placed[i].leaderFrom;
            const PixelPoint to = placed[i].leaderTo;
            EXPECT_NEAR(
                std::hypot(to.x - marks[i].left - kCapMarkRadius, to.y - marks[i].top - kCapMarkRadius),
                kCapMarkRadius, 1e-9);
            EXPECT_NEAR(std::min({std::abs(from.x - label.left), std::abs(from.x - label.right()),
                                  std::abs(from.y - label.top), std::abs(from.y - label.bottom())}),
                        0, 1e-9);
            for (std::size_t j = 0; j < placed.size(); ++j) {
                EXPECT_FALSE(j != i && placed[j].shown && runsThrough(from, to, placed[j].box))
                    << "through " << j;
            }
        }
        EXPECT_TRUE(placed[i].onPatch || !aLineRunsThrough(drawn.picture, plot, label));
    }
}

// In any plot, from one too small for its words to a wide one.
TEST(CapLabels, NeverCollideNorLeaveThePlot) {
    std::mt19937 random(20261209);
    for (int trial = 0; trial < 1500; ++trial) {
        const Drawn drawn = drawnAt(random, trial);
        const auto between = [&](double low, double high) {
            return std::uniform_real_distribution<double>(low, high)(random);
        };
        const PixelBox plot{between(0, 100), between(0, 60), between(60, 900), between(40, 420)};
        SCOPED_TRACE(trial);
        expectClear(drawn, plot, placeCapLabels(drawn.picture, plot, drawn.sizes));
    }
}

// A word's size: digits 0.6 of the font across, Chinese 1; lines 1.45 high.
PixelBox wordSize(const std::string& word, double font) {
    double across = 0;
    for (const unsigned char c : word) {
        across += c < 0x80 ? 0.6 : (c >= 0xC0 ? 1.0 : 0.0);
    }
    return {0, 0, across * font, 1.45 * font};
}

// The page's picture, from a 320 px phone to a wide window: every word
// written inside it and apart from every other, the ticks at 0 among them;
// with room to grow, every cap label shown and all but a rare one clear of
// the lines; with the screen's height as its limit (a landscape phone) it
// keeps within it.
TEST(CapLabels, ThePagesPictureHasRoomForEveryWord) {
    std::mt19937 random(9122026);
    int labels = 0;
    int patched = 0;
    for (int trial = 0; trial < 1500; ++trial) {
        const Drawn drawn = drawnAt(random, trial);
        const GainPicture& picture = drawn.picture;
        const double width = std::uniform_real_distribution<double>(280, 900)(random);
        const double tallest = trial % 3 == 0 ? 200 : 1e9;
        ChartText text{drawn.font,
                       drawn.sizes,
                       {},
                       {},
                       wordSize(picture.ratingAxis, drawn.font),
                       wordSize(picture.percentAxis, drawn.font)};
        for (const Tick& tick : picture.ratingTicks) {
            text.ratingTicks.push_back(wordSize(tick.text, drawn.font));
        }
        for (const Tick& tick : picture.percentTicks) {
            text.percentTicks.push_back(wordSize(tick.text, drawn.font));
        }
        const ChartPlan plan = planChart(picture, width, text, tallest);
        SCOPED_TRACE(testing::Message()
                     << "trial " << trial << ", width " << width << ", font " << drawn.font);
        // No taller than the screen leaves it, unless at its least: 10 fonts, or a
        // plot of 4 lines.
        EXPECT_TRUE(plan.height <= std::max(tallest, 10 * drawn.font) ||
                    plan.plot.height <= 4 * 1.45 * drawn.font + 1e-9)
            << plan.height;
        expectClear(drawn, plan.plot, plan.capLabels);
        std::vector<std::pair<std::string, PixelBox>> words{{picture.ratingAxis, plan.ratingAxis},
                                                            {picture.percentAxis, plan.percentAxis}};
        for (std::size_t i = 0; i < plan.capLabels.size(); ++i) {
            EXPECT_TRUE(tallest < 1e9 || plan.capLabels[i].shown);
            patched += tallest > 1e9 && plan.capLabels[i].onPatch;
            words.push_back({"cap label", plan.capLabels[i].box});
        }
        for (const auto& [ticks, places] : {std::pair{&picture.ratingTicks, &plan.ratingTicks},
                                            std::pair{&picture.percentTicks, &plan.percentTicks}}) {
            ASSERT_EQ(places->size(), ticks->size());
            for (std::size_t i = 0; i < ticks->size(); ++i) {
                EXPECT_TRUE((*places)[i].shown || (*ticks)[i].value != 0) << (*ticks)[i].text;
                if ((*places)[i].shown) {
                    words.push_back({(*ticks)[i].text, (*places)[i].box});
                }
            }
        }
        for (std::size_t i = 0; i < words.size(); ++i) {
            const PixelBox& box = words[i].second;
            EXPECT_TRUE(box.left >= 0 && box.right() <= width && box.top >= 0 && box.bottom() <= plan.height)
                << words[i].first;
            for (std::size_t j = 0; j < i; ++j) {
                EXPECT_TRUE(apart(box, words[j].second)) << words[i].first << " and " << words[j].first;
            }
        }
        labels += static_cast<int>(plan.capLabels.size());
    }
    EXPECT_GT(labels, 1500); // the sheets reach caps
    EXPECT_LE(patched * 1000, labels) << "with room to grow, a label on a patch is the rare exception";
}

TEST(CapLabels, TakeOneSizeForEachLabel) {
    const GainPicture picture =
        gainPicture({{15000, 105, 25, 180, 3000, 30, 0}, &kDisciplines[1], false}, 1200);
    EXPECT_THROW(placeCapLabels(picture, {0, 0, 400, 200}, {}), std::invalid_argument);
}

} // namespace
} // namespace velmora
