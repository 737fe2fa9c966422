#pragma once

#include "triangle_values.h"
#include "variant_table.h"

namespace isosceles {

// Completes the triangle from the variant's two given values, in its reading order.
// The given values come back exactly as received. Raises CalcError at the first failing
// operation; never returns an infinity or a NaN.
TriangleValues solveVariant(Variant variant, double first, double second);

} // namespace isosceles
