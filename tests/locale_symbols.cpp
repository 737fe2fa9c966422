#include "locale_symbols.h"

namespace isosceles {

std::u16string spelledWith(std::u16string_view pattern, std::u16string_view group,
                           std::u16string_view decimal, std::u16string_view minus) {
    std::u16string text;
    for (const char16_t ch : pattern) {
        switch (ch) {
        case u'G':
            text += group;
            break;
        case u'D':
            text += decimal;
            break;
        case u'M':
            text += minus;
            break;
        default:
            text += ch;
        }
    }
    return text;
}

} // namespace isosceles
