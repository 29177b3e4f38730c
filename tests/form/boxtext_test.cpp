// A box holds only what it can show, so that what it shows is what 计算 reads.
#include "formfixture.h"

#include "form/boxtext.h"

namespace velmora::testing {
namespace {

struct Kept {
    std::string_view typed;
    std::string_view kept;
};

TEST(BoxText, InvisibleAndControlCharactersAreDroppedEverythingElseKept) {
    const Kept cases[] = {
        {"15\u200B000", "15000"},   // zero-width space
        {"\u202E00051", "00051"},   // right-to-left override
        {"\u2066-1\u2069", "-1"},   // isolates
        {"\uFEFF12\u2060", "12"},   // byte-order mark, word joiner
        {"1\u00AD2\u200D3", "123"}, // soft hyphen, zero-width joiner
        {"12\v0\x01\x7F", "120"},   // vertical tab, U+0001, DEL
        {"1\r2\x1B", "12"},         // carriage return, escape
        {"\xC2\x85"
         "3\xC2\x9F",
         "3"},                        // C1 controls (NEL, APC)
        {"\U000E0041\U000E007F", ""}, // tag characters
        {"\t1\n2 ", "\t1\n2 "},       // skipped by reading a number: kept
        {"命中 ５ 😀\u2028x", "命中 ５ 😀\u2028x"},
        {"<b>&amp;</b>%E2", "<b>&amp;</b>%E2"},
        {"\xFF"
         "1\xC0\x80"
         "2\xED\xA0\x80"
         "3\xE5\x91",
         "123"}, // not UTF-8
    };
    for (const Kept& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(keepShowable(c.typed), c.kept);
        EXPECT_EQ(isShowable(c.typed), c.typed == c.kept);
    }
}

TEST(BoxText, TheLimitCountsShownCharacters) {
    EXPECT_EQ(keepShowable("12345", 3), "123");
    EXPECT_EQ(keepShowable("命中率", 2), "命中");
    EXPECT_EQ(keepShowable("1\u200B\u200B23", 2), "12");
    EXPECT_EQ(keepShowable("😀😀", 1), "😀");
    EXPECT_EQ(keepShowable("", 0), "");
}

class TypedBoxes : public FormTest {};

// The worked example, with a zero-width space pasted into the attack:
// 计算 reads the 15000 the box shows.
TEST_F(TypedBoxes, WhatTheBoxShowsIsWhat计算Reads) {
    setWorkedExample();
    click("Option2");
    form.type(control("Text3"), "15\u200B000");
    form.type(control("Text8"), "\u202E30");
    EXPECT_EQ(text("Text3"), "15000");
    EXPECT_EQ(text("Text8"), "30");
    click("Command1");
    EXPECT_EQ(text("Label15"), "1.480695");
    EXPECT_EQ(text("Label21"), "4.43654");
}

} // namespace
} // namespace velmora::testing
