#include "form/numbertext.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace velmora {
namespace {

struct LenientCase {
    const char* text;
    double value;
};

TEST(TextToNumber, ReadsTheLongestLeadingNumber) {
    const LenientCase cases[] = {
        {"", 0},
        {"abc", 0},
        {"105", 105},
        {"105abc", 105},
        {"105.0", 105},
        {"12%", 12},
        {"1,000", 1},
        {"1.2.3", 1.2},
        {"-5", -5},
        {"+5", 5},
        {".5", 0.5},
        {"5.", 5},
        {"-.5e1", -5},
        {"1e5", 1e5},
        {"1E-05", 1e-5},
        {"2.5e+3x", 2500},
        {"1e", 1},
        {"1e+", 1},
        {"1ex5", 1},
        {"e5", 0},
        {"--5", 0},
        {"+-5", 0},
        {".", 0},
        {"-", 0},
        {"0x10", 0},
        {"inf", 0},
        {"nan", 0},
        {"１２", 0}, // full-width digits are not digits
        {"1.7976931348623157e308", DBL_MAX},
        {"1e-400", 0},
        {"0e99999999999", 0},
        {"000000000000000000000000000000000000000001", 1},
        {"0.1", 0.1},
    };
    for (const auto& [text, value] : cases) {
        const ReadResult result = TextToNumber(text);
        EXPECT_TRUE(result.ok()) << text;
        EXPECT_EQ(result.value, value) << text;
    }
}

TEST(TextToNumber, RemovesBlanksTabsAndLineFeedsAnywhere) {
    const LenientCase cases[] = {
        {" 1 05 ", 105},
        {"1\t05\n", 105},
        {"- 5", -5},
        {"1 e 5", 1e5},
        {"\n\t 7", 7},
        {"1 . 5", 1.5},
        {"\r5", 0}, // a carriage return is not a blank
        {"5\r5", 5},
        {"1\xe3\x80\x80"
         "2",
         1}, // nor is the ideographic space
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(TextToNumber(text).value, value) << text;
    }
}

TEST(TextToNumber, KeepsTheSignOfZero) {
    EXPECT_TRUE(std::signbit(TextToNumber("-0").value));
    EXPECT_TRUE(std::signbit(TextToNumber("-1e-999").value));
    EXPECT_FALSE(std::signbit(TextToNumber("0").value));
}

TEST(TextToNumber, ReportsNumbersBeyondTheDoubleRange) {
    for (const char* text : {"1e309", "-1e309", "1.7976931348623159e308", "1e99999999999999999999",
                             "100000000000000000000000000000000e300"}) {
        EXPECT_EQ(TextToNumber(text).status, ReadStatus::OutOfRange) << text;
    }
}

TEST(TextToNumber, ReadsVeryLongTexts) {
    EXPECT_EQ(TextToNumber(std::string(100000, '9')).status, ReadStatus::OutOfRange);
    EXPECT_EQ(TextToNumber("0." + std::string(100000, '0') + "1").value, 0);
    EXPECT_EQ(TextToNumber("3" + std::string(100000, ' ') + "4").value, 34);
    EXPECT_EQ(TextToNumber(std::string(100000, 'x')).value, 0);
}

TEST(TextToNumberStrict, AcceptsOneNumberWithSurroundingBlanksOnly) {
    const LenientCase good[] = {{"4.43654", 4.43654},
                                {" 4.43654 ", 4.43654},
                                {"-2.5", -2.5},
                                {"1E-05", 1e-5},
                                {"1.234568E+07", 1.234568e7},
                                {"0", 0},
                                {"5.", 5}};
    for (const auto& [text, value] : good) {
        const ReadResult result = TextToNumberStrict(text);
        EXPECT_TRUE(result.ok()) << text;
        EXPECT_EQ(result.value, value) << text;
    }
    for (const char* text :
         {"", " ", "abc", "12abc", "4.4 3", "1 05", "-", ".", "1e", "1e+", "--1", "1.2.3"}) {
        EXPECT_EQ(TextToNumberStrict(text).status, ReadStatus::NotANumber) << '"' << text << '"';
    }
    EXPECT_EQ(TextToNumberStrict("1.79769313486232E+308").status, ReadStatus::OutOfRange);
}

struct FormatCase {
    double value;
    Precision precision;
    const char* text;
};

TEST(NumberToText, RoundsToSignificantDigitsAndDropsTrailingZeros) {
    constexpr Precision S = Precision::Single;
    constexpr Precision D = Precision::Double;
    const FormatCase cases[] = {
        {0.0, D, "0"},
        {-0.0, D, "0"},
        {-0.0, S, "0"},
        {1, D, "1"},
        {-1, D, "-1"},
        {25.5, D, "25.5"},
        {0.1 + 0.2, D, "0.3"},
        {89.99999642372131, D, "89.9999964237213"},
        {100.00000178813934, D, "100.000001788139"},
        {-2.2222222222222223, D, "-2.22222222222222"},
        {103.27777777777777, D, "103.277777777778"},
        {99999.999999999999, D, "100000"},
        {999999999999999.0, D, "999999999999999"},
        {9999999999999999.0, D, "1E+16"},
        {1e15, D, "1E+15"},
        {1e100, D, "1E+100"},
        {0.0001, D, "0.0001"},
        {0.0000999999999999999999, D, "0.0001"},
        {0.00001, D, "1E-05"},
        {-0.000012345, D, "-1.2345E-05"},
        {5e-324, D, "4.94065645841247E-324"},
        {DBL_MAX, D, "1.79769313486232E+308"},
        {static_cast<float>(1.330961942), S, "1.330962"},
        {static_cast<float>(0.07586219), S, "0.07586219"},
        {static_cast<float>(1.2345678e-5), S, "1.234568E-05"},
        {static_cast<float>(0.0001234), S, "0.0001234"},
        {1234567.0, S, "1234567"},
        {12345678.0, S, "1.234568E+07"},
        {static_cast<float>(0.3), S, "0.3"},
        {static_cast<float>(1.05), S, "1.05"},
        {FLT_MAX, S, "3.402823E+38"},
    };
    for (const auto& [value, precision, text] : cases) {
        EXPECT_EQ(NumberToText(value, precision), text) << value;
    }
}

} // namespace
} // namespace velmora
