#pragma once

#include <string>
#include <string_view>

namespace isosceles {

// The text without its spaces, tabs and line feeds: what both reading box text and taking a
// locale's written form apart ignore.
std::u16string removeBlanks(std::u16string_view text);

} // namespace isosceles
