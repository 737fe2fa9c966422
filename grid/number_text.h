#pragma once

#include "blanks.h"
#include "number_format.h"

#include <optional>
#include <string>
#include <string_view>

namespace isosceles {

// Box text to number. A number written in the format's own way (its decimal separator with
// any number of decimals, its grouping or none, its sign) reads as that number, except that
// where the format groups with a period a text without its decimal separator is left to the
// rule («1.234» stays 1.234). Every other text follows the fixed reading rule, which ignores
// the locale: blanks removed, &H/&O integers, else sign, digits, period, exponent E or D, up
// to the first character that cannot continue, 0 where no digit was read.
// Raises CalcError(Overflow) for a number beyond the double range.
double ParseNumber(std::u16string_view text, const NumberFormat& format);

// Whether the reading takes the whole text: false where it stops at a character that cannot
// continue a number («6,5» where a comma only groups thousands reads as 6), and for an empty
// text, which reads as 0.
bool readsWhole(std::u16string_view text, const NumberFormat& format);

// Number to box text: three decimals in the format's regional convention.
std::u16string FormatNumber3(double value, const NumberFormat& format);

// A value with every decimal it has, in the format's convention, none where it is whole
// (6; 6,25; −1 234,5), so that what was read of a text can be shown as it is; the short form
// for a value below 0.0005 or from 10¹⁵ on, other than zero.
std::u16string exactNumber(double value, const NumberFormat& format);

// How a short form writes its power of ten: raised (10¹²), or, for a font that lacks the
// raised digits and minus, which would then show as blanks or boxes and make 10⁻⁴ read as
// 10 4, on the line after a caret (10^−4).
enum class Exponent { Raised, Plain };

// A short form of a text that is one number, for a box too narrow to show it whole: three
// decimals of its leading digit's place and the power of ten, such as 1,000·10¹² in the
// format's convention, so that its magnitude shows. Nothing for a text that is not one
// number: neither a number in the format's own way nor a plain number of the reading rule.
std::optional<std::u16string> compactForm(std::u16string_view text, const NumberFormat& format,
                                          Exponent exponent = Exponent::Raised);

// The same short form of a finite value other than zero.
std::u16string compactNumber(double value, const NumberFormat& format,
                             Exponent exponent = Exponent::Raised);

// The value that short form shows, as a calculator would take it from the text.
double compactValue(double value, const NumberFormat& format);

} // namespace isosceles
