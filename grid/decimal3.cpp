#include "decimal3.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string_view>

namespace isosceles {

namespace {

constexpr std::size_t kDecimals = 3;

} // namespace

std::string decimal3(double value) {
    if (!std::isfinite(value)) {
        throw std::invalid_argument("only finite values have three decimals");
    }
    // The shortest digits that read back as the value, as d.ddde±x; never the binary
    // value's exact expansion, which a large or tiny double has hundreds of digits of.
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific)
                         .ptr;
    const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string significant;
    for (const char ch : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0))) {
        if (ch != '.') {
            significant += ch;
        }
    }
    const int exponent = std::stoi(std::string(text.substr(e + 1)));
    std::string digits, fraction;
    if (exponent >= 0) {
        const auto integerSize = static_cast<std::size_t>(exponent) + 1;
        significant.resize(std::max(significant.size(), integerSize), '0');
        digits = significant.substr(0, integerSize);
        fraction = significant.substr(integerSize);
    } else {
        digits = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + significant;
    }
    const bool up = fraction.size() > kDecimals && fraction[kDecimals] >= '5';
    fraction.resize(kDecimals, '0');
    std::string all = digits + fraction;
    if (up) {
        std::size_t i = all.size();
        while (i > 0 && all[i - 1] == '9') {
            all[--i] = '0';
        }
        if (i == 0) {
            all.insert(all.begin(), '1');
        } else {
            ++all[i - 1];
        }
    }
    const bool zero = all.find_first_not_of('0') == std::string::npos;
    std::string result = negative && !zero ? "-" : "";
    result += all.substr(0, all.size() - kDecimals);
    result += '.';
    result += all.substr(all.size() - kDecimals);
    return result;
}

} // namespace isosceles
