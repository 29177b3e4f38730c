// libFuzzer target for the three number conversions.
//  - Reading any text never crashes, never reads past it, and gives a finite
//    number or says the number is out of range.
//  - Writing any finite double or float and reading the text back strictly
//    gives the value rounded to 15 (or 7) significant digits.
#include "form/numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using velmora::Precision;
using velmora::ReadStatus;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The value rounded to the given significant digits, by the standard
// library's own correctly rounded conversions.
double rounded(double value, int digits) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1).ptr;
    double result = 0;
    const auto [ptr, ec] = std::from_chars(buffer, end, result);
    return ec == std::errc::result_out_of_range ? std::copysign(HUGE_VAL, value) : result;
}

void checkReading(std::string_view text) {
    for (const auto& result : {velmora::TextToNumber(text), velmora::TextToNumberStrict(text)}) {
        require(std::isfinite(result.value));
        require(result.status == ReadStatus::Ok || result.value == 0);
    }
    require(velmora::TextToNumber(text).status != ReadStatus::NotANumber);
}

void checkRoundTrip(double value, Precision precision) {
    const std::string text = velmora::NumberToText(value, precision);
    require(text.find_first_not_of("0123456789.-+E") == std::string::npos);
    const auto back = velmora::TextToNumberStrict(text);
    const double expected = rounded(value, static_cast<int>(precision));
    if (std::isinf(expected)) {
        require(back.status == ReadStatus::OutOfRange);
        return;
    }
    require(back.ok());
    require(back.value == expected || (back.value == 0 && expected == 0));
    require(velmora::TextToNumber(text).value == back.value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkReading(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            checkRoundTrip(value, Precision::Double);
        }
        float single = 0;
        std::memcpy(&single, data, sizeof single);
        if (std::isfinite(single)) {
            checkRoundTrip(single, Precision::Single);
        }
    }
    return 0;
}
