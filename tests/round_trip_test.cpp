#include "number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

namespace isosceles {
namespace {

bool isAsciiDigit(char16_t ch) {
    return ch >= u'0' && ch <= u'9';
}

// The decimal a written text shows, from its digits alone: all but the last three are the
// integer part; it is negative where it holds a minus or a parenthesis anywhere, before the
// number or after it as some locales write it (none of the locales has a plus affix).
double shownDecimal(const std::u16string& text) {
    std::string digits;
    bool negative = false;
    for (const char16_t ch : text) {
        if (isAsciiDigit(ch)) {
            digits += static_cast<char>(ch);
        } else if (ch == u'-' || ch == u'\u2212' || ch == u'(') {
            negative = true;
        }
    }
    if (digits.size() < 4) {
        ADD_FAILURE() << "too few digits in the written text";
        return 0;
    }
    const std::string decimal = std::string(negative ? "-" : "") +
                                digits.substr(0, digits.size() - 3) + '.' +
                                digits.substr(digits.size() - 3);
    return std::strtod(decimal.c_str(), nullptr);
}

double randomDouble(std::mt19937_64& rng) {
    switch (rng() % 4) {
    case 0: // any finite bit pattern
        for (;;) {
            const double v = std::bit_cast<double>(rng());
            if (std::isfinite(v)) {
                return v;
            }
        }
    case 1: // everyday magnitudes
        return std::uniform_real_distribution<double>(-1e7, 1e7)(rng);
    case 2: // near the rounding boundary of the third decimal
        return static_cast<double>(static_cast<std::int64_t>(rng() % 2000000) - 1000000) / 2000.0;
    default: // small and large exponents
        return std::ldexp(std::uniform_real_distribution<double>(-1, 1)(rng),
                          static_cast<int>(rng() % 2000) - 1000);
    }
}

class RoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTrip, ReadingTheWrittenTextGivesTheShownDecimal) {
    const NumberFormat format = NumberFormat::forLocale(GetParam());
    std::mt19937_64 rng(20261208);
    for (int i = 0; i < 3000; ++i) {
        const double value = randomDouble(rng);
        const std::u16string text = FormatNumber3(value, format);
        const double expected = shownDecimal(text);
        const double read = ParseNumber(text, format);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected))
            << GetParam() << " value " << value;
    }
}

TEST_P(RoundTrip, SecondCalculateReadsWhatTheFirstWrote) {
    const NumberFormat format = NumberFormat::forLocale(GetParam());
    for (const double value : {2.5, -12.0, 1234.5, 1234567.125, 0.0005, -0.0004}) {
        const std::u16string once = FormatNumber3(value, format);
        EXPECT_EQ(FormatNumber3(ParseNumber(once, format), format), once) << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, RoundTrip,
                         ::testing::Values("bg_BG.UTF-8", "de_DE.UTF-8", "de_CH.UTF-8",
                                           "en_US.UTF-8", "en_IN.UTF-8", "fr_FR.UTF-8",
                                           "sv_SE.UTF-8", "es_ES.UTF-8", "fa_IR.UTF-8",
                                           "ar_EG.UTF-8", "C"));

} // namespace
} // namespace isosceles
