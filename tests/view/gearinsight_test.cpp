// What a set really changes, and the gain curves, against sums worked by hand
// and against 总收益 to first order.
#include "formfixture.h"
#include "handmodel.h"

#include "form/numbertext.h"
#include "view/gearinsight.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace velmora::testing {
namespace {

// attack 20000, overcome 2000, hit 109 %, critical 25 %, critical effect 180 %, strain 30 %.
const MeasuredSheet kNearTheHitCap{{20000, 109, 25, 180, 2000, 30, 0}, &kDisciplines[1], false};

// 135 hit rating: only 45 fit under the cap, +1 % hit of R = 1.1525 is
// +0.87 %; 100 critical rating: +2.22 % critical at G - 1 = 0.8 is +1.54 %.
// By 总收益's straight line the hit set (+2.60 %) comes first.
TEST(ExactChanges, ACapSwallowsPartOfASetAndTurnsTheOrder) {
    const std::vector<Ratings> sets{{}, {0, 0, 135}, {0, 0, 0, 100}, {}};
    const ExactChanges changes = exactChanges(kNearTheHitCap, sets, true,
                                              {"第一套", "第二套", "第三套", "第四套"}, {0, 2.60, 1.54, 0});
    EXPECT_EQ(changes.sets[0].change, "0.00 %");
    EXPECT_EQ(changes.sets[1].change, "+0.87 %");
    EXPECT_EQ(changes.sets[1].swallowed, "命中溢出 90 点");
    EXPECT_EQ(changes.sets[2].change, "+1.54 %");
    EXPECT_EQ(changes.sets[2].swallowed, "");
    EXPECT_TRUE(changes.orderDiffers);
    EXPECT_EQ(changes.order,
              "实际提升从高到低：第三套、第二套、第一套、第四套（与总收益的排序不同，以实际提升为准）");
}

// Random sheets far from every cap, outside haste mode: a small set's exact
// change times Z / 100 is its 总收益 less set 1's (Z = attack × the attack's
// gain), and a set equal to set 1 changes nothing at all.
TEST(ExactChanges, FarFromTheCapsASmallSetAgreesWithItsTotal) {
    std::mt19937 random(2026);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution(low, high)(random);
    };
    for (int sheet = 0; sheet < 200; ++sheet) {
        tools::RecordingWarnings warnings;
        Form form(warnings);
        const auto set = [&](const char* name, double value) {
            form.setText(control(name), NumberToText(value, Precision::Double));
        };
        const auto number = [&](const char* name) {
            return TextToNumber(form.fields().text(control(name))).value;
        };
        const double attack = uniform(5000, 30000);
        set("Text1", 1000);
        set("Text3", attack);
        set("Text4", uniform(80, 100));
        set("Text5", uniform(5, 30));
        set("Text6", uniform(150, 250));
        set("Text7", uniform(900, 4000));
        set("Text8", uniform(5, 25));
        form.click(field::kDisciplineOptions[sheet % 7]);
        form.click(control("Command1"));
        const double z = attack * number("Label15");
        for (const char* cell : {"Text15", "Text16", "Text17", "Text18", "Text19", "Text20", "Text21",
                                 "Text2", "Text9", "Text10", "Text11", "Text12", "Text13", "Text14"}) {
            set(cell, uniform(0, 3));
        }
        form.click(control("Command2"));
        const std::optional<ExactChanges> changes = exactChanges(form);
        ASSERT_TRUE(changes.has_value());
        const auto& sets = changes->sets;
        // Set 2 in place of set 1: the difference of their totals, up to the
        // second-order terms of two sets of a few points each.
        const double worn = number("Label28");
        const double candidate = number("Label30");
        EXPECT_NEAR(sets[1].percent * z / 100, candidate - worn, 3e-3 * (candidate + worn)) << sheet;
        EXPECT_EQ(sets[0].percent, 0.0);
    }
}

// hit (110 - hit) × 45, strain (35 - strain) × 33.75, critical
// (hit + strain - 45 - critical) × 45; flat past the cap, never lower for
// more rating before it.
TEST(GainCurves, CapsFallWhereTheModelPutsThemAndCurvesRiseToThem) {
    const struct {
        Sheet sheet;
        const char* curve;
        const char* cap;
        double at;
        const char* headroom;
    } cases[] = {
        {{20000, 109, 25, 180, 2000, 30, 0}, "命中等级", "命中上限", 45, "命中还差 45 点"},
        // Whole points: short of a cap rounded up (169 reach it), over it rounded down.
        {{15000, 105, 25, 180, 3000, 30, 0}, "无双等级", "无双上限", 168.75, "无双还差 169 点"},
        {{15000, 105, 25, 180, 3000, 40, 0}, "无双等级", "无双上限", -168.75, "无双溢出 168 点"},
        {{15000, 100, 52, 200, 3000, 20, 0}, "会心等级", "会心上限", 1035, "会心还差 1035 点"},
        {{15000, 115, 25, 180, 3000, 30, 0}, "命中等级", "命中上限", -225, "命中溢出 225 点"},
    };
    for (const auto& c : cases) {
        const GainPicture picture = gainPicture({c.sheet, &kDisciplines[1], false}, 1200);
        const auto curve = std::find_if(picture.curves.begin(), picture.curves.end(),
                                        [&](const GainCurve& each) { return each.name == c.curve; });
        ASSERT_NE(curve, picture.curves.end()) << c.curve;
        const auto cap = std::find_if(curve->caps.begin(), curve->caps.end(),
                                      [&](const CapMark& mark) { return mark.text == c.cap; });
        ASSERT_NE(cap, curve->caps.end()) << c.curve;
        EXPECT_NEAR(cap->at.rating, c.at, 1e-6) << c.curve;
        EXPECT_NE(std::find(picture.headroom.begin(), picture.headroom.end(), c.headroom),
                  picture.headroom.end());
        for (std::size_t i = 1; i < curve->points.size(); ++i) {
            const CurvePoint& point = curve->points[i];
            EXPECT_GE(point.percent, curve->points[i - 1].percent - 1e-12)
                << c.curve << " at " << point.rating;
            if (point.rating > cap->at.rating) {
                EXPECT_NEAR(point.percent, cap->at.percent, 1e-9) << c.curve << " at " << point.rating;
            }
        }
    }
}

