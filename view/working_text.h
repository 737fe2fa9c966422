#pragma once

#include "grid_controller.h"
#include "number_format.h"
#include "number_text.h"
#include "shape.h"
#include "working.h"

#include <string>

namespace isosceles {

// How a row's results were computed, in Bulgarian, for a pupil: each step as the solver ran
// it, its formula, the formula with the values it used and its result, every number in the
// user's format with three decimals (in the boxes' short form where three decimals would
// hide it or run long, its power of ten as `exponent` says), − for minus, · for a product and √ for
// the root. Each quantity is named in words where it first appears. Lines are separated by '\n'.

// A text as a speech engine should get it: in Bulgarian words where a Bulgarian voice drops a
// symbol or reads it in English: the root, the product, minus, ≈, the fraction bar, a power
// of ten, a square, θ and π, and the quantities' Latin letters («а», «це», «аш»).
std::u16string spokenForm(std::u16string_view text);

// A term's one-letter name: c, a, P, S, h, t, u, θ.
std::u16string_view symbolOf(Term term);

// The row's whole working: the variant, the given values (and what was read of a text the
// reading took only in part), every step, and what the values are as a triangle; where a
// step failed, that step and what it means for the triangle.
std::u16string workingText(const Calculation& calculation, const NumberFormat& format,
                           Exponent exponent = Exponent::Raised);

// The steps that led to one term, a line each; nothing for a given quantity.
std::u16string stepsText(const Working& working, Term term, const NumberFormat& format,
                         Exponent exponent = Exponent::Raised);

// A given value whose text is beyond the range of numbers the program holds.
std::u16string unreadableText(Quantity quantity, const Calculation& calculation);

// What was read of a given value's text (`n` in reading order) where the reading did not
// take all of it, such as «От „6 и половина“ е прочетено 6.»; nothing where it did.
std::u16string readingNote(const Calculation& calculation, std::size_t n,
                           const NumberFormat& format);

// What a finished working's values are as a triangle: why no real triangle has them, or the
// second triangle that has the same given leg and area; nothing where neither is so.
std::u16string shapeNote(const Working& working, const NumberFormat& format,
                         Exponent exponent = Exponent::Raised);

// The step that failed, with its values, and one sentence of what that means for the
// triangle; nothing where no step failed.
std::u16string failureText(const Working& working, const NumberFormat& format,
                           Exponent exponent = Exponent::Raised);
// The same for a Calculate, whose sentence names a given box left empty instead, when one
// was: that, not the triangle, is what failed.
std::u16string failureText(const Calculation& calculation, const NumberFormat& format,
                           Exponent exponent = Exponent::Raised);

} // namespace isosceles
