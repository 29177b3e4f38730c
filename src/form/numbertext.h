// Number texts: how handlers read numbers from fields and write them back.
// None of these depends on the process locale: the point is always the
// decimal separator.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

enum class ReadStatus {
    Ok,
    OutOfRange, // the number lies beyond the double range
    NotANumber, // strict reading only: the text is not one decimal number
};

struct ReadResult {
    double value = 0.0;
    ReadStatus status = ReadStatus::Ok;

    bool ok() const { return status == ReadStatus::Ok; }
};

// Lenient reading. Blanks, tabs and line feeds are removed first, then the
// longest leading decimal number (sign, digits, one point, exponent) is read
// and the rest ignored. A text that does not begin with a number reads as 0.
// Fails only when the number is beyond the double range.
ReadResult TextToNumber(std::string_view text);

// Strict reading: the whole text, apart from surrounding blanks, must be one
// decimal number.
ReadResult TextToNumberStrict(std::string_view text);

enum class Precision {
    Single = 7, // a single-precision value is written with 7 significant digits
    Double = 15,
};

// Rounds to the precision's significant digits and writes the shortest text:
// "0.07586219", "1.234568E-05", "-2.22222222222222". A negative zero is "0".
// The value must be finite.
std::string NumberToText(double value, Precision precision);

} // namespace velmora
