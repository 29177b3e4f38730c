// Number handling inside handlers. A number beyond the double range, or a
// working value that would not be finite, aborts the whole press: the
// handler throws OutOfRange and the form undoes everything it wrote.
#pragma once

#include "form/numbertext.h"

#include <string>
#include <string_view>

namespace velmora {

struct OutOfRange {};

// TextToNumber, aborting the press when the number is beyond the double range.
double readNumber(std::string_view text);

// TextToNumberStrict of a text the program wrote itself.
double readStrict(std::string_view text);

// Rounds to single precision; aborts when the result would be infinite.
float single(double value);

// Aborts unless the value is finite.
double finite(double value);

// NumberToText of a finite value whose text reads back within the double
// range; anything else aborts, so a field never holds "inf", "nan" or a
// number that cannot be read again.
std::string numberText(double value, Precision precision);

} // namespace velmora
