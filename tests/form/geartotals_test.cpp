// 总收益 and the discipline words.
#include "formfixture.h"

#include "form/numbertext.h"

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

// Only a 0 stops 总收益: negative panel values pass its guard.
TEST_F(GearTotals, NegativePanelValuesPassTheGuard) {
    calculated();
    set("Text5", "-5");
    set("Text16", "2");
    click("Command2");
    EXPECT_TRUE(takeWarnings().empty());
    EXPECT_EQ(text("Label30"), "2.96139"); // 2 x 1.480695
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

// The haste entry is the number 3.04085794994154: 200 x 3.04085794994154
// = 608.171589988308.
TEST_F(GearTotals, HasteRowIsAddedLast) {
    calculated();
    click("Command3");
    set("Text38", "200");
    set("Text16", "1"); // + 1.480695
    click("Command2");
    EXPECT_EQ(text("Label30"), "609.652284988308");
    set("Text16", "");
    click("Command2");
    EXPECT_EQ(text("Label30"), "608.171589988308");
    click("Command3"); // leaving haste mode empties the haste cells
    click("Command2");
    EXPECT_EQ(text("Label30"), "0");
}

// Each cell alone at 1: its set's total is its row's gain, and the other
// sets stay at 0. (Hit and strain have the same gain here; the next test
// tells them apart.)
TEST_F(GearTotals, EveryCellCountsInItsOwnSetAndRow) {
    calculated();
    click("Command3"); // the haste row too
    const char* const gains[] = {"6.14959855139984", "1.480695", "4.43654", "3.549232",
                                 "2.772837",         "2.580807", "4.43654", "3.04085794994154"};
    const char* const cells[4][8] = {
        {"Text2", "Text9", "Text10", "Text11", "Text12", "Text13", "Text14", "Text37"},
        {"Text15", "Text16", "Text17", "Text18", "Text19", "Text20", "Text21", "Text38"},
        {"Text22", "Text23", "Text24", "Text25", "Text26", "Text27", "Text28", "Text39"},
        {"Text29", "Text30", "Text31", "Text32", "Text33", "Text34", "Text35", "Text40"},
    };
    const char* const totalLabels[] = {"Label28", "Label30", "Label32", "Label34"};
    for (int set = 0; set < 4; ++set) {
        for (int row = 0; row < 8; ++row) {
            SCOPED_TRACE(cells[set][row]);
            for (const auto& column : cells) {
                for (const char* cell : column) {
                    this->set(cell, "");
                }
            }
            this->set(cells[set][row], "1");
            click("Command2");
            for (int other = 0; other < 4; ++other) {
                EXPECT_EQ(text(totalLabels[other]), other == set ? gains[row] : "0") << totalLabels[other];
            }
        }
    }
}

// Hit over its cap: the hit gain is 0 while the strain gain stays 4.43654,
// so 1000 hit rating adds nothing and 1000 strain rating adds 4436.54.
// Strain over its cap: the other way round. Rows 5 and 6 with worked-example
// gains: 7 x 2.772837 = 19.409859 and 11 x 2.580807 = 28.388877.
TEST_F(GearTotals, HitStrainCriticalEffectAndOvercomeRows) {
    calculated();
    set("Text4", "112");
    click("Command1");
    setPanel({{"Text17", "1000"}, {"Text28", "1000"}, {"Text33", "7"}, {"Text34", "11"}});
    click("Command2");
    EXPECT_EQ(text("Label30"), "0");
    EXPECT_EQ(text("Label32"), "4436.54");
    set("Text4", "105");
    set("Text8", "38");
    click("Command1");
    click("Command2");
    EXPECT_EQ(text("Label30"), "4436.54");
    EXPECT_EQ(text("Label32"), "0");
    set("Text8", "30");
    click("Command1");
    click("Command2");
    EXPECT_EQ(text("Label34"), "47.798736"); // 19.409859 + 28.388877
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

// 1.00000000000000499 is 1 at 15 digits; unrounded, its double times
// 1.480695 would be written 1.48069500000001.
TEST_F(GearTotals, CellsEnterAtFifteenDigits) {
    calculated();
    set("Text16", "1.00000000000000499");
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
