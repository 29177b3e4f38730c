// libFuzzer target: the libraries behind the number texts agree with the
// standard library on every input.
//  - fast_float::from_chars reads every decimal text as std::from_chars
//    does: the same value and end, or both refuse it; where the standard
//    library reports a number beyond the range, fast_float gives infinity
//    (too large) or a value below the normal range (too small).
//  - fmt's "{:.Ne}" writes every double as std::to_chars's scientific form
//    with the same precision does, at 7 and at 15 significant digits.
#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool sameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Only the texts the number scanner hands over: digits, point, exponent and
// signs, never a leading "+" (the scanner drops it).
bool isScannerText(std::string_view text) {
    return !text.empty() && text.front() != '+' && text.find_first_not_of("0123456789.eE+-") == text.npos;
}

void compareReading(std::string_view text) {
    if (!isScannerText(text)) {
        return;
    }
    const char* first = text.data();
    const char* last = first + text.size();
    double expected = 0;
    const auto standard = std::from_chars(first, last, expected);
    double value = 0;
    const auto fast = fast_float::from_chars(first, last, value);
    if (standard.ec == std::errc::invalid_argument) {
        require(fast.ec == std::errc::invalid_argument);
        return;
    }
    require(fast.ec == std::errc());
    require(fast.ptr == standard.ptr);
    if (standard.ec == std::errc::result_out_of_range) {
        require(std::isinf(value) || std::fabs(value) < DBL_MIN);
        return;
    }
    require(sameDouble(value, expected));
}

void compareWriting(double value) {
    for (int digits : {7, 15}) {
        char standard[64];
        const auto end = std::to_chars(standard, standard + sizeof standard, value,
                                       std::chars_format::scientific, digits - 1)
                             .ptr;
        char written[64];
        const auto result =
            fmt::format_to_n(written, sizeof written, FMT_STRING("{:.{}e}"), value, digits - 1);
        require(std::string_view(standard, static_cast<std::size_t>(end - standard)) ==
                std::string_view(written, result.size));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    compareReading(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            compareWriting(value);
            compareWriting(static_cast<double>(static_cast<float>(value)));
        }
    }
    return 0;
}