// Below their caps hit and strain gain alike (1/45 % of R a rating: 45 hit a
// percent, 33.75 strain at 0.75), so their curves run as one line until the
// first of them reaches its cap; over the hit cap they never meet.
TEST(GainCurves, LinesThatRunTogetherAreSaidToCoincide) {
    const struct {
        Sheet sheet;
        std::vector<std::string> coincide;
    } cases[] = {
        {{20000, 109, 25, 180, 2000, 30, 0}, {"命中等级与无双等级在 -600 至 +45 点重合"}},
        {{20000, 100, 25, 180, 2000, 34, 0}, {"命中等级与无双等级在 -600 至 +33.8 点重合"}},
        {{15000, 115, 25, 180, 3000, 30, 0}, {}},
    };
    for (const auto& c : cases) {
        const GainPicture picture = gainPicture({c.sheet, &kDisciplines[1], false}, 600);
        EXPECT_EQ(picture.coincide, c.coincide);
        for (const std::string& said : c.coincide) {
            EXPECT_NE(picture.spoken.find(said), std::string::npos);
        }
    }
}

// Sheets far from the panel, where the curves and a search go.
TEST(ModelOnEverySheet, RatesStayAtOrAboveZeroAndACapBelowZeroLeavesNoCrits) {
    const struct {
        const char* name;
        Sheet sheet;
    } cases[] = {
        {"critical rate below 0", {15000, 105, -28, 180, 3000, 30, 0}},
        {"hit below 0", {15000, -20, 25, 180, 3000, 30, 0}},
        {"strain below 0", {15000, 105, 25, 180, 3000, -5, 0}},
        {"critical cap below 0", {15000, 20, 25, 180, 3000, 5, 0}},
        {"critical effect below 0", {15000, 105, 25, -30, 3000, 30, 0}},
        {"haste below 0", {15000, 105, 25, 180, 3000, 30, -12}},
        {"everything over its cap", {15000, 130, 90, 180, 3000, 50, 10}},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(expectedDamage(c.sheet), damageByHand(c.sheet), 1e-9 * std::fabs(damageByHand(c.sheet)))
            << c.name;
    }
}

// A sheet that does no damage cannot be compared in percent: the window
// says so in words, and no change (not a number) ranks first.
TEST(ModelOnEverySheet, NoDamageIsSaidInWordsAndNeverRanked) {
    const MeasuredSheet start{{0, 0, 0, 0, 0, 0, 0}, &kDisciplines[1], false};
    const ExactChanges changes = exactChanges(start, {{}, {0, 100}, {}, {}}, true,
                                              {"第一套", "第二套", "第三套", "第四套"}, {0, 1, 0, 0});
    EXPECT_EQ(changes.basis, "当前面板无伤害，无法比较。");
    EXPECT_TRUE(changes.sets.empty());
    const GainPicture picture = gainPicture(start, 600);
    EXPECT_EQ(picture.noComparison, "当前面板无伤害，无法比较。");
    EXPECT_TRUE(picture.curves.empty());
    const double nan = std::numeric_limits<double>::quiet_NaN(),
                 inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ranked({nan, 1, inf, 2, -inf}), (std::vector<std::size_t>{3, 1, 0, 2, 4}));
}

// With set 1 taken off, its 实际提升 is the change 穿第一套装备 makes: strain
// rating moves the panel by 45 a percent there (90 rating: 28 % → 30 %).
TEST_F(FormTest, TakenOffSet1ChangesWhatPuttingItOnChanges) {
    setWorkedExample();
    set("Text1", "3000"); // 总收益 asks for a whole panel
    set("Text14", "90");
    click("Option2");
    click("Command5");
    ASSERT_EQ(text("Text8"), "28");
    click("Command2");
    const std::optional<ExactChanges> changes = exactChanges(form);
    ASSERT_TRUE(changes.has_value());
    const Sheet off{15000, 105, 25, 180, 3000, 28, 0};
    Sheet on = off;
    on.strain = 30;
    EXPECT_NEAR(changes->sets[0].percent, (damageByHand(on) / damageByHand(off) - 1) * 100, 1e-9);

    // Another panel measured by 计算: the rows say they are of the old one
    // until 总收益 is pressed again; 计算 of the same panel changes nothing.
    EXPECT_FALSE(changes->stale);
    click("Command1");
    EXPECT_FALSE(exactChanges(form)->stale);
    set("Text3", "16000");
    click("Command1");
    EXPECT_EQ(exactChanges(form)->sets[1].row, "第二套 0.00 %（面板已变，按总收益更新）");
    click("Command2");
    EXPECT_FALSE(exactChanges(form)->stale);
}

} // namespace
} // namespace velmora::testing
