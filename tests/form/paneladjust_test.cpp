// Team buffs, gear set 1 and haste mode: the handlers that move panel fields.
#include "formfixture.h"

#include "form/gearset1.h"
#include "form/numbertext.h"

#include <cmath>

#include <random>

namespace velmora::testing {
namespace {

using PanelAdjust = FormTest;

TEST_F(PanelAdjust, BuffsAddAndTakeOutTheirAmounts) {
    struct Step {
        const char* action; // a check box to click, or "Text4=..." to retype
        std::vector<std::pair<std::string, std::string>> expected;
    };
    struct Case {
        std::vector<std::pair<std::string_view, std::string>> panel;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {{{"Text5", "20"}, {"Text6", "175"}},
         {{"Check1", {{"Text5", "25"}, {"Text6", "185"}}}, {"Check1", {{"Text5", "20"}, {"Text6", "175"}}}}},
        {{{"Text4", "100"}},
         {{"Check2", {{"Text4", "101"}, {"Text8", "3"}}},
          {"Check3", {{"Text4", "104"}}},
          {"Check2", {{"Text4", "103"}, {"Text8", "0"}}}}},
        {{{"Text4", "05"}}, {{"Check3", {{"Text4", "8"}}}, {"Check3", {{"Text4", "5"}}}}},
        {{{"Text4", "abc"}}, {{"Check3", {{"Text4", "3"}}}}},
        {{{"Text4", "12%"}}, {{"Check3", {{"Text4", "15"}}}}},
        {{{"Text4", "100"}},
         {{"Check3", {{"Text4", "103"}}}, {"Text4=100", {}}, {"Check3", {{"Text4", "97"}}}}},
        {{{"Text5", "95.5"}},
         {{"Check1", {{"Text5", "100.5"}}},
          {"Text5=0", {}},
          {"Text6=0", {}},
          {"Check1", {{"Text5", "-5"}, {"Text6", "-10"}}}}},
        // Each write keeps 15 digits of the double sum, so 0.1 comes back with its binary error.
        {{{"Text5", "0.1"}}, {{"Check1", {{"Text5", "5.1"}}}, {"Check1", {{"Text5", "0.0999999999999996"}}}}},
    };
    for (const Case& c : cases) {
        startOver();
        for (const auto& [field, value] : c.panel) {
            set(field, value);
        }
        for (const Step& step : c.steps) {
            const std::string_view action = step.action;
            if (const auto eq = action.find('='); eq != std::string_view::npos) {
                set(action.substr(0, eq), std::string(action.substr(eq + 1)));
                continue;
            }
            click(action);
            for (const auto& [field, expected] : step.expected) {
                EXPECT_EQ(text(field), expected) << c.panel.front().second << " after " << action;
            }
        }
        for (const char* box : {"Check1", "Check2", "Check3"}) {
            if (value(box) == 1) {
                click(box);
            }
        }
    }
}

TEST_F(PanelAdjust, BuffsLeaveTheResultsUntilTheNextCalculation) {
    setWorkedExample();
    click("Option2");
    click("Command1");
    const std::string gain = text("Label16");
    click("Check3");
    EXPECT_EQ(text("Text4"), "108");
    EXPECT_EQ(text("Label16"), gain);
    EXPECT_EQ(text("Label60"), "命中判定");
}

TEST_F(PanelAdjust, BuffThatWouldLeaveTheRangeKeepsTheBoxUnticked) {
    set("Text5", "1.7976931348623157e308");
    const auto before = snapshot();
    click("Check1");
    EXPECT_EQ(takeWarnings(), Warnings{kOutOfRange});
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(value("Check1"), 0);
}

struct MoveCase {
    const char *panel, *panelText, *cell, *cellText, *off;
};

TEST_F(PanelAdjust, TakingGearSet1OffAndPuttingItBackOn) {
    const MoveCase cases[] = {
        {"Text4", "105.5", "Text10", "100", "103.277777777778"},
        {"Text5", "20", "Text11", "300", "13.3333333333333"},
        {"Text6", "150", "Text12", "200", "138.888888888889"},
        {"Text36", "5", "Text37", "100", "3.1745162468054"},
        {"Text8", "20", "Text14", "90", "18"},
        {"Text1", "3000", "Text2", "120", "2880"},
        {"Text3", "15000", "Text9", "500", "14500"},
        {"Text7", "3000", "Text13", "12abc", "2988"},
        {"Text4", "0", "Text10", "100", "-2.22222222222222"},
    };
    // Each write keeps 15 significant digits: a value that falls to a
    // rounded remainder comes back with the remainder's error.
    const auto putOnAgain = [](std::string_view panel) {
        return panel == "0" ? std::string("2.22044604925031E-15") : std::string(panel);
    };
    for (const MoveCase& c : cases) {
        startOver();
        if (std::string_view(c.panel) == "Text36") {
            click("Command3");
        }
        set(c.panel, c.panelText);
        set(c.cell, c.cellText);
        click("Command5");
        EXPECT_EQ(text(c.panel), c.off) << c.cell;
        EXPECT_EQ(text("Command5"), "穿第一套装备");
        click("Command5");
        EXPECT_EQ(text(c.panel), putOnAgain(c.panelText)) << c.cell;
        EXPECT_EQ(text("Command5"), "脱第一套装备");
        if (std::string_view(c.panel) == "Text36") {
            click("Command3");
        }
    }
}

TEST_F(PanelAdjust, PrimaryAttributeRowMovesOnlyItsOwnField) {
    setPanel({{"Text1", "3000"}, {"Text5", "20"}, {"Text2", "120"}});
    click("Option2");
    click("Command5");
    EXPECT_EQ(text("Text1"), "2880");
    EXPECT_EQ(text("Text5"), "20");
}

TEST_F(PanelAdjust, TakingOffAtStartWritesZerosAndCalculates) {
    click("Command5");
    for (const char* field : {"Text1", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text36"}) {
        EXPECT_EQ(text(field), "0") << field;
    }
    EXPECT_EQ(text("Command5"), "穿第一套装备");
    EXPECT_EQ(takeWarnings(), Warnings{kNoDiscipline}); // 计算 ran, as a press would
    EXPECT_TRUE(form.gainStore());
    EXPECT_EQ(text("Label66"), "-45");
}

TEST_F(PanelAdjust, GuardPutsGearSet1OnOnceWhenACellIsEntered) {
    click("Option2");
    setPanel({{"Text4", "105"}, {"Text10", "90"}});
    enter("Text10"); // worn: nothing happens
    EXPECT_TRUE(takeWarnings().empty());
    click("Command5");
    EXPECT_EQ(text("Text4"), "103");
    enter("Text11");
    EXPECT_EQ(takeWarnings(), (Warnings{{"大侠先把衣服穿上，小心着凉（已帮您穿上）", "记得有脱必有穿"}}));
    EXPECT_EQ(text("Text4"), "105");
    EXPECT_EQ(text("Command5"), "脱第一套装备");
    enter("Text11");
    EXPECT_TRUE(takeWarnings().empty());
    EXPECT_EQ(text("Text4"), "105");
}

// While a box of a press is up the window can still deliver the user's
// actions (a second Tab already queued, a click): none of them runs inside
// the press, so the guard shows one box and puts set 1 on once.
TEST(PressInProgress, ActionsArrivingWhileABoxIsUpAreDropped) {
    struct Reentering : WarningSink {
        Form* form = nullptr;
        std::vector<std::string> titles;
        void warn(std::string_view, std::string_view title) override {
            titles.emplace_back(title);
            EXPECT_TRUE(form->pressRunning());
            form->enter(control("Text12"));
            form->click(control("Command5"));
            form->click(control("Check3"));
            form->type(control("Text4"), "1");
        }
        bool dismissesAtOnce() const override { return true; }
    } boxes;
    Form form(boxes);
    boxes.form = &form;
    form.setText(control("Text4"), "105");
    form.setText(control("Text10"), "90");
    form.click(control("Option2"));
    form.click(control("Command5"));
    ASSERT_EQ(form.fields().text(control("Text4")), "103");
    boxes.titles.clear();
    form.enter(control("Text11"));
    EXPECT_EQ(boxes.titles, (std::vector<std::string>{"记得有脱必有穿"}));
    EXPECT_FALSE(form.pressRunning());
    EXPECT_EQ(form.fields().text(control("Command5")), "脱第一套装备");
    EXPECT_EQ(form.fields().text(control("Text4")), "105");
    EXPECT_EQ(form.fields().value(control("Check3")), 0);
    // The next action after the press runs as usual.
    form.type(control("Text4"), "100");
    EXPECT_EQ(form.fields().text(control("Text4")), "100");
}

// A view whose boxes stay up until the player dismisses them (a page's
// dialog): the core holds the press, drops what arrives meanwhile, shows its
// changes and opens a pasted address only after the last box.
TEST(PressInProgress, ThePressWaitsForItsBoxesWhateverArrivesMeanwhile) {
    struct LeftUp : WarningSink, FieldObserver {
        std::vector<std::string> titles;
        std::vector<FieldId> told;
        int opened = 0;
        void warn(std::string_view, std::string_view title) override { titles.emplace_back(title); }
        void inputsOpened() override { ++opened; }
        void fieldChanged(FieldId field) override { told.push_back(field); }
    } view;
    Form form(view);
    form.setObserver(&view);
    for (const auto& [name, value] : kWorkedPanel) {
        form.setText(control(name), std::string(value));
    }
    form.setText(control("Text10"), "90");
    view.told.clear();
    form.click(control("Command5")); // no discipline: set 1 comes off, then the box
    ASSERT_EQ(view.titles, (std::vector<std::string>{"请选择 门派·心法"}));
    ASSERT_TRUE(form.boxUp().has_value());
    EXPECT_EQ(form.boxUp()->title, "请选择 门派·心法");
    form.click(control("Option2"));
    form.click(control("Command5"));
    form.type(control("Text3"), "1");
    form.enter(control("Text10"));
    EXPECT_EQ(view.titles.size(), 1u); // nothing ran inside the press
    EXPECT_TRUE(view.told.empty());    // nothing shown before the box is dismissed
    EXPECT_EQ(form.shown(control("Command5")).text, "脱第一套装备");
    EXPECT_EQ(form.shown(control("Label15")).text, "内功攻击");
    EXPECT_EQ(form.address(), "#v1&Text3=15000&Text4=105&Text5=25&Text6=180&Text7=3000&Text8=30&Text10=90");
    EXPECT_EQ(form.announcedPress(), kControlCount);

    form.dismissBox();
    EXPECT_FALSE(form.pressRunning());
    EXPECT_FALSE(form.boxUp().has_value());
    EXPECT_EQ(form.announcedPress(), control("Command5"));
    EXPECT_EQ(form.fields().text(control("Text3")), "15000");
    EXPECT_EQ(form.fields().text(control("Command5")), "穿第一套装备");
    EXPECT_EQ(form.fields().value(control("Option2")), 0);
    EXPECT_FALSE(view.told.empty());

    form.click(control("Command1"));
    ASSERT_TRUE(form.pressRunning());
    form.openInputs("v1&Text3=42");
    EXPECT_EQ(view.opened, 0);
    form.dismissBox();
    EXPECT_EQ(view.opened, 1); // the address, once the press was over
    EXPECT_EQ(form.fields().text(control("Text3")), "42");
    EXPECT_EQ(form.fields().text(control("Command5")), "脱第一套装备");
    EXPECT_EQ(form.fields().text(control("Label15")), "内功攻击");
}

// Each of the eight set-1 cells raises the guard by itself.
TEST_F(PanelAdjust, EverySet1CellRaisesTheGuardAlone) {
    click("Option2");
    click("Command3"); // haste mode, so that Text37 can be entered
    setPanel({{"Text4", "105"}, {"Text10", "90"}});
    for (const char* cell : {"Text2", "Text9", "Text10", "Text11", "Text12", "Text13", "Text14", "Text37"}) {
        SCOPED_TRACE(cell);
        click("Command5");
        ASSERT_EQ(text("Text4"), "103");
        takeWarnings();
        enter(cell);
        EXPECT_EQ(takeWarnings(), Warnings{kGuard});
        EXPECT_EQ(text("Command5"), "脱第一套装备");
        EXPECT_EQ(text("Text4"), "105");
    }
    // The panel boxes and the other sets' cells are no set-1 cells.
    click("Command5");
    takeWarnings();
    for (const char* box : {"Text1", "Text3", "Text4", "Text36", "Text15", "Text21", "Text38"}) {
        enter(box);
        EXPECT_TRUE(takeWarnings().empty()) << box;
    }
    EXPECT_EQ(text("Command5"), "穿第一套装备");
}

// The take-off's own 计算 asks for a discipline; set 1 is off while that
// box is up, and an entry into a set-1 cell then must not run inside the
// press (it would put set 1 on unseen).
TEST(PressInProgress, AnEntryDuringATakeOffsBoxIsDropped) {
    struct Reentering : WarningSink {
        Form* form = nullptr;
        std::vector<std::string> titles;
        void warn(std::string_view, std::string_view title) override {
            titles.emplace_back(title);
            form->enter(control("Text10"));
        }
        bool dismissesAtOnce() const override { return true; }
    } boxes;
    Form form(boxes);
    boxes.form = &form;
    form.setText(control("Text4"), "105");
    form.setText(control("Text10"), "90");
    form.click(control("Command5"));
    EXPECT_EQ(boxes.titles, (std::vector<std::string>{"请选择 门派·心法"}));
    EXPECT_EQ(form.fields().text(control("Command5")), "穿第一套装备");
    EXPECT_EQ(form.fields().text(control("Text4")), "103");
}

// Without a discipline the put-on's 计算 would ask for one, but it is
// refused: the guard's box and the out-of-range box alone.
TEST_F(PanelAdjust, ARefusedCalculateShowsNoneOfItsOwnBoxes) {
    setWorkedExample();
    set("Text10", "90");
    click("Command5");
    takeWarnings();
    set("Text3", "1e39");
    enter("Text10");
    EXPECT_EQ(takeWarnings(), (Warnings{kGuard, kOutOfRange}));
    EXPECT_EQ(text("Command5"), "脱第一套装备");
}

TEST_F(PanelAdjust, PanelEditsWhileOffStayAfterPuttingOn) {
    setPanel({{"Text4", "100"}, {"Text10", "90"}});
    click("Option2");
    click("Command5");
    set("Text4", "100");
    click("Command5");
    EXPECT_EQ(text("Text4"), "102");
}

TEST_F(PanelAdjust, LeavingHasteModeWhileSet1IsOffResetsBothHasteBoxes) {
    click("Option2");
    click("Command3");
    setPanel({{"Text36", "5"}, {"Text37", "100"}});
    click("Command5");
    click("Command3");
    click("Command5");
    EXPECT_EQ(text("Text36"), "0");
    EXPECT_EQ(text("Text37"), "0");
}

TEST_F(PanelAdjust, AMoveBeyondTheRangeChangesNothing) {
    click("Option2");
    setWorkedExample();
    set("Text3", "-1.5e308");
    set("Text9", "1e308"); // -1.5e308 - 1e308 is beyond the double range
    const auto before = snapshot();
    click("Command5");
    EXPECT_EQ(takeWarnings(), Warnings{kOutOfRange});
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(form.gainStore());
}

// The move itself is in range; only the 计算 after it is not (single
// precision ends near 3.4e38): set 1 is off, the caption says so, and the
// results stay those of before.
TEST_F(PanelAdjust, ARefusedCalculateAfterATakeOffLeavesSet1Off) {
    click("Option2");
    setWorkedExample();
    set("Text9", "-1e39");
    click("Command5");
    EXPECT_EQ(takeWarnings(), Warnings{kOutOfRange});
    EXPECT_EQ(text("Text3"), "1E+39"); // 15000 + 1e39 at 15 digits
    EXPECT_EQ(text("Command5"), "穿第一套装备");
    EXPECT_EQ(text("Label15"), "内功攻击");
    EXPECT_FALSE(form.gainStore());
}

// Typed while set 1 was off, a panel value beyond single precision makes the
// guard's 计算 fail; set 1 is on all the same, so its cells are never edited
// while it is off.
TEST_F(PanelAdjust, TheGuardPutsSet1OnEvenWhenItsCalculateIsRefused) {
    click("Option2");
    setWorkedExample();
    set("Text10", "90");
    click("Command5");
    ASSERT_EQ(text("Text4"), "103");
    click("Command1");
    const std::string gain = text("Label15");
    takeWarnings();
    set("Text3", "1e39");
    enter("Text10");
    EXPECT_EQ(takeWarnings(), (Warnings{kGuard, kOutOfRange}));
    EXPECT_EQ(text("Command5"), "脱第一套装备");
    EXPECT_EQ(text("Text4"), "105");
    EXPECT_EQ(text("Text3"), "1E+39");
    EXPECT_EQ(text("Label15"), gain);
    enter("Text10");
    EXPECT_TRUE(takeWarnings().empty());
}

TEST_F(PanelAdjust, MovingNeverTouchesTheTotals) {
    setWorkedExample();
    set("Text1", "3000");
    click("Option2");
    click("Command1");
    click("Command2");
    const std::string total = text("Label28");
    set("Text2", "100");
    click("Command5");
    enter("Text2");
    EXPECT_EQ(text("Label28"), total);
}

// Property: for random panels and set-1 cells, a take-off and a put-on give
// back every panel number to 15 significant digits, and the caption.
TEST_F(PanelAdjust, TakeOffThenPutOnRestoresThePanel) {
    std::mt19937_64 random(20130627);
    std::uniform_real_distribution<double> magnitude(-6, 6);
    std::uniform_int_distribution<int> sign(0, 3);
    const auto randomNumber = [&] {
        const double value = std::pow(10.0, magnitude(random));
        return NumberToText(sign(random) == 0 ? -value : value, Precision::Double);
    };
    click("Option4");
    click("Command3");
    for (int round = 0; round < 300; ++round) {
        for (std::size_t row = 0; row < field::kAttributes; ++row) {
            form.setText(field::kPanel[row], randomNumber());
            form.setText(field::kGearSet1.cells[row], randomNumber());
        }
        std::vector<double> before;
        for (const FieldId panel : field::kPanel) {
            before.push_back(TextToNumber(form.fields().text(panel)).value);
        }
        click("Command5");
        click("Command5");
        ASSERT_EQ(text("Command5"), "脱第一套装备");
        for (std::size_t i = 0; i < field::kAttributes; ++i) {
            const double after = TextToNumber(form.fields().text(field::kPanel[i])).value;
            // Each trip rounds to 15 digits; a small value next to a large
            // cell loses what the cell's magnitude cannot carry.
            const double cell = std::fabs(TextToNumber(form.fields().text(field::kGearSet1.cells[i])).value);
            const double tolerance = 1e-14 * std::max(std::fabs(before[i]), cell);
            EXPECT_NEAR(after, before[i], tolerance) << round << " row " << i;
        }
    }
}

TEST_F(PanelAdjust, HasteModeShowsAndHidesItsNineControls) {
    const char* const controls[] = {"Label43", "Label44", "Label45", "Label46", "Text36",
                                    "Text37",  "Text38",  "Text39",  "Text40"};
    const auto allVisible = [&](bool shown) {
        for (const char* control : controls) {
            if (visible(control) != shown) {
                return false;
            }
        }
        return true;
    };
    const auto start = snapshot();
    EXPECT_TRUE(allVisible(false));
    click("Command3");
    EXPECT_EQ(text("Command3"), "无加速版");
    EXPECT_TRUE(allVisible(true));
    EXPECT_EQ(text("Text36"), "0");
    EXPECT_EQ(text("Text38"), "");
    setPanel({{"Text36", "12.5"}, {"Text37", "7"}, {"Text38", "300"}, {"Text39", "1"}, {"Text40", "2"}});
    click("Command3");
    EXPECT_TRUE(allVisible(false));
    for (const auto& [box, start] :
         {std::pair{"Text36", "0"}, {"Text37", "0"}, {"Text38", ""}, {"Text39", ""}, {"Text40", ""}}) {
        EXPECT_EQ(text(box), start) << box;
    }
    EXPECT_EQ(text("Command3"), "加速版（测试中）");
    EXPECT_EQ(snapshot(), start);
    // A haste gain written by 计算 stays on the hidden label.
    click("Command1");
    const std::string hasteGain = text("Label45");
    click("Command3");
    click("Command3");
    EXPECT_EQ(text("Label45"), hasteGain);
}

TEST_F(PanelAdjust, HiddenControlsTakeNoUserAction) {
    click("Option8");
    EXPECT_EQ(value("Option8"), 0);
    click("Command5");
    enter("Text37"); // hidden outside haste mode: no guard
    EXPECT_EQ(text("Command5"), "穿第一套装备");
}

} // namespace
} // namespace velmora::testing
