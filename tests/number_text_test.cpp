#include "calc_error.h"
#include "custom_format.h"
#include "locale_symbols.h"
#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <string>

namespace isosceles {
namespace {

const NumberFormat& cFormat() {
    static const NumberFormat format = NumberFormat::c();
    return format;
}

std::optional<CalcErrorKind> parseFailure(std::u16string_view text, const NumberFormat& format) {
    try {
        ParseNumber(text, format);
    } catch (const CalcError& e) {
        return e.kind();
    }
    return std::nullopt;
}

struct ReadCase {
    std::u16string_view text;
    double expected;
};

class FixedRule : public ::testing::TestWithParam<ReadCase> {};

TEST_P(FixedRule, ReadsInEveryLocale) {
    const ReadCase& p = GetParam();
    for (const char* locale : {"C", "bg_BG.UTF-8", "de_DE.UTF-8", "en_US.UTF-8"}) {
        const double value = ParseNumber(p.text, NumberFormat::forLocale(locale));
        EXPECT_EQ(value, p.expected) << locale;
        EXPECT_EQ(std::signbit(value), std::signbit(p.expected)) << locale;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FixedRule,
    ::testing::Values(
        ReadCase{u"12.5", 12.5}, ReadCase{u" 1 \t2\n ", 12}, ReadCase{u"2.5e1", 25},
        ReadCase{u"1.2.3", 1.2}, ReadCase{u"-4", -4}, ReadCase{u"abc", 0}, ReadCase{u"", 0},
        ReadCase{u"12cm", 12}, ReadCase{u".5", 0.5}, ReadCase{u"-.5", -0.5}, ReadCase{u"+7", 7},
        ReadCase{u"1.", 1}, ReadCase{u"-", 0}, ReadCase{u".", 0}, ReadCase{u"-.e5", 0},
        ReadCase{u"e5", 0}, ReadCase{u"1e", 1}, ReadCase{u"1e+", 1}, ReadCase{u"1E-2", 0.01},
        ReadCase{u"1d2", 100}, ReadCase{u"1D+2x", 100}, ReadCase{u"2 e 3", 2000},
        ReadCase{u"-0", -0.0}, ReadCase{u"1e-400", 0}, ReadCase{u"-1e-400", -0.0},
        ReadCase{u"0e999999", 0}, ReadCase{u"0.0000e99999999999999999999", 0},
        ReadCase{u"3e-324", 4.9406564584124654e-324}, ReadCase{u"0.1", 0.1},
        ReadCase{u"1.7976931348623157e308", 1.7976931348623157e308},
        // Only space, tab and line feed are blanks.
        ReadCase{u"1\r2", 1}, ReadCase{u"1\u00A02", 1},
        // Digits other than 0-9 and signs other than + and - end the number.
        ReadCase{u"\u0661\u0662", 0}, ReadCase{u"\u22125", 0}, ReadCase{u"１２", 0},
        ReadCase{u"1.234", 1.234}, ReadCase{u"12.500", 12.5}, ReadCase{u"1x234.5", 1},
        ReadCase{u"&HFFFF", -1}, ReadCase{u"&hff", 255}, ReadCase{u"&H8000", -32768},
        ReadCase{u"&H7FFF", 32767}, ReadCase{u"&H10000", 65536}, ReadCase{u"&HFFFFFFFF", -1},
        ReadCase{u"&H80000000", -2147483648.0}, ReadCase{u"&H0000000000FFFF", -1},
        ReadCase{u"&O177777", -1}, ReadCase{u"&o17", 15}, ReadCase{u"&O8", 0}, ReadCase{u"&H", 0},
        ReadCase{u"&HFG", 15}, ReadCase{u"& H 1 0", 16}, ReadCase{u"&X10", 0},
        ReadCase{u"-&H10", 0}, ReadCase{u"&HA", 10}, ReadCase{u"&Ha", 10}, ReadCase{u"&HbC", 188},
        ReadCase{u"&HdEf", 3567}, ReadCase{u"&H1G2", 1}, ReadCase{u"&H12g", 18},
        ReadCase{u"&O1812", 1}, ReadCase{u"&O17a", 15}, ReadCase{u"1e-9223372036854775808", 0},
        ReadCase{u"-1e-99999999999999999999999", -0.0}));

class Beyond : public ::testing::TestWithParam<std::u16string_view> {};

TEST_P(Beyond, TheDoubleRangeOverflows) {
    EXPECT_EQ(parseFailure(GetParam(), cFormat()), CalcErrorKind::Overflow);
}

INSTANTIATE_TEST_SUITE_P(Texts, Beyond,
                         ::testing::Values(u"1e400", u"-1e400", u"1.8e308",
                                           u"1e99999999999999999999999", u"0.001e312",
                                           u"&H100000000", u"&O40000000000",
                                           u"&HFFFFFFFFFFFFFFFFFFFF", u"1e9223372036854775807",
                                           u"1e9223372036854775808", u"-1e18446744073709551617"));

TEST(ParseNumber, HundredThousandDigitsAreReadCorrectlyRounded) {
    std::u16string digits(100000, u'1');
    digits.insert(1, u".");
    EXPECT_EQ(ParseNumber(digits, cFormat()), 1.1111111111111112);

    // Halfway between two doubles only in the last of very many digits.
    std::u16string tie = u"9007199254740993.";
    tie += std::u16string(50000, u'0');
    EXPECT_EQ(ParseNumber(tie, cFormat()), 9007199254740992.0);
    tie += u"1";
    EXPECT_EQ(ParseNumber(tie, cFormat()), 9007199254740994.0);

    std::u16string zeros = u"0.";
    zeros += std::u16string(100000, u'0');
    zeros += u"1e100005";
    EXPECT_EQ(ParseNumber(zeros, cFormat()), 1e4);
    // A fraction far below the smallest double reads as 0, not as out of range.
    EXPECT_EQ(ParseNumber(u"0." + std::u16string(400, u'0') + u"1", cFormat()), 0);
}

TEST(ParseNumber, AgreesWithTheCLibraryOnPlainDecimals) {
    const char* texts[] = {"2.2250738585072011e-308",
                           "4.9406564584124654e-324",
                           "2.4703282292062328e-324",
                           "2.4703282292062327e-324",
                           "0.30000000000000004",
                           "123456789012345678901234567890",
                           "1.00000000000000011102230246251565404236316680908203125",
                           "-8.98846567431158e307"};
    for (const char* text : texts) {
        const std::u16string wide(text, text + std::strlen(text));
        EXPECT_EQ(ParseNumber(wide, cFormat()), std::strtod(text, nullptr)) << text;
    }
}

TEST(ParseNumber, RemovesBlanks) {
    EXPECT_EQ(removeBlanks(u" a\tb\nc\r\u00A0"), u"abc\r\u00A0");
}

struct WrittenCase {
    const char* locale;
    std::u16string_view text; // as spelled() reads it
    double expected;
};

class UsersOwnFormat : public ::testing::TestWithParam<WrittenCase> {};

// A number as the user's locale writes it, with any number of decimals, reads as that number;
// any other text as the fixed rule reads it.
TEST_P(UsersOwnFormat, ReadsAsTheNumberItIs) {
    const WrittenCase& p = GetParam();
    const std::u16string text = spelled(p.locale, p.text);
    const double value = ParseNumber(text, NumberFormat::forLocale(p.locale));
    EXPECT_EQ(value, p.expected) << p.locale;
    EXPECT_EQ(std::signbit(value), std::signbit(p.expected)) << p.locale;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, UsersOwnFormat,
    ::testing::Values(
        WrittenCase{"bg_BG.UTF-8", u"6D5", 6.5}, WrittenCase{"bg_BG.UTF-8", u"6D50", 6.5},
        WrittenCase{"bg_BG.UTF-8", u"6D500", 6.5}, WrittenCase{"bg_BG.UTF-8", u"M6D5", -6.5},
        WrittenCase{"bg_BG.UTF-8", u"-6D5", -6.5}, WrittenCase{"bg_BG.UTF-8", u"+6D5", 6.5},
        WrittenCase{"bg_BG.UTF-8", u"1 234D5", 1234.5},
        WrittenCase{"bg_BG.UTF-8", u"1G234D5", 1234.5},
        WrittenCase{"bg_BG.UTF-8", u"12G345D000", 12345}, WrittenCase{"bg_BG.UTF-8", u"6D", 6},
        WrittenCase{"bg_BG.UTF-8", u"D5", 0.5}, WrittenCase{"bg_BG.UTF-8", u"2D5000", 2.5},
        WrittenCase{"bg_BG.UTF-8", u"M0D000", -0.0},
        WrittenCase{"bg_BG.UTF-8", u"0D1234567890123", 0.1234567890123},
        WrittenCase{"en_US.UTF-8", u"1G234D5", 1234.5}, WrittenCase{"en_US.UTF-8", u"1G234", 1234},
        WrittenCase{"en_US.UTF-8", u"1G234G567D500", 1234567.5},
        WrittenCase{"en_US.UTF-8", u"+1G234D500", 1234.5}, WrittenCase{"de_DE.UTF-8", u"6D5", 6.5},
        WrittenCase{"de_DE.UTF-8", u"1G234D5", 1234.5},
        WrittenCase{"de_CH.UTF-8", u"1G234D5", 1234.5}, WrittenCase{"sv_SE.UTF-8", u"M12D5", -12.5},
        WrittenCase{"sv_SE.UTF-8", u"-12D5", -12.5}, WrittenCase{"sv_SE.UTF-8", u"M12", -12},
        WrittenCase{"en_IN.UTF-8", u"12G34G567D5", 1234567.5},
        WrittenCase{"fr_FR.UTF-8", u"1G234D5", 1234.5},
        // Not a number of the locale's own: the fixed rule reads them.
        WrittenCase{"en_US.UTF-8", u"6G5", 6}, WrittenCase{"en_US.UTF-8", u"12G34G567D500", 12},
        WrittenCase{"en_US.UTF-8", u"1G2345D500", 1}, WrittenCase{"en_US.UTF-8", u"G123D500", 0},
        WrittenCase{"en_US.UTF-8", u"1G234D500e3", 1}, WrittenCase{"en_US.UTF-8", u"D500", 0.5},
        WrittenCase{"bg_BG.UTF-8", u"1D5e9", 1}, WrittenCase{"bg_BG.UTF-8", u"6D5D5", 6},
        WrittenCase{"bg_BG.UTF-8", u"6 и половина", 6}, WrittenCase{"bg_BG.UTF-8", u"D", 0},
        WrittenCase{"en_IN.UTF-8", u"1G234G567D500", 1},
        WrittenCase{"en_IN.UTF-8", u"1G23G4567D500", 1}, WrittenCase{"C", u"3,75", 3},
        WrittenCase{"C", u"1,234.5", 1}));

struct CustomCase {
    const char16_t* decimal;
    const char16_t* group;
    bool parentheses;
    std::u16string_view text;
    double expected;
};

class CustomFormat : public ::testing::TestWithParam<CustomCase> {};

// Formats a user can make in the Region settings, and those whose group separator is a
// period, whose texts without a decimal separator keep the period as a decimal point.
TEST_P(CustomFormat, ReadsItsOwnNumbers) {
    const CustomCase& p = GetParam();
    EXPECT_EQ(ParseNumber(p.text, customFormat(p.decimal, p.group, p.parentheses)), p.expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, CustomFormat,
                         ::testing::Values(CustomCase{u".", u"'", true, u"1'234.5", 1234.5},
                                           CustomCase{u".", u"'", true, u"(6.5)", -6.5},
                                           CustomCase{u".", u"'", true, u"-6.5", -6.5},
                                           CustomCase{u".", u"'", true, u"(1'234)", -1234},
                                           CustomCase{u".", u"'", true, u"12'34.5", 12},
                                           CustomCase{u".", u"'", true, u"(6.5", 0},
                                           CustomCase{u",", u".", false, u"1.234", 1.234},
                                           CustomCase{u",", u".", false, u"1.234.567", 1.234},
                                           CustomCase{u",", u".", false, u"1.234,5", 1234.5},
                                           CustomCase{u",", u".", false, u"-1.234,5", -1234.5},
                                           CustomCase{u",", u".", false, u"6,5", 6.5},
                                           CustomCase{u",", u".", false, u"6", 6},
                                           CustomCase{u".", u",", false, u"1,234", 1234},
                                           CustomCase{u".", u",", false, u"6,5", 6},
                                           CustomCase{u".", u",", false, u"1,23", 1}));

TEST(ParseNumber, WrittenFormBeyondRangeOverflows) {
    std::u16string text(400, u'9');
    text += u",000";
    EXPECT_EQ(parseFailure(text, NumberFormat::forLocale("bg_BG.UTF-8")), CalcErrorKind::Overflow);
}

struct FormatCase {
    const char* locale;
    double value;
    std::u16string_view expected; // as spelled() reads it
};

class Formats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Formats, WriteThreeDecimalsTheLocalesWay) {
    const FormatCase& p = GetParam();
    EXPECT_EQ(FormatNumber3(p.value, NumberFormat::forLocale(p.locale)),
              spelled(p.locale, p.expected))
        << p.locale << " " << p.value;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, Formats,
    ::testing::Values(
        FormatCase{"en_US.UTF-8", 16, u"16.000"}, FormatCase{"en_US.UTF-8", 1234.5, u"1,234.500"},
        FormatCase{"en_US.UTF-8", 2.0 / 3, u"0.667"}, FormatCase{"en_US.UTF-8", -12, u"-12.000"},
        FormatCase{"bg_BG.UTF-8", 16, u"16,000"},
        FormatCase{"bg_BG.UTF-8", 12345, u"12\u00A0345,000"},
        FormatCase{"es_ES.UTF-8", 12345, u"12G345D000"},
        FormatCase{"en_IN.UTF-8", 1234567, u"12G34G567D000"},
        FormatCase{"de_CH.UTF-8", 1234.5, u"1G234D500"}, FormatCase{"sv_SE.UTF-8", -12, u"M12D000"},
        FormatCase{"sr_RS@latin", 1234.5, u"1G234D500"},
        FormatCase{"ar_EG.UTF-8", 1234.5, u"1G234D500"},
        FormatCase{"hi_IN.UTF-8", 1234567, u"12G34G567D000"},
        FormatCase{"C", 1234567.5, u"1234567.500"}, FormatCase{"C", -12, u"-12.000"},
        FormatCase{"C", 1.0005, u"1.001"}, FormatCase{"C", 0.0025, u"0.003"},
        FormatCase{"C", -1.0005, u"-1.001"}, FormatCase{"C", 2.0004999, u"2.000"},
        FormatCase{"C", -0.0, u"0.000"}, FormatCase{"C", -0.0004, u"0.000"},
        FormatCase{"bg_BG.UTF-8", -0.0, u"0,000"}, FormatCase{"sv_SE.UTF-8", -1e-9, u"0D000"},
        FormatCase{"C", 1e20, u"100000000000000000000.000"}, FormatCase{"C", 5e-324, u"0.000"}));

struct CompactCase {
    const char* locale;
    std::u16string_view text; // as spelled() reads it
    std::optional<std::u16string_view> shown;
};

class Compact : public ::testing::TestWithParam<CompactCase> {};

TEST_P(Compact, ShowsTheMagnitudeOfOneNumber) {
    const CompactCase& p = GetParam();
    const auto shown = compactForm(spelled(p.locale, p.text), NumberFormat::forLocale(p.locale));
    ASSERT_EQ(shown.has_value(), p.shown.has_value());
    if (shown) {
        EXPECT_EQ(*shown, spelled(p.locale, *p.shown));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Compact,
    ::testing::Values(
        CompactCase{"bg_BG.UTF-8", u"1\u00A0000\u00A0000\u00A0000\u00A0000,000", u"1,000·10¹²"},
        CompactCase{"en_US.UTF-8", u"-6,160,730.241", u"-6.161·10⁶"},
        CompactCase{"de_CH.UTF-8", u"9G999G999G999G999D999", u"1D000·10¹³"},
        // Rounding carries into the next power of ten.
        CompactCase{"C", u"9999.9996", u"1.000·10⁴"},
        CompactCase{"bg_BG.UTF-8", u"-99999.9996", u"M1D000·10⁵"},
        CompactCase{"C", u"0.00099996", u"1.000·10⁻³"},
        CompactCase{"C", u"123456789012345678901234567890", u"1.235·10²⁹"},
        CompactCase{"C", u" 0.0000000000000004567 ", u"4.567·10⁻¹⁶"},
        CompactCase{"C", u"1e400", std::nullopt}, CompactCase{"C", u"0.000", std::nullopt},
        CompactCase{"C", u"12cm", std::nullopt}, CompactCase{"bg_BG.UTF-8", u"1,5e9", std::nullopt},
        CompactCase{"C", u"1.2.3", std::nullopt}, CompactCase{"C", u"-", std::nullopt}));

struct ExactCase {
    const char* locale;
    double value;
    std::u16string_view shown; // as spelled() reads it
};

class Exact : public ::testing::TestWithParam<ExactCase> {};

// What was read of a text is shown with all its decimals: three would hide some, or add some.
TEST_P(Exact, ShowsEveryDecimalOfTheValue) {
    const ExactCase& p = GetParam();
    EXPECT_EQ(exactNumber(p.value, NumberFormat::forLocale(p.locale)), spelled(p.locale, p.shown));
}

INSTANTIATE_TEST_SUITE_P(Values, Exact,
                         ::testing::Values(ExactCase{"bg_BG.UTF-8", 6, u"6"},
                                           ExactCase{"bg_BG.UTF-8", 6.25, u"6D25"},
                                           ExactCase{"bg_BG.UTF-8", 6.12345, u"6D12345"},
                                           ExactCase{"bg_BG.UTF-8", 6.9996, u"6D9996"},
                                           ExactCase{"bg_BG.UTF-8", -0.5, u"M0D5"},
                                           ExactCase{"bg_BG.UTF-8", -0.0, u"0"},
                                           ExactCase{"en_US.UTF-8", -12345.5, u"M12G345D5"},
                                           ExactCase{"en_US.UTF-8", 0.1, u"0D1"},
                                           ExactCase{"en_US.UTF-8", 1e-5, u"1D000·10⁻⁵"},
                                           ExactCase{"en_US.UTF-8", 2e15, u"2D000·10¹⁵"}));

TEST(Exact, TakesTheFormatsNegativePattern) {
    EXPECT_EQ(exactNumber(-1234.5, customFormat(u".", u"'", true)), u"(1'234.5)");
}

TEST(FormatNumber3, RefusesNonFiniteValues) {
    EXPECT_THROW(FormatNumber3(std::nan(""), cFormat()), std::invalid_argument);
    EXPECT_THROW(FormatNumber3(HUGE_VAL, cFormat()), std::invalid_argument);
}

} // namespace
} // namespace isosceles

namespace isosceles {
namespace {

struct WholeCase {
    std::u16string_view text;
    bool whole;
};

class ReadsWhole : public ::testing::TestWithParam<WholeCase> {};

// Whether the reading rule took all of a text: where it stopped early, the working says what
// was read from what was typed.
TEST_P(ReadsWhole, SaysWhereTheReadingStoppedEarly) {
    EXPECT_EQ(readsWhole(GetParam().text, NumberFormat::c()), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadsWhole,
                         ::testing::Values(WholeCase{u"12.5", true}, WholeCase{u" 1 \t2", true},
                                           WholeCase{u"-.5", true}, WholeCase{u"2.5e1", true},
                                           WholeCase{u"&Hff", true}, WholeCase{u"&O17", true},
                                           WholeCase{u"3,75", false}, WholeCase{u"12cm", false},
                                           WholeCase{u"", false}, WholeCase{u"-", false},
                                           WholeCase{u"1e", false}, WholeCase{u"&HFG", false},
                                           WholeCase{u"&H", false}, WholeCase{u"1.2.3", false}));

// Where a font lacks the raised digits and minus, the power stands after a caret.
TEST(CompactNumber, WritesAPlainPowerForAFontWithoutRaisedDigits) {
    const NumberFormat c = NumberFormat::c();
    EXPECT_EQ(compactNumber(4e-4, c, Exponent::Plain), u"4.000·10^−4");
    EXPECT_EQ(compactNumber(-2e20, c, Exponent::Plain), u"-2.000·10^20");
    EXPECT_EQ(compactNumber(4e-4, c), u"4.000·10⁻⁴");
    EXPECT_EQ(compactForm(u"1e20", c, Exponent::Plain), u"1.000·10^20");
}

TEST(ReadsWhole, TakesTheFormatsOwnNumbers) {
    const NumberFormat bulgarian = NumberFormat::forLocale("bg_BG.UTF-8");
    EXPECT_TRUE(readsWhole(bulgarian.format3(-1234567.5), bulgarian));
    EXPECT_TRUE(readsWhole(spelled("bg_BG.UTF-8", u"6D5"), bulgarian));
    EXPECT_FALSE(readsWhole(spelled("bg_BG.UTF-8", u"6D5D5"), bulgarian));
    const NumberFormat periodGroups = customFormat(u",", u".", false);
    EXPECT_TRUE(readsWhole(u"1.234", periodGroups));
    EXPECT_FALSE(readsWhole(u"1.234.567", periodGroups));
}

} // namespace
} // namespace isosceles
