// The rules both views ask the core: entries, Enter, shortening, pixels.
#include "formfixture.h"

#include "form/boxtext.h"
#include "view/controlnames.h"
#include "view/viewrules.h"

namespace velmora::testing {
namespace {

// A label that holds `width` characters of a fixed-pitch font.
std::string shortened(std::string_view text, std::size_t width) {
    return shortenToFit(text, [width](std::string_view candidate) {
        std::size_t characters = 0;
        for (unsigned char c : candidate) {
            characters += (c & 0xC0) != 0x80;
        }
        return characters <= width;
    });
}

TEST(ViewRules, ALongNumberKeepsItsSignFirstDigitsAndExponent) {
    const struct {
        std::string_view text;
        std::size_t width;
        std::string_view shown;
    } cases[] = {
        {"1.48069512345678E+307", 8, "1.…E+307"},
        {"1.48069512345678E+307", 10, "1.48…E+307"},
        {"-1.48069512345678E-308", 9, "-1.…E-308"},
        {"-1.48069512345678E-308", 4, "-1…E-308"}, // never less than the first digit and the exponent
        {"1.797693E+308", 13, "1.797693E+308"},
        {"75.1966867761961", 8, "75.1966…"},
        {"2094.54585513998", 16, "2094.54585513998"},
        {"0.07586219", 1, "0…"},
        {"1E+307", 3, "1E+307"}, // nothing to leave out
        {"命中溢出", 3, "命中…"},
        {"内功阵法数据", 1, "内…"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shortened(c.text, c.width), c.shown) << c.text << " in " << c.width;
    }
}

TEST(ViewRules, NumbersAreTheTextsThatNeverWrap) {
    for (std::string_view number : {"1.480695", "1.5E+26", "-45", "0", "2.22044604925031E-15"}) {
        EXPECT_TRUE(isNumberText(number)) << number;
    }
    for (std::string_view text : {"", "命中溢出", "1 2", "第一套", "12abc", "<b>1</b>"}) {
        EXPECT_FALSE(isNumberText(text)) << text;
    }
}

TEST(ViewRules, EnterPressesTheFocusedButtonOr计算InAPanelBox) {
    EXPECT_EQ(enterPresses(id("Text3")), id("Command1"));
    EXPECT_EQ(enterPresses(id("Text36")), id("Command1"));
    EXPECT_EQ(enterPresses(id("Command2")), id("Command2"));
    EXPECT_EQ(enterPresses(id("Text15")), kControlCount);
    EXPECT_EQ(enterPresses(id("Option1")), kControlCount);
    EXPECT_EQ(enterPresses(id("Text3"), true), kControlCount); // Shift+Enter and the like press nothing
    EXPECT_EQ(enterPresses(id("Command2"), true), kControlCount);
    EXPECT_TRUE(opensHelp(id("Command4")));
    EXPECT_FALSE(opensHelp(id("Command3")));
}

TEST(ViewRules, TwipsArePixelsAt96DotsPerInch) {
    EXPECT_EQ(twipsToPixels(8760), 584);
    EXPECT_EQ(twipsToPixels(855), 57);
    EXPECT_EQ(twipsToPixels(270), 18);
    EXPECT_EQ(twipsToPixels(7), 0);
    EXPECT_EQ(twipsToPixels(8), 1);
    EXPECT_EQ(twipsToPixels(0), 0);
}

// A listener is told of a press that changed a result, in the button's
// words, after the button's own new caption when it has one; a press that
// changed none, or any other control, says nothing.
class Announcements : public FormTest {};

TEST_F(Announcements, OnlyAPressThatChangesAResultIsTold) {
    setWorkedExample();
    click("Option2");
    EXPECT_EQ(announcement(form), "");
    const std::pair<const char*, const char*> presses[] = {
        {"Command1", "已算出每一点属性的收益"},
        {"Command1", ""},         // the same results again
        {"Command3", "无加速版"}, // haste mode: no computation, the button renamed
        {"Check3", ""},           // a buff changes the panel, not the results
        {"Command1", "已算出每一点属性的收益"},
    };
    for (const auto& [button, told] : presses) {
        click(button);
        EXPECT_EQ(announcement(form), told) << button;
    }
    click("Command3"); // back to the worked example, its gains in the gain store
    click("Check3");
    click("Command1");
    setPanel({{"Text1", "3000"}, {"Text16", "2"}, {"Text9", "100"}}); // 总收益 needs the whole panel
    click("Command2");
    EXPECT_EQ(announcement(form),
              "已算出各套装备的总收益：第一套 148.0695，第二套 2.96139，第三套 0，第四套 0。")
        << "each set's total whole: 100 and 2 times the attack's 1.480695";
    click("Command5");
    EXPECT_EQ(announcement(form), "穿第一套装备。已算出每一点属性的收益");
    enter("Text2"); // the guard puts set 1 on and computes: no button was pressed
    EXPECT_EQ(text("Command5"), "脱第一套装备");
    EXPECT_EQ(announcement(form), "");
}

// 819 x 585 on screens with more room, less room one way, and less both ways.
TEST(ViewRules, AScrollingWindowTakesTheRoomItHasAndAScrollBarMoreAcross) {
    const struct {
        WindowSize room, largest, opening;
    } cases[] = {
        {{1920, 1080}, {819, 585}, {819, 585}},
        {{911, 512}, {835, 585}, {835, 512}},
        {{700, 500}, {835, 601}, {700, 500}},
    };
    for (const auto& c : cases) {
        const ScrollingWindow fitted = fitScrollingWindow({819, 585}, c.room, 16);
        EXPECT_EQ(fitted.largest, c.largest) << c.room.width;
        EXPECT_EQ(fitted.opening, c.opening) << c.room.width;
    }
}

// Which captions stay on one line, and what a shortened one tells beside it.
TEST(ViewRules, OneLineCaptionsAndTheirWholeText) {
    EXPECT_TRUE(staysOnOneLine(id("Label3"), "内功攻击")); // a fitting label
    EXPECT_TRUE(staysOnOneLine(id("Label30"), "1.5E+26")); // a number in a fixed result
    EXPECT_FALSE(staysOnOneLine(id("Label30"), "第二套"));
    EXPECT_FALSE(staysOnOneLine(id("Label3"), "内功攻击", Layout::OneColumn)); // wraps, never cut
    EXPECT_TRUE(staysOnOneLine(id("Label30"), "1.5E+26", Layout::OneColumn));
    const auto inFiveBytes = [](std::string_view text) { return text.size() <= 5; };
    EXPECT_EQ(showCaption("12.5", inFiveBytes).whole, "");
    const ShownCaption cut = showCaption("12.345", inFiveBytes);
    EXPECT_EQ(cut.text, "12…");
    EXPECT_EQ(cut.whole, "12.345");
}

// The caret stays after what is kept of the characters before it, counted in
// UTF-16 as the views count; zero-width spaces are dropped.
TEST(ViewRules, TheCaretFollowsWhatWasKeptBeforeIt) {
    const struct {
        std::string_view typed;
        std::size_t caret, max, kept;
    } cases[] = {
        {"12\u200B34", 3, 99, 2},    {"12\u200B34", 5, 99, 4}, {"1234\u200B", 2, 99, 2},
        {"\u200B\u200B1", 2, 99, 0}, {"😀\u200B1", 3, 99, 2},   {"😀1", 1, 99, 0}, // never inside a pair
        {"123456", 6, 4, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(caretAfterKeeping(c.typed, c.caret, c.max), c.kept) << c.typed << " at " << c.caret;
    }
}

TEST(ViewRules, BoxesAndResultsAreNamedFromOtherCaptions) {
    for (const char* name : {"Text15", "Text1", "Label30", "Label15"}) {
        EXPECT_TRUE(hasComposedName(control(name))) << name;
    }
    for (const char* name : {"Label3", "Label29", "Command1", "Option2", "Frame2"}) {
        EXPECT_FALSE(hasComposedName(control(name))) << name;
    }
}

// A box is named by its row (and set); a result by its row, or its set and
// 总收益, then its text, and is labelled by the same; headings, units and
// notes label nothing and are named by their caption. A discipline renames its primary attribute's row.
TEST_F(FormTest, NamesSayWhatEachControlIs) {
    const struct {
        const char* discipline;
        const char* control;
        std::vector<std::string> labels;
        std::string name;
    } named[] = {
        {"", "Text7", {"破防"}, "破防"},
        {"", "Text19", {"第二套", "会效等级"}, "第二套 会效等级"},
        {"", "Label16", {"命中率", "命中"}, "命中率 命中"},
        {"", "Label64", {"命中判定", "命中判定"}, "命中判定 命中判定"},
        {"", "Label28", {"第一套", "总收益", "第一套"}, "第一套 总收益 第一套"},
        {"", "Label34", {"第四套", "总收益", "第四套"}, "第四套 总收益 第四套"},
        {"", "Label11", {}, "%"},
        {"", "Label42", {}, "2013.06.27更新　感谢试用并反馈结果的各位侠士"},
        {"Option2", "Text1", {"根骨"}, "根骨"},
        {"Option4", "Text1", {"元气"}, "元气"},
        {"Option4", "Text29", {"第四套", "元气"}, "第四套 元气"},
    };
    for (const auto& c : named) {
        if (*c.discipline != '\0') {
            click(c.discipline);
        }
        std::vector<std::string> labels;
        for (const FieldId label : labelledByOf(control(c.control))) {
            labels.push_back(form.fields().text(label));
        }
        EXPECT_EQ(labels, c.labels) << c.control;
        EXPECT_EQ(accessibleNameOf(control(c.control), form.fields()), c.name) << c.control;
    }
}

class Set1Off : public FormTest {
protected:
    void SetUp() override {
        click("Option2");
        set("Text1", "3000");
        set("Text2", "120");
        click("Command5");
        ASSERT_EQ(text("Text1"), "2880");
        takeWarnings();
    }
};

// Every way the focus can come to a set-1 cell, and whether it puts set 1 on.
TEST_F(Set1Off, EveryArrivalButTheFocusComingBackIsAnEntry) {
    const std::pair<FocusArrival, bool> arrivals[] = {
        {FocusArrival::UserNavigation, true}, {FocusArrival::Pointer, true},
        {FocusArrival::AssistiveTool, true},  {FocusArrival::WindowActivated, false},
        {FocusArrival::BoxClosed, false},     {FocusArrival::PopupClosed, false},
    };
    for (const auto& [how, entry] : arrivals) {
        SCOPED_TRACE(static_cast<int>(how));
        focusArrived(form, control("Text2"), how);
        EXPECT_EQ(text("Text1"), entry ? "3000" : "2880");
        EXPECT_EQ(takeWarnings(), entry ? Warnings{kGuard} : Warnings{});
        if (entry) {
            click("Command5"); // off again
        }
    }
}

// Text that reaches a cell without an entry (a paste, a drop, an assistive
// tool's text interface) puts set 1 on first, then lands on the worn set.
TEST_F(Set1Off, TextArrivingInACellPutsSet1OnFirst) {
    form.type(control("Text2"), "9");
    EXPECT_EQ(takeWarnings(), Warnings{kGuard});
    EXPECT_EQ(text("Text1"), "3000");
    EXPECT_EQ(text("Text2"), "9");
    EXPECT_EQ(text("Command5"), "脱第一套装备");
    click("Command5");
    EXPECT_EQ(text("Text1"), "2991");
}

TEST_F(Set1Off, ACellKeepsItsTextWhenSet1CannotGoBackOn) {
    set("Text3", "1e308");
    set("Text9", "1e308"); // the put-on would leave the range
    form.type(control("Text9"), "5");
    EXPECT_EQ(takeWarnings(), Warnings{kOutOfRange});
    EXPECT_EQ(text("Text9"), "1e308");
    EXPECT_EQ(text("Command5"), "穿第一套装备");
}

} // namespace
} // namespace velmora::testing
