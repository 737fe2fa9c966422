// The regional format on Windows: the user's own Region settings, changed here in process as
// the Region settings dialog changes them, and put back after each test.
#include "decimal3.h"
#include "locale_symbols.h"
#include "number_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>

namespace isosceles {
namespace {

struct Setting {
    LCTYPE type;
    const wchar_t* value;
};

std::wstring userSetting(LCTYPE type) {
    wchar_t text[80];
    EXPECT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 80), 0);
    return text;
}

constexpr std::array<LCTYPE, 6> kNumberSettings{LOCALE_SDECIMAL,   LOCALE_STHOUSAND,
                                                LOCALE_SGROUPING,  LOCALE_ILZERO,
                                                LOCALE_INEGNUMBER, LOCALE_SNEGATIVESIGN};

// The user's number settings as they were, restored whatever a test changed.
class RegionSettings : public ::testing::Test {
protected:
    void SetUp() override {
        for (const LCTYPE type : kNumberSettings) {
            saved_.emplace_back(type, userSetting(type));
        }
    }
    void TearDown() override {
        for (const auto& [type, value] : saved_) {
            EXPECT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value.c_str()));
        }
    }
    static void set(std::initializer_list<Setting> settings) {
        for (const Setting& s : settings) {
            ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, s.type, s.value)) << s.type;
        }
    }

private:
    std::vector<std::pair<LCTYPE, std::wstring>> saved_;
};

// A period, an apostrophe between groups of three: the settings a Swiss user may choose.
void setCustom(const wchar_t* negativePattern) {
    for (const Setting& s :
         {Setting{LOCALE_SDECIMAL, L"."}, Setting{LOCALE_STHOUSAND, L"'"},
          Setting{LOCALE_SGROUPING, L"3;0"}, Setting{LOCALE_ILZERO, L"1"},
          Setting{LOCALE_SNEGATIVESIGN, L"-"}, Setting{LOCALE_INEGNUMBER, negativePattern}}) {
        ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, s.type, s.value)) << s.type;
    }
}

std::u16string repeated(std::u16string_view text, int times) {
    std::u16string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

struct PatternCase {
    const wchar_t* negativePattern;
    const char16_t* written;
};

class NegativePatterns : public RegionSettings,
                         public ::testing::WithParamInterface<PatternCase> {};

TEST_P(NegativePatterns, WrittenAsSetAndReadBack) {
    setCustom(GetParam().negativePattern);
    const NumberFormat format = NumberFormat::user();
    EXPECT_EQ(format.format3(-1234567.8915), GetParam().written);
    EXPECT_EQ(ParseNumber(GetParam().written, format), -1234567.892);
    EXPECT_EQ(format.format3(1234567.8915), u"1'234'567.892");
    // Nothing marks a value that rounds to zero as negative.
    EXPECT_EQ(format.format3(-0.0004), u"0.000");
    EXPECT_EQ(ParseNumber(format.format3(-0.25), format), -0.25);
    // A value with hundreds of digits, handed to the system in pieces, reads as a whole.
    std::u16string huge = GetParam().written;
    huge.replace(huge.find(u"1'234'567.892"), 13, u"1" + repeated(u"'000", 100) + u".000");
    EXPECT_EQ(format.format3(-1e300), huge);
    EXPECT_EQ(ParseNumber(huge, format), -1e300);
}

INSTANTIATE_TEST_SUITE_P(Patterns, NegativePatterns,
                         ::testing::Values(PatternCase{L"0", u"(1'234'567.892)"},
                                           PatternCase{L"1", u"-1'234'567.892"},
                                           PatternCase{L"2", u"- 1'234'567.892"},
                                           PatternCase{L"3", u"1'234'567.892-"},
                                           PatternCase{L"4", u"1'234'567.892 -"}));

struct GroupingCase {
    const wchar_t* grouping;
    const char16_t* written;  // 1234567.8915
    const char16_t* twelve;   // 123456789012.3456, twelve integer digits
    std::u16string (*huge)(); // 1e300
};

class Groupings : public RegionSettings, public ::testing::WithParamInterface<GroupingCase> {};

// Whatever the system does with digits its groups do not place (some Wines group an
// ungrouped number, or overrun on a long one), each digit stands where the grouping puts it.
TEST_P(Groupings, WrittenAsSetAndReadBack) {
    setCustom(L"1");
    set({{LOCALE_SGROUPING, GetParam().grouping}});
    const NumberFormat format = NumberFormat::user();
    for (const auto& [value, written] :
         {std::pair{1234567.8915, std::u16string(GetParam().written)},
          std::pair{123456789012.3456, std::u16string(GetParam().twelve)},
          std::pair{-123456789012.3456, u"-" + std::u16string(GetParam().twelve)},
          std::pair{1e300, GetParam().huge()}}) {
        EXPECT_EQ(format.format3(value), written) << value;
        EXPECT_EQ(ParseNumber(written, format), std::strtod(decimal3(value).c_str(), nullptr));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, Groupings,
    ::testing::Values(GroupingCase{L"3;0", u"1'234'567.892", u"123'456'789'012.346",
                                   [] { return u"1" + repeated(u"'000", 100) + u".000"; }},
                      GroupingCase{L"3;2;0", u"12'34'567.892", u"1'23'45'67'89'012.346",
                                   [] { return u"10" + repeated(u"'00", 148) + u"'000.000"; }},
                      GroupingCase{L"0", u"1234567.892", u"123456789012.346",
                                   [] { return u"1" + repeated(u"0", 300) + u".000"; }},
                      GroupingCase{L"3", u"1234'567.892", u"123456789'012.346",
                                   [] { return u"1" + repeated(u"0", 297) + u"'000.000"; }},
                      GroupingCase{L"3;2", u"12'34'567.892", u"1234567'89'012.346",
                                   [] { return u"1" + repeated(u"0", 295) + u"'00'000.000"; }}));

// What a pupil types in a format of their own reads as meant.
TEST_F(RegionSettings, TypedNumbersReadInACustomFormat) {
    setCustom(L"0");
    const NumberFormat format = NumberFormat::user();
    for (const auto& [text, value] : {std::pair{u"1'234.5", 1234.5}, std::pair{u"(6.5)", -6.5},
                                      std::pair{u"1'234", 1234.0}, std::pair{u"6,5", 6.0}}) {
        EXPECT_EQ(ParseNumber(text, format), value) << std::string(text, text + 5);
    }
}

TEST_F(RegionSettings, WithoutALeadingZeroAHalfReadsBack) {
    setCustom(L"1");
    set({{LOCALE_ILZERO, L"0"}, {LOCALE_SDECIMAL, L","}, {LOCALE_STHOUSAND, L" "}});
    const NumberFormat format = NumberFormat::user();
    EXPECT_EQ(format.format3(0.5), u",500");
    EXPECT_EQ(format.format3(-0.5), u"-,500");
    EXPECT_FALSE(format.writtenForm().leadingZero);
    EXPECT_EQ(ParseNumber(u",500", format), 0.5);
    EXPECT_EQ(ParseNumber(u"-,500", format), -0.5);
    EXPECT_EQ(ParseNumber(u"1 234,500", format), 1234.5);
}

// A changed setting is taken by the next format made from the user's settings, not by one
// already made: the window makes a new one when Windows says the settings changed.
TEST_F(RegionSettings, EachFormatTakesTheSettingsAsTheyAreWhenBuilt) {
    setCustom(L"1");
    const NumberFormat before = NumberFormat::user();
    EXPECT_EQ(before.format3(6), u"6.000");
    set({{LOCALE_SDECIMAL, L","}, {LOCALE_STHOUSAND, L"."}});
    EXPECT_EQ(before.format3(6), u"6.000");
    EXPECT_EQ(NumberFormat::user().format3(6), u"6,000");
}

// The user's own locale, named as Windows names it.
TEST_F(RegionSettings, UserFormatIsTheUsersLocale) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    ASSERT_GT(GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH), 0);
    const std::wstring wide(name);
    EXPECT_EQ(NumberFormat::user().localeId(), std::string(wide.begin(), wide.end()));
    EXPECT_EQ(NumberFormat::forLocale("C").localeId(), "");
    EXPECT_EQ(NumberFormat::forLocale("xx_XX.UTF-8").localeId(), "");
    EXPECT_EQ(NumberFormat::forLocale("bg_BG.UTF-8").localeId(), "bg-BG");
    EXPECT_EQ(NumberFormat::forLocale("sr-Latn-RS").localeId(), "sr-Latn-RS");
}

