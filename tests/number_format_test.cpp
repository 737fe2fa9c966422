#include "decimal3.h"
#include "locale_symbols.h"
#include "number_format.h"
#include "number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <string>

namespace isosceles {
namespace {

EnvLookup environment(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> const char* {
        const auto it = vars.find(name);
        return it == vars.end() ? nullptr : it->second.c_str();
    };
}

TEST(NumericLocaleName, TakesLcAllThenLcNumericThenLang) {
    EXPECT_EQ(numericLocaleName(environment(
                  {{"LC_ALL", "de_DE.UTF-8"}, {"LC_NUMERIC", "bg_BG"}, {"LANG", "en_US"}})),
              "de_DE.UTF-8");
    EXPECT_EQ(numericLocaleName(environment({{"LC_NUMERIC", "bg_BG"}, {"LANG", "en_US"}})),
              "bg_BG");
    EXPECT_EQ(numericLocaleName(environment({{"LANG", "en_US"}})), "en_US");
    EXPECT_EQ(numericLocaleName(environment({{"LC_ALL", ""}, {"LANG", "en_US"}})), "en_US");
    EXPECT_EQ(numericLocaleName(environment({})), "");
}

TEST(NumberFormat, FromEnvironmentUsesTheNumericLocale) {
    const NumberFormat format =
        NumberFormat::fromEnvironment(environment({{"LC_NUMERIC", "bg_BG.UTF-8"}}));
    EXPECT_EQ(format.localeId(), "bg_BG");
    EXPECT_EQ(format.format3(2.5), u"2,500");
}

struct IdCase {
    const char* posix;
    const char* icu; // null: the C format
};

class PosixNames : public ::testing::TestWithParam<IdCase> {};

TEST_P(PosixNames, MapToIcuIds) {
    const IdCase& p = GetParam();
    const auto id = icuLocaleIdFromPosix(p.posix);
    if (p.icu == nullptr) {
        EXPECT_FALSE(id.has_value()) << *id;
    } else {
        ASSERT_TRUE(id.has_value());
        EXPECT_EQ(*id, p.icu);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, PosixNames,
    ::testing::Values(IdCase{"bg_BG.UTF-8", "bg_BG"}, IdCase{"de_CH.utf8", "de_CH"},
                      IdCase{"sr_RS@latin", "sr_Latn_RS"},
                      IdCase{"sr_RS.UTF-8@latin", "sr_Latn_RS"}, IdCase{"de_DE@euro", "de_DE"},
                      IdCase{"sr_RS@cyrillic", "sr_Cyrl_RS"}, IdCase{"fr", "fr"},
                      IdCase{"es_419.UTF-8", "es_419"}, IdCase{"C", nullptr},
                      IdCase{"POSIX", nullptr}, IdCase{"C.UTF-8", nullptr}, IdCase{"", nullptr},
                      IdCase{"en_USA", nullptr}, IdCase{"../../etc", nullptr},
                      IdCase{"EN_us", nullptr}, IdCase{"e", nullptr}));

class CLike : public ::testing::TestWithParam<const char*> {};

TEST_P(CLike, NamesWithoutLocaleDataWriteLikeC) {
    const NumberFormat format = NumberFormat::forLocale(GetParam());
    EXPECT_EQ(format.localeId(), "");
    EXPECT_EQ(format.format3(-1234567.25), u"-1234567.250");
}

INSTANTIATE_TEST_SUITE_P(Names, CLike,
                         ::testing::Values("C", "POSIX", "", "C.UTF-8", "xx_YY.UTF-8", "tlh",
                                           "garbage name"));

TEST(NumberFormat, UnknownTerritoryFallsBackToTheLanguage) {
    EXPECT_EQ(NumberFormat::forLocale("bg_XX.UTF-8").format3(2.5), u"2,500");
}

TEST(WrittenForm, IsReadOffTheFormattersOutput) {
    const WrittenForm bg = NumberFormat::forLocale("bg_BG.UTF-8").writtenForm();
    EXPECT_EQ(bg.decimalSeparator, u",");
    EXPECT_EQ(bg.groupSeparator, u"\u00A0");
    EXPECT_EQ(bg.groups, std::vector{3});
    EXPECT_TRUE(bg.groupsRepeat);
    EXPECT_EQ(bg.negativePrefix, u"-");
    EXPECT_EQ(bg.negativeSuffix, u"");

    const WrittenForm in = NumberFormat::forLocale("en_IN.UTF-8").writtenForm();
    EXPECT_EQ(in.groups, (std::vector{3, 2}));
    EXPECT_TRUE(in.groupsRepeat);

    const WrittenForm fa = NumberFormat::forLocale("fa_IR.UTF-8").writtenForm();
    EXPECT_EQ(fa.negativePrefix, spelled("fa_IR.UTF-8", u"M"));

    const WrittenForm c = NumberFormat::c().writtenForm();
    EXPECT_EQ(c.decimalSeparator, u".");
    EXPECT_TRUE(c.groups.empty());
    EXPECT_EQ(c.groupSeparator, u"");
}

TEST(NumberFormat, CopiesShareOneFormatter) {
    const NumberFormat a = NumberFormat::forLocale("de_DE.UTF-8");
    const NumberFormat b = a; // NOLINT(performance-unnecessary-copy-initialization)
    EXPECT_EQ(&a.writtenForm(), &b.writtenForm());
    EXPECT_EQ(b.format3(1234.5), spelled("de_DE.UTF-8", u"1G234D500"));
}

// Windows hands its number writer a decimal rounded by the program; ICU rounds by itself on
// Linux. Both must give the same three decimals for every value.
TEST(Decimal3, AgreesWithIcuOnRandomValues) {
    std::mt19937_64 rng(20261209);
    for (int i = 0; i < 20000; ++i) {
        double value = 0;
        switch (i % 3) {
        case 0:
            value = std::bit_cast<double>(rng());
            break;
        case 1: // on and around the halves of the third decimal
            value = static_cast<double>(static_cast<std::int64_t>(rng() % 20000000) - 10000000) /
                    20000.0;
            break;
        default:
            value = std::ldexp(std::uniform_real_distribution<double>(-1, 1)(rng),
                               static_cast<int>(rng() % 120) - 40);
        }
        if (!std::isfinite(value)) {
            continue;
        }
        const std::string ascii = decimal3(value);
        ASSERT_EQ(NumberFormat::c().format3(value), std::u16string(ascii.begin(), ascii.end()))
            << value;
    }
}

// What ICU's locale data says and Windows' does not: four-digit numbers left ungrouped where
// the locale asks for at least two digits before a separator, a minus before the number in
// Persian.
TEST(IcuLocaleData, MinimumGroupingAndPrefixMinus) {
    EXPECT_EQ(FormatNumber3(1234.5, NumberFormat::forLocale("bg_BG.UTF-8")), u"1234,500");
    EXPECT_EQ(FormatNumber3(1234.5, NumberFormat::forLocale("es_ES.UTF-8")),
              spelled("es_ES.UTF-8", u"1234D500"));
    EXPECT_EQ(ParseNumber(spelled("fa_IR.UTF-8", u"M1G234D500"), NumberFormat::forLocale("fa_IR")),
              -1234.5);
}

} // namespace
} // namespace isosceles
