#include "model/numbertext.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace velmora {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The blanks that lenient reading removes wherever they stand.
bool isRemovedBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isSurroundingBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// from_chars reports both overflow and underflow as out of range. Underflow is
// not an error here: such a number is rounded to a zero of its sign.
ReadResult convert(const char* first, const char* last, bool negative, bool overflowIfOutOfRange) {
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        if (overflowIfOutOfRange) {
            return {0.0, ReadStatus::OutOfRange};
        }
        return {negative ? -0.0 : 0.0, ReadStatus::Ok};
    }
    if (ec != std::errc() || ptr != last) {
        return {0.0, ReadStatus::NotANumber};
    }
    return {value, ReadStatus::Ok};
}

// Gathers a decimal number (sign, digits, point, exponent) from a text,
// skipping the characters that `skip` accepts, and tells whether a number
// beyond the range would be too large rather than too small.
class NumberScanner {
public:
    template <typename Skip> NumberScanner(std::string_view text, Skip skip) {
        std::size_t i = 0;
        const auto peek = [&]() -> char {
            while (i < text.size() && skip(text[i])) {
                ++i;
            }
            return i < text.size() ? text[i] : '\0';
        };
        char c = peek();
        if (c == '+' || c == '-') {
            negative_ = c == '-';
            if (negative_) {
                number_ += '-';
            }
            ++i;
            c = peek();
        }
        bool seenNonZero = false;
        for (; isDigit(c); ++i, c = peek()) {
            number_ += c;
            ++mantissaDigits_;
            seenNonZero = seenNonZero || c != '0';
            if (seenNonZero) {
                ++magnitude_;
            }
        }
        if (c == '.') {
            number_ += c;
            ++i;
            for (c = peek(); isDigit(c); ++i, c = peek()) {
                number_ += c;
                ++mantissaDigits_;
                if (!seenNonZero) {
                    seenNonZero = c != '0';
                    if (!seenNonZero) {
                        --magnitude_;
                    }
                }
            }
        }
        if (mantissaDigits_ > 0 && (c == 'e' || c == 'E')) {
            const std::size_t mark = i;
            const std::size_t numberMark = number_.size();
            number_ += 'e';
            ++i;
            c = peek();
            bool negativeExponent = false;
            if (c == '+' || c == '-') {
                negativeExponent = c == '-';
                number_ += c;
                ++i;
                c = peek();
            }
            if (isDigit(c)) {
                long long exponent = 0;
                for (; isDigit(c); ++i, c = peek()) {
                    number_ += c;
                    if (exponent < 1'000'000'000) {
                        exponent = exponent * 10 + (c - '0');
                    }
                }
                exponentValue_ = negativeExponent ? -exponent : exponent;
            } else {
                // "1e" or "1e+": the exponent is not part of the number.
                i = mark;
                number_.resize(numberMark);
            }
        }
        rest_ = i;
    }

    bool hasNumber() const { return mantissaDigits_ > 0; }
    bool negative() const { return negative_; }
    const std::string& number() const { return number_; }
    std::size_t end() const { return rest_; }
    // Beyond the range only at either extreme, so the sign of the rough
    // decimal magnitude tells overflow from underflow.
    bool tooLargeIfOutOfRange() const { return magnitude_ + exponentValue_ > 0; }

private:
    std::string number_;
    bool negative_ = false;
    int mantissaDigits_ = 0;
    long long magnitude_ = 0;
    long long exponentValue_ = 0;
    std::size_t rest_ = 0;
};

} // namespace

ReadResult TextToNumber(std::string_view text) {
    const NumberScanner scan(text, isRemovedBlank);
    if (!scan.hasNumber()) {
        return {0.0, ReadStatus::Ok};
    }
    const std::string& number = scan.number();
    const ReadResult result =
        convert(number.data(), number.data() + number.size(), scan.negative(), scan.tooLargeIfOutOfRange());
    return result;
}

ReadResult TextToNumberStrict(std::string_view text) {
    while (!text.empty() && isSurroundingBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSurroundingBlank(text.back())) {
        text.remove_suffix(1);
    }
    const NumberScanner scan(text, [](char) { return false; });
    if (!scan.hasNumber() || scan.end() != text.size()) {
        return {0.0, ReadStatus::NotANumber};
    }
    const std::string& number = scan.number();
    return convert(number.data(), number.data() + number.size(), scan.negative(),
                   scan.tooLargeIfOutOfRange());
}

std::string NumberToText(double value, Precision precision) {
    if (value == 0.0) {
        return "0"; // also a negative zero
    }
    const int digits = static_cast<int>(precision);
    char buffer[40];
    // Scientific form rounds the exact binary value to `digits` significant
    // digits: "-d.dddddde+XX".
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1);
    const std::string_view sci(buffer, static_cast<std::size_t>(end - buffer));
    const bool negative = sci.front() == '-';
    const std::size_t ePos = sci.find('e');
    std::string mantissa;
    for (char c : sci.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0))) {
        if (c != '.') {
            mantissa += c;
        }
    }
    int exponent = 0;
    std::string_view exponentText = sci.substr(ePos + 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    while (mantissa.size() > 1 && mantissa.back() == '0') {
        mantissa.pop_back();
    }

    std::string text;
    if (negative) {
        text += '-';
    }
    if (exponent < -4 || exponent >= digits) {
        text += mantissa.front();
        if (mantissa.size() > 1) {
            text += '.';
            text.append(mantissa, 1);
        }
        text += 'E';
        text += exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) {
            text += '0';
        }
        text += std::to_string(magnitude);
    } else if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += mantissa;
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (mantissa.size() <= integerDigits) {
            text += mantissa;
            text.append(integerDigits - mantissa.size(), '0');
        } else {
            text.append(mantissa, 0, integerDigits);
            text += '.';
            text.append(mantissa, integerDigits);
        }
    }
    return text;
}

} // namespace velmora
