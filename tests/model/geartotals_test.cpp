// 总收益 and the discipline words.
#include "formfixture.h"

#include "model/numbertext.h"

namespace velmora::testing {
namespace {

class GearTotals : public FormTest {
protected:
    // A complete panel and a completed 计算 with the worked example.
    void calculated() {
        setWorkedExample();
        set("Text1", "3000");
        click("Option2");
        click("Command1");
        takeWarnings();
    }
    std::array<std::string, 4> totals() const {
        return {text("Label28"), text("Label30"), text("Label32"), text("Label34")};
    }
};

TEST_F(GearTotals, IncompletePanelWarnsAndWritesNothing) {
    click("Command2");
    EXPECT_EQ(takeWarnings(), (Warnings{{"大侠，你的面板属性呢？", "请完善面板属性"}}));
    EXPECT_EQ(totals(), (std::array<std::string, 4>{"第一套", "第二套", "第三套", "第四套"}));
    calculated();
    for (const char* field : {"Text1", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8"}) {
        const std::string kept = text(field);
        set(field, "abc");
        click("Command2");
        EXPECT_EQ(takeWarnings().size(), 1u) << field;
        set(field, kept);
    }
    EXPECT_EQ(text("Label28"), "第一套");
}

TEST_F(GearTotals, EmptyGainStoreIsExplained) {
    setWorkedExample();
    set("Text1", "3000");
    click("Command2");
    EXPECT_EQ(takeWarnings(), (Warnings{{"请先点[计算]，再比较装备的总收益。", "尚未计算"}}));
    EXPECT_EQ(text("Label28"), "第一套");
}

TEST_F(GearTotals, SumsEachSetsCellsWeightedByTheGains) {
    calculated();
    // Gains: primary 6.14959855139984, attack 1.480695, hit 4.43654,
    // critical 3.549232, critical effect 2.772837, overcome 2.580807, strain 4.43654.
    setPanel({{"Text15", "10"}, {"Text16", "100"}});
    setPanel({{"Text24", "12abc"}, {"Text25", "xyz"}});
    setPanel({{"Text32", "-20"}, {"Text31", "100"}});
    click("Command2");
    EXPECT_TRUE(takeWarnings().empty());
    EXPECT_EQ(totals(), (std::array<std::string, 4>{"0", "209.565485513998", "53.23848", "372.66936"}));
}

TEST_F(GearTotals, HasteRowIsAddedLast) {
    calculated();
    click("Command3");
    set("Text38", "200");
    click("Command2");
    EXPECT_EQ(text("Label30"), NumberToText(0 + form.gainStore()->haste * 200, Precision::Double));
    click("Command3"); // leaving haste mode empties the haste cells
    click("Command2");
    EXPECT_EQ(text("Label30"), "0");
}

TEST_F(GearTotals, UsesTheGainsOfTheLastCalculation) {
    calculated();
    set("Text18", "100");
    click("Command2");
    const auto first = totals();
    EXPECT_EQ(first[1], "354.9232");
    setPanel({{"Text6", "200"}});
    click("Option5");
    click("Command2");
    EXPECT_EQ(totals(), first); // stale gains until 计算 runs again
    click("Command1");
    click("Command2");
    EXPECT_NE(totals()[1], first[1]);
}

TEST_F(GearTotals, PrimaryAttributeRowCountsNothingWithoutADiscipline) {
    setWorkedExample();
    set("Text1", "3000");
    click("Command1");
    set("Text15", "50");
    click("Command2");
    EXPECT_EQ(text("Label14"), "基础属性");
    EXPECT_EQ(text("Label30"), "0");
}

TEST_F(GearTotals, CellsEnterAtFifteenDigits) {
    calculated();
    set("Text16", "1.00000000000000049"); // 1 at 15 digits
    click("Command2");
    EXPECT_EQ(text("Label30"), "1.480695");
}

// 1e300 × 15000 × 105 × ... overflows to infinity, which is not 0: the
// panel is filled and the totals are written.
TEST_F(GearTotals, APanelWhoseProductOverflowsCountsAsFilled) {
    calculated();
    set("Text1", "1e300");
    set("Text16", "2");
    click("Command2");
    EXPECT_TRUE(takeWarnings().empty());
    EXPECT_EQ(text("Label30"), "2.96139"); // 2 x 1.480695
}

TEST_F(GearTotals, OverflowingTotalChangesNothing) {
    calculated();
    set("Text15", "1e308");
    click("Command2");
    EXPECT_EQ(takeWarnings(), Warnings{kOutOfRange});
    EXPECT_EQ(totals(), (std::array<std::string, 4>{"第一套", "第二套", "第三套", "第四套"}));
}

TEST_F(GearTotals, DisciplineWordsGoIntoThePrimaryAttributeLabels) {
    const std::pair<const char*, const char*> cases[] = {
        {"Option1", "根骨"}, {"Option2", "根骨"}, {"Option3", "根骨"}, {"Option4", "元气"},
        {"Option5", "元气"}, {"Option6", "元气"}, {"Option7", "元气"},
    };
    EXPECT_EQ(text("Label1"), "基础属性");
    EXPECT_EQ(text("Label2"), "根骨/元气");
    for (const auto& [option, word] : cases) {
        click(option);
        for (const char* label : {"Label1", "Label2", "Label14"}) {
            EXPECT_EQ(text(label), word) << option << ' ' << label;
        }
        for (const auto& [other, unused] : cases) {
            EXPECT_EQ(value(other), std::string_view(other) == option ? 1 : 0);
        }
    }
}

TEST_F(GearTotals, SwitchingDisciplineLeavesResultsUntilTheNextCalculation) {
    calculated();
    const auto before = snapshot();
    const auto store = form.gainStore()->texts;
    click("Option6");
    auto after = snapshot();
    for (const char* label : {"Label1", "Label2", "Label14", "Option2", "Option6"}) {
        after[control(label)] = before[control(label)];
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(form.gainStore()->texts, store);
}

} // namespace
} // namespace velmora::testing
