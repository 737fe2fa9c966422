// FormatNumber3 then ParseNumber on any finite double in any of the locales: the text reads
// back as the double nearest to the decimal it shows.
#include "fuzz_input.h"
#include "number_text.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace isosceles;

// The decimal the text shows, from its Latin digits and any minus before them.
double shown(const std::u16string& text) {
    std::string digits;
    bool negative = false;
    for (const char16_t ch : text) {
        if (ch >= u'0' && ch <= u'9') {
            digits.push_back(static_cast<char>(ch));
        } else if (digits.empty() && (ch == u'-' || ch == u'\u2212')) {
            negative = true;
        }
    }
    if (digits.size() < 4) {
        std::abort();
    }
    const std::string decimal = std::string(negative ? "-" : "") +
                                digits.substr(0, digits.size() - 3) + "." +
                                digits.substr(digits.size() - 3);
    return std::strtod(decimal.c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const NumberFormat& format = fuzz::formats()[input.byte() % fuzz::kLocaleCount];
    const double value = input.number();
    if (!std::isfinite(value)) {
        return 0;
    }
    const std::u16string text = FormatNumber3(value, format);
    const double read = ParseNumber(text, format);
    const double expected = shown(text);
    if (std::memcmp(&read, &expected, sizeof read) != 0) {
        std::abort();
    }
    return 0;
}
