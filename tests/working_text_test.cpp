#include "custom_format.h"
#include "working_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace isosceles {
namespace {

// Decimal ".", groups of three under "'", negatives in parentheses: a Region format a user
// can make on Windows, and the one where a negative value could pass for a formula's own
// parentheses.
NumberFormat parentheses() {
    return customFormat(u".", u"'", true);
}

// The expected texts with each number as {value}, {-value} for a negative one, and {q} for
// 0.25, written in the format under test: so they hold whatever a system's locale data says.
std::u16string expected(std::u16string_view pattern, const NumberFormat& format) {
    std::u16string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'{') {
            out += pattern[i];
            continue;
        }
        const std::size_t close = pattern.find(u'}', i);
        const std::string inside(pattern.begin() + static_cast<long>(i) + 1,
                                 pattern.begin() + static_cast<long>(close));
        if (inside == "q") {
            out += u"0" + format.writtenForm().decimalSeparator + u"25";
        } else if (inside.front() == '-') {
            out += u"−" + format.format3(std::stod(inside.substr(1)));
        } else {
            out += format.format3(std::stod(inside));
        }
        i = close;
    }
    return out;
}

struct WorkingCase {
    Variant variant;
    double first, second;
    std::u16string_view text;
};

class RowWorking : public ::testing::TestWithParam<std::tuple<WorkingCase, const char*>> {};

TEST_P(RowWorking, ShowsEveryStepWithItsValues) {
    const auto& [k, locale] = GetParam();
    const NumberFormat format =
        std::string(locale) == "parentheses" ? parentheses() : NumberFormat::forLocale(locale);
    Calculation calculation;
    calculation.working = solveShowingWork(k.variant, k.first, k.second);
    EXPECT_EQ(workingText(calculation, format), expected(k.text, format));
}

// The six-five-sixteen-twelve triangle from each variant's own pair.
constexpr WorkingCase kRows[] = {
    {0, 6, 5,
     u"Вариант 1\n"
     u"Дадени: основата c = {6} и бедрото a = {5}.\n"
     u"Височината към основата h = √(a·a − ({q}·c)·c) = √({5}·{5} − ({q}·{6})·{6}) = "
     u"√({25} − {9}) = {4}\n"
     u"Периметърът P = (2·a) + c = (2·{5}) + {6} = {16}\n"
     u"Лицето S = (c·h) / 2 = ({6}·{4}) / 2 = {12}"},
    {1, 6, 12,
     u"Вариант 2\n"
     u"Дадени: основата c = {6} и лицето S = {12}.\n"
     u"Височината към основата h = (2·S) / c = (2·{12}) / {6} = {4}\n"
     u"Бедрото a = √(h·h + ({q}·c)·c) = √({4}·{4} + ({q}·{6})·{6}) = √({16} + {9}) = {5}\n"
     u"Периметърът P = (2·a) + c = (2·{5}) + {6} = {16}"},
    {2, 5, 12,
     u"Вариант 3\n"
     u"Дадени: бедрото a = {5} и лицето S = {12}.\n"
     u"Височината към бедрото t = (2·S) / a = (2·{12}) / {5} = {4.8}\n"
     u"Помощната величина u = √(a·a − t·t) = √({5}·{5} − {4.8}·{4.8}) = "
     u"√({25} − {23.04}) = {1.4}\n"
     u"Ъгълът при върха θ = arctan(t / u) = arctan({4.8} / {1.4}) = {1.287} рад\n"
     u"Височината към основата h = a · cos(θ / 2) = {5} · cos({1.287} / 2) = {4}\n"
     u"Основата c = (2·S) / h = (2·{12}) / {4} = {6}\n"
     u"Периметърът P = (2·a) + c = (2·{5}) + {6} = {16}\n"
     u"Със същите бедро и лице има и втори триъгълник: c = {8}, h = {3}, P = {18}."},
    {3, 5, 16,
     u"Вариант 4\n"
     u"Дадени: бедрото a = {5} и периметърът P = {16}.\n"
     u"Основата c = P − (2·a) = {16} − (2·{5}) = {6}\n"
     u"Височината към основата h = √(a·a − ({q}·c)·c) = √({5}·{5} − ({q}·{6})·{6}) = "
     u"√({25} − {9}) = {4}\n"
     u"Лицето S = (c·h) / 2 = ({6}·{4}) / 2 = {12}"},
    {4, 6, 16,
     u"Вариант 5\n"
     u"Дадени: основата c = {6} и периметърът P = {16}.\n"
     u"Бедрото a = (P − c) / 2 = ({16} − {6}) / 2 = {5}\n"
     u"Височината към основата h = √(a·a − ({q}·c)·c) = √({5}·{5} − ({q}·{6})·{6}) = "
     u"√({25} − {9}) = {4}\n"
     u"Лицето S = (c·h) / 2 = ({6}·{4}) / 2 = {12}"},
    // A negative base stands in parentheses of its own inside a formula.
    {0, -6, 5,
     u"Вариант 1\n"
     u"Дадени: основата c = {-6} и бедрото a = {5}.\n"
     u"Височината към основата h = √(a·a − ({q}·c)·c) = √({5}·{5} − ({q}·({-6}))·({-6})) = "
     u"√({25} − {9}) = {4}\n"
     u"Периметърът P = (2·a) + c = (2·{5}) + ({-6}) = {4}\n"
     u"Лицето S = (c·h) / 2 = (({-6})·{4}) / 2 = {-12}\n"
     u"С тези стойности триъгълник няма: основата c = {-6} е отрицателна."},
};