// The tests run as a Bulgarian user (under Wine, with LANG=bg_BG.UTF-8).
TEST_F(RegionSettings, BulgarianUserWritesTheSystemsSeparators) {
    const NumberFormat format = NumberFormat::user();
    ASSERT_EQ(format.localeId(), "bg-BG");
    EXPECT_EQ(format.format3(-1234567.8915), spelled("bg-BG", u"M1G234G567D892"));
    EXPECT_EQ(ParseNumber(format.format3(-1234567.8915), format), -1234567.892);
    EXPECT_EQ(format.format3(6), spelled("bg-BG", u"6D000"));
}

struct LocaleCase {
    const char* name;
    const char16_t* positive; // 1234567.8915 with G, D from the system
};

class Locales : public ::testing::TestWithParam<LocaleCase> {};

// The separators are the system's, whatever its locale data says; the round trip holds for
// every value, negative ones included, whatever the locale's negative pattern.
TEST_P(Locales, WrittenWithTheSystemsSeparatorsAndReadBack) {
    const NumberFormat format = NumberFormat::forLocale(GetParam().name);
    EXPECT_EQ(format.format3(1234567.8915), spelled(GetParam().name, GetParam().positive));
    std::mt19937_64 rng(20261209);
    for (int i = 0; i < 2000; ++i) {
        const double value = i % 2 == 0
                                 ? std::uniform_real_distribution<double>(-1e9, 1e9)(rng)
                                 : std::ldexp(std::uniform_real_distribution<double>(-1, 1)(rng),
                                              static_cast<int>(rng() % 80) - 20);
        const std::u16string text = format.format3(value);
        ASSERT_EQ(ParseNumber(text, format), std::strtod(decimal3(value).c_str(), nullptr))
            << GetParam().name << " " << value;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, Locales,
    ::testing::Values(LocaleCase{"bg-BG", u"1G234G567D892"}, LocaleCase{"de-CH", u"1G234G567D892"},
                      LocaleCase{"en-IN", u"12G34G567D892"}, LocaleCase{"fr-FR", u"1G234G567D892"},
                      LocaleCase{"ar-EG", u"1G234G567D892"}, LocaleCase{"en-US", u"1G234G567D892"}),
    [](const auto& info) {
        std::string name = info.param.name;
        name.erase(name.find('-'), 1);
        return name;
    });

} // namespace
} // namespace isosceles
