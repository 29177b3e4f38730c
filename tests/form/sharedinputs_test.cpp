// The player's inputs written into a page address and read back.
#include "formfixture.h"

#include "form/gearcandidates.h"
#include "form/sharedinputs.h"

#include <random>

namespace velmora::testing {
namespace {

class SharedInputsTest : public FormTest {};

TEST_F(SharedInputsTest, TheStartStateIsTheVersionAlone) {
    EXPECT_EQ(encodeInputs(form.fields()), "v1");
}

TEST_F(SharedInputsTest, InputsAreWrittenInAFixedForm) {
    click("Option2");
    set("Text3", "15000");
    set("Text4", "100");
    click("Check2"); // 101 and strain 3
    set("Text5", "a&b 命");
    EXPECT_EQ(encodeInputs(form.fields()),
              "v1&d=Option2&b=010&Text3=15000&Text4=101&Text5=a%26b%20%E5%91%BD&Text8=3");
}

// Every input comes back exactly; the results keep their start captions.
TEST_F(SharedInputsTest, ARoundTripRestoresEveryInput) {
    setWorkedExample();
    click("Option6");
    click("Check1");
    click("Command3");
    set("Text36", "12.5");
    set("Text37", "100");
    set("Text40", "<b>1</b>");
    set("Text10", "90");
    click("Command5");
    click("Command1");
    const std::string shared = encodeInputs(form.fields());

    tools::RecordingWarnings otherWarnings;
    Form other(otherWarnings);
    ASSERT_TRUE(other.restoreInputs(shared));
    for (FieldId field = 0; field < kControlCount; ++field) {
        const ControlDesign& design = kControls[field];
        SCOPED_TRACE(std::string(design.name));
        if (design.kind == Kind::TextBox || design.kind == Kind::OptionButton ||
            design.kind == Kind::CheckBox || design.kind == Kind::CommandButton) {
            EXPECT_EQ(other.fields().text(field), form.fields().text(field));
            EXPECT_EQ(other.fields().value(field), form.fields().value(field));
            EXPECT_EQ(other.fields().visible(field), form.fields().visible(field));
        }
    }
    EXPECT_EQ(other.fields().text(control("Label1")), "元气"); // 明教·焚影
    EXPECT_EQ(other.fields().text(control("Label15")), "内功攻击");
    EXPECT_FALSE(other.gainStore());
    EXPECT_TRUE(otherWarnings.shown.empty());
    EXPECT_EQ(encodeInputs(other.fields()), shared);
}

// The inputs a player can see: what an address must carry exactly.
std::vector<FieldState> inputsOf(const Form& form) {
    std::vector<FieldState> inputs;
    for (FieldId field = 0; field < kControlCount; ++field) {
        const Kind kind = kControls[field].kind;
        if (kind == Kind::TextBox || kind == Kind::OptionButton || kind == Kind::CheckBox ||
            kind == Kind::CommandButton || field == control("Label1") || field == control("Label2")) {
            inputs.push_back(
                {form.fields().text(field), form.fields().visible(field), form.fields().value(field)});
        }
    }
    return inputs;
}

void expectRoundTrip(const Form& form) {
    const std::string shared = encodeInputs(form.fields());
    EXPECT_LE(shared.size(), kMaxSharedLength);
    tools::RecordingWarnings otherWarnings;
    Form other(otherWarnings);
    ASSERT_TRUE(other.restoreInputs(shared)) << shared.substr(0, 200);
    EXPECT_EQ(inputsOf(other), inputsOf(form)) << shared.substr(0, 200);
}

// Whatever a player types or pastes into the page's boxes, in whatever state,
// the address opens exactly that state: printable ASCII, blanks, controls,
// format characters, CJK, four-byte characters, broken UTF-8, and texts up to
// and past the page's limit.
TEST_F(SharedInputsTest, EveryStateThePageCanBeInRoundTrips) {
    const std::string_view pieces[] = {"0",  "9",      ".",      "E-05",   "-",      "+", " ",    "\t",
                                       "\n", "\r",     "\v",     "\x7F",   "\x01",   "%", "&",    "=",
                                       "#",  "?",      "/",      "<",      "\"",     "~", "_",    "命",
                                       "１", "\u200B", "\u202E", "\uFEFF", "\u00AD", "😀", "\xFF", "\xE5\x91"};
    const std::vector<FieldId> clickable = {control("Option1"),  control("Option4"),  control("Option7"),
                                            control("Check1"),   control("Check2"),   control("Check3"),
                                            control("Command1"), control("Command3"), control("Command5")};
    std::vector<FieldId> boxes;
    for (FieldId field = 0; field < kControlCount; ++field) {
        if (kControls[field].kind == Kind::TextBox) {
            boxes.push_back(field);
        }
    }
    std::mt19937 random(20130627);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int state = 0; state < 400; ++state) {
        tools::RecordingWarnings stateWarnings;
        Form page(stateWarnings);
        for (int action = 0; action < 12; ++action) {
            if (pick(3) == 0) {
                page.click(clickable[pick(clickable.size())]);
                continue;
            }
            std::string typed;
            const std::size_t length = pick(4) == 0 ? kMaxPageBoxCharacters + pick(8) : pick(12);
            while (typed.size() < length) {
                typed += pieces[pick(std::size(pieces))];
            }
            page.type(boxes[pick(boxes.size())], typed, kMaxPageBoxCharacters);
        }
        SCOPED_TRACE(state);
        expectRoundTrip(page);
    }

