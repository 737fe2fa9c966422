#pragma once

#include <string>
#include <string_view>

namespace isosceles {

// A number as a locale writes it, with the characters that a release of the locale data may
// change taken from the platform's installed data (ICU on Linux, the National Language
// Support on Windows): G stands for the locale's grouping separator, D for its decimal
// separator and M for its minus sign, all as written beside Latin digits. Every other
// character stands for itself. The locale is named as NumberFormat::forLocale takes it.
std::u16string spelled(const char* locale, std::u16string_view pattern);

// Replaces G, D and M in a pattern by the symbols given.
std::u16string spelledWith(std::u16string_view pattern, std::u16string_view group,
                           std::u16string_view decimal, std::u16string_view minus);

} // namespace isosceles
