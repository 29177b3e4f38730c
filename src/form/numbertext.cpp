#include "form/numbertext.h"

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <cmath>
#include <iterator>
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

// fast_float reads exactly as the standard library's from_chars does, on
// every target; a number beyond the range comes back infinite, and one too
// small to represent as a zero of its sign, which is within the range.
ReadResult convert(const char* first, const char* last) {
    double value = 0.0;
    const auto [ptr, ec] = fast_float::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) {
        return {0.0, ReadStatus::NotANumber};
    }
    if (std::isinf(value)) {
        return {0.0, ReadStatus::OutOfRange};
    }
    return {value, ReadStatus::Ok};
}

// Gathers a decimal number (sign, digits, point, exponent) from a text,
// skipping the characters that `skip` accepts.
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
            if (c == '-') {
                number_ += '-';
            }
            ++i;
            c = peek();
        }
        for (; isDigit(c); ++i, c = peek()) {
            number_ += c;
            ++mantissaDigits_;
        }
        if (c == '.') {
            number_ += c;
            ++i;
            for (c = peek(); isDigit(c); ++i, c = peek()) {
                number_ += c;
                ++mantissaDigits_;
            }
        }
        if (mantissaDigits_ > 0 && (c == 'e' || c == 'E')) {
            const std::size_t mark = i;
            const std::size_t numberMark = number_.size();
            number_ += 'e';
            ++i;
            c = peek();
            if (c == '+' || c == '-') {
                number_ += c;
                ++i;
                c = peek();
            }
            if (isDigit(c)) {
                for (; isDigit(c); ++i, c = peek()) {
                    number_ += c;
                }
            } else {
                // "1e" or "1e+": the exponent is not part of the number.
                i = mark;
                number_.resize(numberMark);
            }
        }
        rest_ = i;
    }

    bool hasNumber() const { return mantissaDigits_ > 0; }
    const std::string& number() const { return number_; }
    std::size_t end() const { return rest_; }

private:
    std::string number_;
    int mantissaDigits_ = 0;
    std::size_t rest_ = 0;
};

} // namespace

ReadResult TextToNumber(std::string_view text) {
    const NumberScanner scan(text, isRemovedBlank);
    if (!scan.hasNumber()) {
        return {0.0, ReadStatus::Ok};
    }
    const std::string& number = scan.number();
    return convert(number.data(), number.data() + number.size());
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
    return convert(number.data(), number.data() + number.size());
}

std::string NumberToText(double value, Precision precision) {
    if (value == 0.0) {
        return "0"; // also a negative zero
    }
    const int digits = static_cast<int>(precision);
    char buffer[40];
    // Scientific form rounds the exact binary value to `digits` significant
    // digits: "-d.dddddde+XX". fmt writes it without the locale.
    const auto written = fmt::format_to_n(buffer, sizeof buffer, FMT_STRING("{:.{}e}"), value, digits - 1);
    const std::string_view sci(buffer, written.size);
    const bool negative = sci.front() == '-';
    const std::size_t ePos = sci.find('e');
    std::string mantissa;
    for (char c : sci.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0))) {
        if (c != '.') {
            mantissa += c;
        }
    }
    int exponent = 0;
    for (char c : sci.substr(ePos + 2)) {
        exponent = exponent * 10 + (c - '0');
    }
    if (sci[ePos + 1] == '-') {
        exponent = -exponent;
    }
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
        // At least two exponent digits, as fmt writes them.
        std::string_view exponentDigits = sci.substr(ePos + 2);
        while (exponentDigits.size() > 2 && exponentDigits.front() == '0') {
            exponentDigits.remove_prefix(1);
        }
        text += exponentDigits;
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
