// 最佳组合 in words, on a list worked by hand near the hit cap (attack 20000,
// overcome 2000, hit 109 %, critical 25 %, critical effect 180 %, strain 30 %):
// 135 hit rating is +0.87 % (90 of it over 110 %), 100 critical rating
// +1.54 %, both +2.41 % (R from 1.1525 to 1.18028).
#include "formfixture.h"
#include "nearhitcap.h"

#include "view/bestgeartext.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

const MeasuredSheet kNearTheHitCap{{20000, 109, 25, 180, 2000, 30, 0}, &kDisciplines[1], false};
const GearList kList{{{"帽子", "甲", true, {}},
                      {"帽子", "乙", false, {0, 0, 135}},
                      {"戒指", "丙", true, {}},
                      {"戒指", "丁", false, {0, 0, 0, 100}}}};

TEST(BestGearText, RowsSayTheChangeTheSwapsAndTheCaps) {
    BestGearSearch search(kNearTheHitCap, slotsOf(kList).gear);
    ASSERT_TRUE(search.run(1000));
    const BestGearAnswer answer = bestGearAnswer(kList, search, {0, 0, 1}); // a line that sees only hit
    EXPECT_EQ(answer.status, "已比较全部 4 种组合，下面是其中最好的");
    std::vector<std::string> lines;
    for (const BestGearRow& row : answer.rows) {
        lines.push_back(row.line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "第 1 名 +2.41 %：帽子：甲 → 乙；戒指：丙 → 丁（命中溢出 90 点）",
                         "第 2 名 +1.54 %：戒指：丙 → 丁", "第 3 名 +0.87 %：帽子：甲 → 乙（命中溢出 90 点）",
                         "第 4 名 0.00 %：不换装备"}));
    EXPECT_EQ(answer.straightLine, "按“计算”每点收益的直线挑选：帽子：甲 → 乙 +0.87 %，比最佳少 1.54 %");
}

// The window's states in order: what it asks for first, the search under
// way, stopped and continued, and an answer of an older panel never shown as
// current.
TEST(BestGearText, TheWindowSaysWhatToDoAndNeverShowsAnOldAnswer) {
    tools::RecordingWarnings warnings;
    Form form(warnings);
    GearCandidates candidates;
    const auto shown = [&] { return bestGearShown(candidates, form.gainStore()); };
    const auto status = [&] { return shown().status; };
    EXPECT_EQ(status(), "请在列表中填入装备，再按“读入列表”。");
    candidates.typeDraft("帽子\t甲\t1\n帽子\t乙\t0\t0\t0\t135\n戒指\t丙\t1\n戒指\t丁\t0\t0\t0\t0\t100");
    ASSERT_FALSE(candidates.readDraft().has_value());
    EXPECT_EQ(shown().list, "已读入 2 个部位、4 件装备");
    EXPECT_EQ(status(), "请先在主窗口按“计算”，再比较。");
    EXPECT_FALSE(candidates.startSearch(form.gainStore()));
    for (const auto& [name, value] : kNearTheHitCapPanel) {
        form.setText(control(name), std::string(value));
    }
    form.click(control("Option2"));
    form.click(control("Command1"));
    EXPECT_EQ(status(), "按“开始比较”，在全部组合中找出最好的。");
    ASSERT_TRUE(candidates.startSearch(form.gainStore()));
    EXPECT_EQ(status(), "正在比较：已比较 0 % 的组合（共 4 种），下面是目前找到的最好组合，尚未证明是最佳");
    candidates.stopSearch();
    candidates.searchOn(kSearchSliceSteps); // a stopped search does no work
    EXPECT_TRUE(shown().canContinue);
    EXPECT_TRUE(shown().rows.empty());
    candidates.continueSearch();
    candidates.searchOn(kSearchSliceSteps);
    EXPECT_EQ(status(), "已比较全部 4 种组合，下面是其中最好的");
    EXPECT_EQ(shown().rows.front().change, "+2.41 %");
    form.setText(control("Text4"), "100");
    EXPECT_EQ(shown().rows.size(), 4u); // typing alone changes no panel
    form.click(control("Command1"));
    EXPECT_EQ(status(), "面板已变，请按“开始比较”重新比较。");
    EXPECT_TRUE(shown().rows.empty());
}

TEST(BestGearText, CountsAreWholeOrInPowersOfTen) {
    const struct {
        double count;
        const char* text;
    } cases[] = {{4, "4"},
                 {99999, "99999"},
                 {100000, "1×10⁵"},
                 {2176782336, "2.2×10⁹"},
                 {68719476736, "6.9×10¹⁰"},
                 {9.96e9, "1×10¹⁰"}};
    for (const auto& c : cases) {
        EXPECT_EQ(combinationsText(c.count), c.text) << c.count;
    }
}

} // namespace
} // namespace velmora::testing
