#include "form/checkednumbers.h"

#include <cfloat>
#include <cmath>

namespace velmora {

double readNumber(std::string_view text) {
    const ReadResult result = TextToNumber(text);
    if (!result.ok()) {
        throw OutOfRange{};
    }
    return result.value;
}

double readStrict(std::string_view text) {
    const ReadResult result = TextToNumberStrict(text);
    if (!result.ok()) {
        throw OutOfRange{};
    }
    return result.value;
}

float single(double value) {
    // Halfway between FLT_MAX and the next power of two: from here on the
    // rounding goes to infinity.
    constexpr double kFirstInfinite = 0x1.ffffffp127;
    if (!(std::fabs(value) < kFirstInfinite)) {
        throw OutOfRange{};
    }
    if (std::fabs(value) > FLT_MAX) {
        return std::copysign(FLT_MAX, static_cast<float>(value > 0 ? 1 : -1));
    }
    return static_cast<float>(value);
}

double finite(double value) {
    if (!std::isfinite(value)) {
        throw OutOfRange{};
    }
    return value;
}

std::string numberText(double value, Precision precision) {
    std::string text = NumberToText(finite(value), precision);
    // Only the largest doubles can round up past the range at 15 digits.
    if (std::fabs(value) > 1e308 && !TextToNumberStrict(text).ok()) {
        throw OutOfRange{};
    }
    return text;
}

} // namespace velmora
