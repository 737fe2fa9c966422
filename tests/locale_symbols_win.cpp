#include "locale_symbols.h"
#include "number_format.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace isosceles {

namespace {

std::u16string localeText(const std::wstring& locale, LCTYPE type) {
    wchar_t text[32];
    if (GetLocaleInfoEx(locale.c_str(), type | LOCALE_NOUSEROVERRIDE, text, 32) == 0) {
        throw std::runtime_error("no number symbols");
    }
    return std::u16string(text, text + wcslen(text));
}

} // namespace

std::u16string spelled(const char* locale, std::u16string_view pattern) {
    std::string id = locale;
    if (const auto posix = icuLocaleIdFromPosix(locale)) {
        id = *posix;
        std::replace(id.begin(), id.end(), '_', '-');
    } else if (id.find('-') == std::string::npos) {
        return spelledWith(pattern, u",", u".", u"-"); // the C format
    }
    const std::wstring name(id.begin(), id.end());
    return spelledWith(pattern, localeText(name, LOCALE_STHOUSAND),
                       localeText(name, LOCALE_SDECIMAL), localeText(name, LOCALE_SNEGATIVESIGN));
}

} // namespace isosceles
