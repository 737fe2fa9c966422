#include "blanks.h"

#include <algorithm>
#include <iterator>

namespace isosceles {

std::u16string removeBlanks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [](char16_t ch) { return ch != u' ' && ch != u'\t' && ch != u'\n'; });
    return out;
}

} // namespace isosceles
