#pragma once

#include <string>

namespace isosceles {

// A finite value with exactly three decimals, in ASCII: an optional '-', digits, '.', three
// digits. Rounded half away from zero on the value's shortest decimal form (the digits that
// read back as the same double), so that 1.0005 is 1.001 although the double lies just
// below it; never "-0.000". What the platform's number writer is handed where it rounds on
// a decimal string of its own.
std::string decimal3(double value);

} // namespace isosceles
