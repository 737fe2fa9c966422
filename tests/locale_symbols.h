#pragma once

#include "number_format.h"

#include <unicode/dcfmtsym.h>
#include <unicode/numsys.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace isosceles {

// A number as a locale writes it, with the characters that a release of the locale data may
// change taken from the installed data: G stands for the locale's grouping separator, D for
// its decimal separator and M for its minus sign, all as written beside Latin digits. Every
// other character stands for itself.
inline std::u16string spelled(const char* posixLocale, std::u16string_view pattern) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::NumberingSystem> latin(
        icu::NumberingSystem::createInstanceByName("latn", status));
    const icu::DecimalFormatSymbols symbols(
        icu::Locale(icuLocaleIdFromPosix(posixLocale).value_or("root").c_str()), *latin, status);
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("no number symbols: ") + u_errorName(status));
    }
    const auto symbol = [&](icu::DecimalFormatSymbols::ENumberFormatSymbol which) {
        const icu::UnicodeString& s = symbols.getConstSymbol(which);
        return std::u16string(s.getBuffer(), static_cast<std::size_t>(s.length()));
    };
    std::u16string text;
    for (const char16_t ch : pattern) {
        switch (ch) {
        case u'G':
            text += symbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol);
            break;
        case u'D':
            text += symbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol);
            break;
        case u'M':
            text += symbol(icu::DecimalFormatSymbols::kMinusSignSymbol);
            break;
        default:
            text += ch;
        }
    }
    return text;
}

} // namespace isosceles