    // The longest: every box full of four-byte characters, every flag set.
    tools::RecordingWarnings longestWarnings;
    Form longest(longestWarnings);
    for (const char* name : {"Option7", "Check1", "Check2", "Check3", "Command3", "Command5"}) {
        longest.click(control(name));
    }
    std::string full;
    for (std::size_t i = 0; i < kMaxPageBoxCharacters + 1; ++i) {
        full += "😀";
    }
    for (FieldId box : boxes) {
        longest.type(box, full, kMaxPageBoxCharacters);
        EXPECT_EQ(longest.fields().text(box).size(), 4 * kMaxPageBoxCharacters);
    }
    expectRoundTrip(longest);
}

TEST_F(SharedInputsTest, ATextIsReadUpToItsLimitExactly) {
    ASSERT_TRUE(form.restoreInputs("v1&Text1=" + std::string(kMaxSharedText, '1')));
    EXPECT_EQ(text("Text1").size(), kMaxSharedText);
    std::string unreserved;
    for (char c = ' '; c <= '~'; ++c) {
        unreserved += c;
    }
    set("Text3", unreserved); // every printable ASCII character, reserved or not
    expectRoundTrip(form);
    // The unreserved ones stand for themselves, both ways.
    set("Text3", "AZaz09-._~");
    EXPECT_NE(encodeInputs(form.fields()).find("&Text3=AZaz09-._~"), std::string::npos);
    ASSERT_TRUE(form.restoreInputs("v1&Text4=~-._"));
    EXPECT_EQ(text("Text4"), "~-._");
}

// Malformed, later, hostile or overlong texts open the start state.
TEST_F(SharedInputsTest, AnythingElseIsRefusedWhole) {
    const std::string tooLong = "v1&Text1=" + std::string(kMaxSharedText + 1, '1');
    const std::string wayTooLong = "v1&Text1=1" + std::string(kMaxSharedLength, '1');
    const std::string refused[] = {
        "",
        "v2&Text1=1",
        "V1&Text1=1",
        "v1Text1=1",
        "v1&",
        "v1&&Text1=1",
        "v1&Text1",
        "v1&Text1=1&Text1=2",
        "v1&Text99=1",
        "v1&Label15=1",
        "v1&Command1=1",
        "v1&d=Option9",
        "v1&d=Text1",
        "v1&d=Option1&d=Option2",
        "v1&b=0101",
        "v1&b=012",
        "v1&h=2",
        "v1&s=1&s=1",
        "v1&Text36=5",
        "v1&Text40=1",
        "v1&Text1=%ZZ",
        "v1&Text1=%4",
        "v1&Text1=%E5%91",
        "v1&Text1=%C0%80",
        "v1&Text1=%00",
        "v1&Text1=%0B",
        "v1&Text1=15%E2%80%8B000", // shows 15000, would read 15
        "v1&Text1=%E2%80%AE00051",
        "v1&Text1=%EF%BB%BF1",
        "v1&Text1=%C2%85",
        "v1&Text1=<b>1</b>",
        "v1&Text1=1e999&x=<script>",
        "v1&g=",                                       // a list piece with no item
        "v1&g=%E5%B8%BD%E5%AD%90%09%E7%94%B2%091&g=1", // a second piece
        "v1&g=a b",
        tooLong,
        wayTooLong,
    };
    const auto start = snapshot();
    for (const std::string& text : refused) {
        SCOPED_TRACE(text.substr(0, 40));
        EXPECT_FALSE(form.restoreInputs(text));
        EXPECT_EQ(snapshot(), start);
    }
    EXPECT_TRUE(warnings.shown.empty());
}

// The candidate list of 最佳组合 travels with the inputs, and with none.
TEST_F(SharedInputsTest, TheCandidateListTravelsWithTheAddress) {
    for (const bool withInputs : {true, false}) {
        SCOPED_TRACE(withInputs);
        Form sent(warnings);
        if (withInputs) {
            sent.setText(control("Text3"), "15000");
        }
        GearCandidates typed;
        typed.typeDraft("帽子\t甲 乙\t1\t0\t12.5\n戒指\t<b>&g=\t0\t1\t2\t3");
        ASSERT_FALSE(typed.readDraft().has_value());
        sent.setGearListAddress(typed.addressPiece());
        Form opened(warnings);
        opened.openInputs(sent.address().substr(1));
        GearCandidates read;
        read.openAddress(opened.gearListAddress());
        EXPECT_EQ(read.list(), typed.list());
        EXPECT_EQ(read.draft(), writeGearList(typed.list()));
        EXPECT_EQ(opened.fields().text(control("Text3")), withInputs ? "15000" : "0");
        EXPECT_EQ(opened.address(), sent.address());
    }
    // A piece well formed but no list (已穿 2) opens as no list, said so.
    GearCandidates unreadable;
    unreadable.openAddress("&g=%E5%B8%BD%E5%AD%90%09%E7%94%B2%092");
    EXPECT_TRUE(unreadable.addressUnreadable());
    EXPECT_EQ(unreadable.list(), GearList{});
}

TEST_F(SharedInputsTest, TextsThatLookLikeMarkupOrHugeNumbersAreKeptAsTexts) {
    ASSERT_TRUE(form.restoreInputs("v1&Text4=%3Cb%3E1%3C%2Fb%3E&Text3=1e999&h=1&Text36=%09"));
    EXPECT_EQ(text("Text4"), "<b>1</b>");
    EXPECT_EQ(text("Text3"), "1e999");
    EXPECT_EQ(text("Text36"), "\t");
    EXPECT_EQ(text("Command3"), "无加速版");
    EXPECT_TRUE(visible("Text36"));
}

} // namespace
} // namespace velmora::testing
