#include "locale_symbols.h"
#include "number_format.h"

#include <unicode/dcfmtsym.h>
#include <unicode/numsys.h>

#include <memory>
#include <stdexcept>

namespace isosceles {

std::u16string spelled(const char* locale, std::u16string_view pattern) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::NumberingSystem> latin(
        icu::NumberingSystem::createInstanceByName("latn", status));
    const icu::DecimalFormatSymbols symbols(
        icu::Locale(icuLocaleIdFromPosix(locale).value_or("root").c_str()), *latin, status);
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("no number symbols: ") + u_errorName(status));
    }
    const auto symbol = [&](icu::DecimalFormatSymbols::ENumberFormatSymbol which) {
        const icu::UnicodeString& s = symbols.getConstSymbol(which);
        return std::u16string(s.getBuffer(), static_cast<std::size_t>(s.length()));
    };
    return spelledWith(pattern, symbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol),
                       symbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol),
                       symbol(icu::DecimalFormatSymbols::kMinusSignSymbol));
}

} // namespace isosceles
