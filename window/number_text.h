#pragma once

#include "number_format.h"

#include <string>
#include <string_view>

namespace isosceles {

// Box text to number. A text in the format's own three-decimal written form reads as the
// number it shows; every other text follows the fixed reading rule, which ignores the
// locale: blanks removed, &H/&O integers, else sign, digits, period, exponent E or D, up
// to the first character that cannot continue, 0 where no digit was read.
// Raises CalcError(Overflow) for a number beyond the double range.
double ParseNumber(std::u16string_view text, const NumberFormat& format);

// Number to box text: three decimals in the format's regional convention.
std::u16string FormatNumber3(double value, const NumberFormat& format);

// The text without its spaces, tabs and line feeds.
std::u16string removeBlanks(std::u16string_view text);

} // namespace isosceles