INSTANTIATE_TEST_SUITE_P(Variants, RowWorking,
                         ::testing::Combine(::testing::ValuesIn(kRows),
                                            ::testing::Values("bg_BG.UTF-8", "parentheses")));

TEST(Working, WritesInTheFormatNeverItsParentheses) {
    EXPECT_EQ(stepsText(solveShowingWork(1, -6000, 12), Term::h, parentheses()),
              u"Височината към основата h = (2·S) / c = (2·12.000) / (−6'000.000) = −0.004");
    // Where three decimals would show 0.000, the short form.
    EXPECT_EQ(stepsText(solveShowingWork(0, 0.0004, 5), Term::P, parentheses()),
              u"Периметърът P = (2·a) + c = (2·5.000) + 4.000·10⁻⁴ = 10.000");
}

// What the reading took of a typed text, where it stopped early or found nothing.
TEST(Working, SaysWhatWasReadFromATextReadInPart) {
    Calculation calculation;
    calculation.working = solveShowingWork(0, 6, 5);
    calculation.typed = {u"6,5", u"5"};
    calculation.readWhole = {false, true};
    EXPECT_NE(workingText(calculation, parentheses())
                  .find(u"Дадени: основата c = 6.000 (прочетено от въведеното «6,5») и бедрото "
                        u"a = 5.000.\n"),
              std::u16string::npos);
    calculation.working = solveShowingWork(0, 0, 5);
    calculation.typed = {u"", u"5"};
    EXPECT_NE(workingText(calculation, parentheses())
                  .find(u"основата c = 0.000 (празното поле се чете като 0) и"),
              std::u16string::npos);
}

struct ShapeCase {
    Variant variant;
    double first, second;
    std::u16string_view note;
};

class Shape : public ::testing::TestWithParam<ShapeCase> {};

// A pupil is told in one sentence why no triangle has the row's values, with the value at
// fault, or that a second triangle has the same leg and area.
TEST_P(Shape, IsSaidInOneSentence) {
    const ShapeCase& k = GetParam();
    EXPECT_EQ(shapeNote(solveShowingWork(k.variant, k.first, k.second), parentheses()), k.note);
}

// Which quantity is at fault is the solver's to say; here, how each is said.
INSTANTIATE_TEST_SUITE_P(
    Rows, Shape,
    ::testing::Values(
        ShapeCase{0, 6, 5, u""},
        ShapeCase{0, 0, 0, u"С тези стойности триъгълник няма: основата c = 0.000 е нула."},
        ShapeCase{0, 6, -5, u"С тези стойности триъгълник няма: бедрото a = −5.000 е отрицателно."},
        ShapeCase{3, 5, 6, u"С тези стойности триъгълник няма: основата c = −4.000 е отрицателна."},
        ShapeCase{4, 1, -1,
                  u"С тези стойности триъгълник няма: периметърът P = −1.000 е отрицателен."},
        ShapeCase{0, 10, 5,
                  u"С тези стойности триъгълник няма: основата c = 10.000 е колкото двете бедра "
                  u"заедно, затова лицето е нула."},
        ShapeCase{2, 5, 12,
                  u"Със същите бедро и лице има и втори триъгълник: c = 8.000, h = 3.000, "
                  u"P = 18.000."}));

