// ParseNumber on any box text: never crashes, hangs or returns a non-finite value, and on a
// plain decimal agrees bit for bit with the C library's strtod, overflow included.
#include "calc_error.h"
#include "fuzz_input.h"
#include "number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

using namespace isosceles;

bool isPlainDecimal(const std::u16string& text) {
    for (const char16_t ch : text) {
        if (!((ch >= u'0' && ch <= u'9') || ch == u'+' || ch == u'-' || ch == u'.' || ch == u'e' ||
              ch == u'E')) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const NumberFormat& format = fuzz::formats()[input.byte() % fuzz::kLocaleCount];
    const std::u16string text = input.units();

    bool overflow = false;
    double value = 0;
    try {
        value = ParseNumber(text, format);
    } catch (const CalcError& error) {
        if (error.kind() != CalcErrorKind::Overflow) {
            std::abort();
        }
        overflow = true;
    }
    if (!overflow && !std::isfinite(value)) {
        std::abort();
    }

    const std::u16string compact = removeBlanks(text);
    if (!isPlainDecimal(compact)) {
        return 0;
    }
    const std::string ascii(compact.begin(), compact.end());
    errno = 0;
    const double expected = std::strtod(ascii.c_str(), nullptr);
    const bool expectedOverflow = errno == ERANGE && std::isinf(expected);
    if (overflow != expectedOverflow) {
        std::abort();
    }
    if (!overflow && std::memcmp(&value, &expected, sizeof value) != 0) {
        std::abort();
    }
    return 0;
}
