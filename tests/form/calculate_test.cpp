// 计算 against the figures worked out by hand for the level-93 model.
#include "formfixture.h"

namespace velmora::testing {
namespace {

using Labels = std::vector<std::pair<std::string, std::string>>;

const Labels kWorkedExampleResults = [] {
    Labels labels;
    for (const auto& [name, caption] : kWorkedResults) {
        labels.emplace_back(name, caption);
    }
    return labels;
}();

class Calculate : public FormTest {
protected:
    void expectLabels(const Labels& expected) {
        for (const auto& [name, caption] : expected) {
            EXPECT_EQ(text(name), caption) << name;
        }
    }
};

TEST_F(Calculate, WorkedExample) {
    setWorkedExample();
    click("Option2"); // 纯阳·紫霞
    click("Command1");
    expectLabels(kWorkedExampleResults);
    ASSERT_TRUE(form.gainStore());
    const std::array<std::string, 7> texts = {"6.14959855139984", "1.480695", "4.43654", "3.549232",
                                              "2.772837",         "2.580807", "4.43654"};
    EXPECT_EQ(form.gainStore()->texts, texts);
    EXPECT_EQ(form.gainStore()->haste, 3.04085794994154);
    EXPECT_TRUE(takeWarnings().empty());
}

TEST_F(Calculate, EachDisciplineTurnsItsPrimaryAttributeIntoGains) {
    const std::pair<const char*, const char*> cases[] = {
        {"Option1", "6.04007146793048"}, {"Option2", "6.14959855139984"}, {"Option3", "5.90714072662036"},
        {"Option4", "5.75831368301459"}, {"Option5", "5.51585585823512"}, {"Option6", "5.81515681496119"},
        {"Option7", "5.8708908812504"},
    };
    setWorkedExample();
    for (const auto& [option, gain] : cases) {
        click(option);
        click("Command1");
        EXPECT_EQ(text("Label14"), gain) << option;
        EXPECT_EQ(form.gainStore()->texts[0], gain) << option;
        EXPECT_EQ(text("Label15"), "1.480695") << option;
        EXPECT_EQ(text("Label20"), "2.580807") << option;
    }
}

TEST_F(Calculate, HasteCountsOnlyInHasteMode) {
    setWorkedExample();
    set("Text36", "10");
    click("Option2");
    click("Command1");
    EXPECT_EQ(text("Label15"), "1.480695");
    EXPECT_EQ(text("Label14"), "6.14959855139984");

    click("Command3"); // haste mode on keeps the typed 10 %
    click("Command1");
    expectLabels({{"Label15", "1.628765"},
                  {"Label16", "4.880194"},
                  {"Label18", "3.904155"},
                  {"Label19", "3.050121"},
                  {"Label20", "2.838888"},
                  {"Label21", "4.880194"},
                  {"Label45", "3.04085794994154"},
                  {"Label14", "6.36477073491348"}});
}

TEST_F(Calculate, HitAndStrainOverTheirCaps) {
    setWorkedExample();
    setPanel({{"Text4", "112"}, {"Text8", "38"}});
    click("Option2");
    click("Command1");
    expectLabels({{"Label60", "命中溢出"},
                  {"Label64", "110"},
                  {"Label16", "0"},
                  {"Label61", "无双溢出"},
                  {"Label65", "35"},
                  {"Label21", "0"},
                  {"Label15", "1.597154"},
                  {"Label20", "2.783792"},
                  {"Label14", "6.46403865306841"}});
}

TEST_F(Calculate, HitAndStrainExactlyAtTheirCapsAreNotOver) {
    setWorkedExample();
    setPanel({{"Text4", "110.0"}, {"Text8", "35"}});
    click("Option2");
    click("Command1");
    expectLabels({{"Label60", "命中判定"}, {"Label64", "110.0"}, {"Label61", "无双判定"}, {"Label65", "35"}});
    EXPECT_NE(text("Label16"), "0");
    EXPECT_EQ(text("Label16"), text("Label21"));
}

TEST_F(Calculate, CriticalCapIsTestedWithSinglePrecisionHitAndStrain) {
    struct Case {
        const char *hit, *strain, *critical, *verdict, *effective, *criticalGain;
    };
    const Case cases[] = {
        {"105", "30", "90", "会心溢出", "89.9999964237213", "0"},
        {"110", "35", "100", "会心判定", "100", nullptr},
        {"110", "35", "101", "会心溢出", "100.000001788139", "0"},
    };
    for (const Case& c : cases) {
        setWorkedExample();
        setPanel({{"Text4", c.hit}, {"Text8", c.strain}, {"Text5", c.critical}});
        click("Option2");
        click("Command1");
        EXPECT_EQ(text("Label62"), c.verdict) << c.critical;
        EXPECT_EQ(text("Label66"), c.effective) << c.critical;
        if (c.criticalGain != nullptr) {
            EXPECT_EQ(text("Label18"), c.criticalGain) << c.critical;
        } else {
            EXPECT_NE(text("Label18"), "0") << c.critical;
        }
    }
    // The critical-effect gain is computed whatever the verdict.
    setWorkedExample();
    setPanel({{"Text5", "90"}});
    click("Command1");
    EXPECT_EQ(text("Label19"), "9.982214");
}

// Each cap on its own, at its exact boundary and one double either side,
// with the other two caps well under. The worked example's attack 15000,
// critical effect 180 and overcome 3000 give a hit and a strain gain of
// 4.43654 and a critical gain of 3.549232 whatever M, W and H are.
TEST_F(Calculate, EachCapAloneAtItsBoundary) {
    struct Case {
        const char *hit, *strain, *critical;
        const char *hitVerdict, *hitShown, *hitGain;
        const char *strainVerdict, *strainShown, *strainGain;
        const char *criticalVerdict, *criticalShown, *criticalGain;
    };
    // Hit 100 and strain 25 are exact in single precision: (1.1 - 1) +
    // (0.35 - 0.25) = 0.20000000000000007 in double, and with 80 / 100 the
    // critical test's sum is exactly 1, which is not over.
    const Case cases[] = {
        {"110", "30", "25", "命中判定", "110", "4.43654", "无双判定", "30", "4.43654", "会心判定", "25",
         "3.549232"},
        {"110.00000000000001", "30", "25", "命中溢出", "110", "0", "无双判定", "30", "4.43654", "会心判定",
         "25", "3.549232"},
        {"109.99999999999999", "30", "25", "命中判定", "109.99999999999999", "4.43654", "无双判定", "30",
         "4.43654", "会心判定", "25", "3.549232"},
        {"105", "35", "25", "命中判定", "105", "4.43654", "无双判定", "35", "4.43654", "会心判定", "25",
         "3.549232"},
        {"105", "35.00000000000001", "25", "命中判定", "105", "4.43654", "无双溢出", "35", "0", "会心判定",
         "25", "3.549232"},
        {"105", "34.99999999999999", "25", "命中判定", "105", "4.43654", "无双判定", "34.99999999999999",
         "4.43654", "会心判定", "25", "3.549232"},
        {"100", "25", "80", "命中判定", "100", "4.43654", "无双判定", "25", "4.43654", "会心判定", "80",
         "3.549232"},
        // Over: (1 + 0.25 - 0.45) x 100 = 80 in double.
        {"100", "25", "80.00000000000001", "命中判定", "100", "4.43654", "无双判定", "25", "4.43654",
         "会心溢出", "80", "0"},
        // 79.99999999999999 written at 15 digits.
        {"100", "25", "79.99999999999999", "命中判定", "100", "4.43654", "无双判定", "25", "4.43654",
         "会心判定", "80", "3.549232"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.hit) + " / " + c.strain + " / " + c.critical);
        setWorkedExample();
        setPanel({{"Text4", c.hit}, {"Text8", c.strain}, {"Text5", c.critical}});
        click("Option2");
        click("Command1");
        expectLabels({{"Label60", c.hitVerdict},
                      {"Label64", c.hitShown},
                      {"Label16", c.hitGain},
                      {"Label61", c.strainVerdict},
                      {"Label65", c.strainShown},
                      {"Label21", c.strainGain},
                      {"Label62", c.criticalVerdict},
                      {"Label66", c.criticalShown},
                      {"Label18", c.criticalGain}});
    }
}

// After a refused press the next good press writes everything it writes
// normally, and a second refusal again leaves everything as it was.
TEST_F(Calculate, APressAfterARefusedPressWritesEveryField) {
    setWorkedExample();
    click("Option2");
    set("Text3", "1e39");
    const auto untouched = snapshot();
    click("Command1");
    EXPECT_EQ(takeWarnings(), Warnings{kOutOfRange});
    EXPECT_EQ(snapshot(), untouched);
    EXPECT_FALSE(form.gainStore());

    set("Text3", "15000");
    click("Command1");
    EXPECT_TRUE(takeWarnings().empty());
    expectLabels(kWorkedExampleResults);
    ASSERT_TRUE(form.gainStore());
    EXPECT_EQ(form.gainStore()->texts[0], "6.14959855139984");

    set("Text7", "1e45"); // P near 1.5e41 is beyond single precision
    const auto calculated = snapshot();
    click("Command1");
    EXPECT_EQ(takeWarnings(), Warnings{kOutOfRange});
    EXPECT_EQ(snapshot(), calculated);
    EXPECT_EQ(form.gainStore()->texts[1], "1.480695");
}

TEST_F(Calculate, AllZeroPanel) {
    click("Option2");
    click("Command1");
    expectLabels({{"Label64", "0"},
                  {"Label65", "0"},
                  {"Label62", "会心溢出"},
                  {"Label66", "-45"},
                  {"Label67", "0.8669966"},
                  {"Label15", "0.07586219"},
                  {"Label16", "0"},
                  {"Label18", "0"},
                  {"Label19", "0"},
                  {"Label20", "0"},
                  {"Label21", "0"},
                  {"Label45", "0"},
                  {"Label14", "0.204827922589563"}});
}

TEST_F(Calculate, NegativeCriticalRateKeepsThePreviousVerdict) {
    click("Option2");
    click("Command1"); // all zero: 会心溢出
    setWorkedExample();
    setPanel({{"Text4", "10"}, {"Text8", "0"}, {"Text5", "-50"}});
    click("Command1");
    EXPECT_EQ(text("Label66"), "0");
    EXPECT_EQ(text("Label62"), "会心溢出");
    EXPECT_EQ(text("Label18"), "0");

    setWorkedExample();
    click("Command1"); // 会心判定
    setPanel({{"Text4", "10"}, {"Text8", "0"}, {"Text5", "-50"}});
    click("Command1");
    EXPECT_EQ(text("Label62"), "会心判定");
    EXPECT_EQ(text("Label66"), "0");
    EXPECT_NE(text("Label18"), "0");
}

TEST_F(Calculate, WithoutADisciplineWarnsFirstAndLeavesThePrimaryGain) {
    setWorkedExample();
    click("Command1");
    EXPECT_EQ(takeWarnings(), Warnings{kNoDiscipline});
    EXPECT_EQ(text("Label14"), "基础属性");
    EXPECT_EQ(text("Label15"), "1.480695");
    EXPECT_EQ(form.gainStore()->texts[0], "0");
}

TEST_F(Calculate, ShowsTypedTextsButReadsTheirNumbers) {
    setWorkedExample();
    setPanel({{"Text4", "105abc"}, {"Text5", "25.50"}, {"Text8", " 3 0"}});
    click("Option2");
    click("Command1");
    EXPECT_EQ(text("Label64"), "105abc");
    EXPECT_EQ(text("Label65"), " 3 0");
    EXPECT_EQ(text("Label66"), "25.5");
    EXPECT_EQ(text("Label16"), "4.43654");
    setPanel({{"Text5", "abc"}});
    click("Command1");
    EXPECT_EQ(text("Label66"), "0");
}

struct OutOfRangeCase {
    const char* field;
    const char* number;
};

class CalculateOutOfRange : public FormTest, public ::testing::WithParamInterface<OutOfRangeCase> {};

TEST_P(CalculateOutOfRange, ChangesNothingAndWarnsOnce) {
    const auto [field, number] = GetParam();
    setWorkedExample();
    click("Option2");
    click("Command3"); // haste mode on, so that Text36 counts
    click("Command1");
    const auto storeBefore = form.gainStore()->texts;
    set(field, number);
    const auto typed = snapshot();
    click("Command1");
    EXPECT_EQ(takeWarnings(), Warnings{kOutOfRange});
    EXPECT_EQ(snapshot(), typed);
    EXPECT_EQ(form.gainStore()->texts, storeBefore);
}

INSTANTIATE_TEST_SUITE_P(Inputs, CalculateOutOfRange,
                         ::testing::Values(OutOfRangeCase{"Text3", "1e400"}, // beyond the double range
                                           OutOfRangeCase{"Text3", "1e39"},  // beyond single precision
                                           OutOfRangeCase{"Text7", "-1e300"},
                                           OutOfRangeCase{"Text6", "1e300"}, OutOfRangeCase{"Text36", "1e60"},
                                           OutOfRangeCase{"Text4", "-1e309"}));

// A press that changes nothing says only why.
TEST_F(Calculate, ARefusedPressShowsTheOutOfRangeBoxAlone) {
    set("Text3", "1e400");
    click("Command1");
    EXPECT_EQ(takeWarnings(), (Warnings{kOutOfRange}));
    EXPECT_FALSE(form.gainStore());
    EXPECT_EQ(text("Label60"), "命中判定");
}

} // namespace
} // namespace velmora::testing