struct ReadingCase {
    std::u16string_view typed;
    bool whole;
    double read;
    std::u16string_view note;
};

class Reading : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(Reading, SaysWhatWasReadOfATextTakenInPart) {
    const ReadingCase& k = GetParam();
    Calculation calculation;
    calculation.working = solveShowingWork(0, k.read, 5);
    calculation.typed = {std::u16string(k.typed), u"5"};
    calculation.readWhole = {k.whole, true};
    EXPECT_EQ(readingNote(calculation, 0, parentheses()), k.note);
    EXPECT_EQ(readingNote(calculation, 1, parentheses()), u"");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Reading,
    ::testing::Values(ReadingCase{u"6", true, 6, u""},
                      ReadingCase{u"", false, 0, u"Празното поле се чете като 0."},
                      ReadingCase{u"6 и половина", false, 6, u"От „6 и половина“ е прочетено 6."},
                      ReadingCase{u"6.125 см", false, 6.125, u"От „6.125 см“ е прочетено 6.125."},
                      ReadingCase{u"-1234.5abc", false, -1234.5,
                                  u"От „-1234.5abc“ е прочетено (1'234.5)."}));

struct FailureCase {
    Variant variant;
    double first, second;
    std::u16string_view step;  // the failed step, as far as it went
    std::u16string_view cause; // what the sentence says
};

class FailedStep : public ::testing::TestWithParam<FailureCase> {};

// Every row of the solver's failure table, and a value too large.
TEST_P(FailedStep, SaysWhatFailedAndWhy) {
    const FailureCase& k = GetParam();
    const NumberFormat format = parentheses();
    // Each stage of the failed step on a line of its own, then the sentence.
    std::u16string text = failureText(solveShowingWork(k.variant, k.first, k.second), format);
    for (std::size_t at = text.find(u"\n= "); at != std::u16string::npos;
         at = text.find(u"\n= ", at)) {
        text.replace(at, 1, u" ");
    }
    EXPECT_TRUE(text.starts_with(k.step)) << std::string(text.begin(), text.end());
    EXPECT_NE(text.find(k.cause), std::u16string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedStep,
    ::testing::Values(
        FailureCase{0, 12, 5,
                    u"Височината към основата h = √(a·a − (0.25·c)·c) = √(5.000·5.000 − "
                    u"(0.25·12.000)·12.000) = √(25.000 − 36.000): под корена излиза "
                    u"отрицателно число.",
                    u"Основата е по-дълга от двете бедра заедно"},
        FailureCase{1, 0, 12,
                    u"Височината към основата h = (2·S) / c = (2·12.000) / 0.000: деление на нула.",
                    u"Основата е нула"},
        FailureCase{
            1, 0, 0,
            u"Височината към основата h = (2·S) / c = (2·0.000) / 0.000: нула, делена на нула.",
            u"Основата е нула"},
        FailureCase{2, 0, 12,
                    u"Височината към бедрото t = (2·S) / a = (2·12.000) / 0.000: деление на нула.",
                    u"Бедрото е нула"},
        FailureCase{2, 5, 13,
                    u"Помощната величина u = √(a·a − t·t) = √(5.000·5.000 − "
                    u"5.200·5.200) = √(25.000 − 27.040): под корена",
                    u"по-голямо от a²/2"},
        FailureCase{3, 5, 21,
                    u"Височината към основата h = √(a·a − (0.25·c)·c) = √(5.000·5.000 − "
                    u"(0.25·11.000)·11.000) = √(25.000 − 30.250): под корена",
                    u"Периметърът е повече от четири бедра"},
        FailureCase{4, 6, 10,
                    u"Височината към основата h = √(a·a − (0.25·c)·c) = √(2.000·2.000 − "
                    u"(0.25·6.000)·6.000) = √(4.000 − 9.000): под корена",
                    u"Двете бедра заедно излизат по-къси от основата"},
        FailureCase{0, 6, 1e200,
                    u"Височината към основата h = √(a·a − (0.25·c)·c) = √(1.000·10²⁰⁰·1.000·10²⁰⁰ "
                    u"− (0.25·6.000)·6.000): числото излиза извън обхвата",
                    u"твърде голямо"}));

} // namespace
} // namespace isosceles
