#pragma once

#include "number_format.h"

#include <string>

namespace isosceles {

// A format such as a Windows user can make in the Region settings, the same on every system:
// its decimal separator, groups of three under its group separator, and a negative value
// after '-' or, with `parentheses`, inside them.
NumberFormat customFormat(std::u16string decimal, std::u16string group, bool parentheses);

} // namespace isosceles
