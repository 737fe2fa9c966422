#include "custom_format.h"
#include "working_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace isosceles {
namespace {

// Decimal ".", groups of three under "'", negatives in parentheses: a Region format a user
// can make on Windows, and the one where a negative value could pass for a formula's own
// parentheses.
NumberFormat parentheses() {
    return customFormat(u".", u"'", true);
}

// The expected texts with each number as {value}, {-value} for a negative one, {=value} with
// all its decimals, {svalue} in short form, {q} for 0.25 and {rounded} for the note on
// rounding, written in the format under test: so they hold whatever a system's locale data
// says.
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
        if (inside == "rounded") {
            out += u"Стойностите по пътя са показани закръглени; програмата смята с всичките им "
                   u"цифри.";
        } else if (inside == "q") {
            out += u"0" + format.writtenForm().decimalSeparator + u"25";
        } else if (inside.front() == '=') {
            out += exactNumber(std::stod(inside.substr(1)), format);
        } else if (inside.front() == 's') {
            out += compactNumber(std::stod(inside.substr(1)), format);
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
     u"Лицето S = (c·h) / 2 = ({6}·{4}) / 2 = {12}\n{rounded}"},
    {1, 6, 12,
     u"Вариант 2\n"
     u"Дадени: основата c = {6} и лицето S = {12}.\n"
     u"Височината към основата h = (2·S) / c = (2·{12}) / {6} = {4}\n"
     u"Бедрото a = √(h·h + ({q}·c)·c) = √({4}·{4} + ({q}·{6})·{6}) = √({16} + {9}) = {5}\n"
     u"Периметърът P = (2·a) + c = (2·{5}) + {6} = {16}\n{rounded}"},
    {2, 5, 12,
     u"Вариант 3\n"
     u"Дадени: бедрото a = {5} и лицето S = {12}.\n"
     u"Височината към бедрото t = (2·S) / a = (2·{12}) / {5} = {4.8}\n"
     u"Помощната величина u = √(a·a − t·t) = √({5}·{5} − {4.8}·{4.8}) = "
     u"√({25} − {23.04}) = {1.4}\n"
     u"Ъгълът при върха θ = arctan(t / u) = arctan({4.8} / {1.4}) = {1.287} рад ({73.74}°)\n"
     u"Височината към основата h = a · cos(θ / 2) = {5} · cos({1.287} / 2) = {4}\n"
     u"Основата c = (2·S) / h = (2·{12}) / {4} = {6}\n"
     u"Периметърът P = (2·a) + c = (2·{5}) + {6} = {16}\n{rounded}\n"
     u"Със същите бедро и лице има и втори триъгълник: c = {8}, h = {3}, P = {18}."},
    {3, 5, 16,
     u"Вариант 4\n"
     u"Дадени: бедрото a = {5} и периметърът P = {16}.\n"
     u"Основата c = P − (2·a) = {16} − (2·{5}) = {6}\n"
     u"Височината към основата h = √(a·a − ({q}·c)·c) = √({5}·{5} − ({q}·{6})·{6}) = "
     u"√({25} − {9}) = {4}\n"
     u"Лицето S = (c·h) / 2 = ({6}·{4}) / 2 = {12}\n{rounded}"},
    {4, 6, 16,
     u"Вариант 5\n"
     u"Дадени: основата c = {6} и периметърът P = {16}.\n"
     u"Бедрото a = (P − c) / 2 = ({16} − {6}) / 2 = {5}\n"
     u"Височината към основата h = √(a·a − ({q}·c)·c) = √({5}·{5} − ({q}·{6})·{6}) = "
     u"√({25} − {9}) = {4}\n"
     u"Лицето S = (c·h) / 2 = ({6}·{4}) / 2 = {12}\n{rounded}"},
    // A negative base stands in parentheses of its own inside a formula.
    {0, -6, 5,
     u"Вариант 1\n"
     u"Дадени: основата c = {-6} и бедрото a = {5}.\n"
     u"Височината към основата h = √(a·a − ({q}·c)·c) = √({5}·{5} − ({q}·({-6}))·({-6})) = "
     u"√({25} − {9}) = {4}\n"
     u"Периметърът P = (2·a) + c = (2·{5}) + ({-6}) = {4}\n"
     u"Лицето S = (c·h) / 2 = (({-6})·{4}) / 2 = {-12}\n{rounded}\n"
     u"С тези стойности триъгълник няма: основата c = {-6} е отрицателна."},
    // A step that rounding would hide shows as many decimals as it needs to check; one that
    // does not check at the decimals shown says so.
    {2, 1, 0.4999,
     u"Вариант 3\n"
     u"Дадени: бедрото a = {1} и лицето S = {0.4999}.\n"
     u"Височината към бедрото t = (2·S) / a = (2·{0.4999}) / {1} = {0.9998}\n"
     u"Помощната величина u = √(a·a − t·t) = √({=1}·{=1} − {=0.9998}·{=0.9998}) = "
     u"√({=1} − {=0.9996}) = {0.02}\n"
     u"Ъгълът при върха θ = arctan(t / u) = arctan({0.9998} / {0.02}) = {1.551} рад "
     u"({88.854}°)\n"
     u"Височината към основата h = a · cos(θ / 2) = {1} · cos({1.551} / 2) = {0.714}\n"
     u"Основата c = (2·S) / h = (2·{0.4999}) / {0.714} ≈ {1.4}\n"
     u"Периметърът P = (2·a) + c = (2·{1}) + {1.4} = {3.4}\n{rounded}\n"
     u"Със същите бедро и лице има и втори триъгълник: c = {1.428}, h = {0.7}, P = {3.428}."},
    {0, 3.333, 2.2224,
     u"Вариант 1\n"
     u"Дадени: основата c = {3.333} и бедрото a = {2.2224}.\n"
     u"Височината към основата h = √(a·a − ({q}·c)·c) = √({2.222}·{2.222} − ({q}·{3.333})·{3.333}) "
     u"≈ √({4.939} − {2.777}) = {1.47}\n"
     u"Периметърът P = (2·a) + c = (2·{2.222}) + {3.333} ≈ {7.778}\n"
     u"Лицето S = (c·h) / 2 = ({3.333}·{1.47}) / 2 = {2.45}\n{rounded}"},
    // A short form inside a formula stands in parentheses.
    {1, 0.0004, 1,
     u"Вариант 2\n"
     u"Дадени: основата c = {s0.0004} и лицето S = {1}.\n"
     u"Височината към основата h = (2·S) / c = (2·{1}) / ({s0.0004}) = {5000}\n"
     u"Бедрото a = √(h·h + ({q}·c)·c) = √({5000}·{5000} + ({q}·({s0.0004}))·({s0.0004})) = "
     u"√({25000000} + ({s4e-8})) = {5000}\n"
     u"Периметърът P = (2·a) + c = (2·{5000}) + ({s0.0004}) = {10000}\n{rounded}"},
};

INSTANTIATE_TEST_SUITE_P(Variants, RowWorking,
                         ::testing::Combine(::testing::ValuesIn(kRows),
                                            ::testing::Values("bg_BG.UTF-8", "parentheses")));

TEST(Working, WritesInTheFormatNeverItsParentheses) {
    EXPECT_EQ(stepsText(solveShowingWork(1, -6000, 12), Term::h, parentheses()),
              u"Височината към основата h = (2·S) / c = (2·12.000) / (−6'000.000) = −0.004");
    // Where three decimals would show 0.000, the short form.
    EXPECT_EQ(stepsText(solveShowingWork(0, 0.0004, 5), Term::P, parentheses()),
              u"Периметърът P = (2·a) + c = (2·5.000) + (4.000·10⁻⁴) = 10.000");
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
        FailureCase{
            0, 6, 1e200,
            u"Височината към основата h = √(a·a − (0.25·c)·c) = √((1.000·10²⁰⁰)·(1.000·10²⁰⁰) "
            u"− (0.25·6.000)·6.000): числото излиза извън обхвата",
            u"твърде голямо"}));

// Read aloud, a description keeps what Bulgarian voices drop or read in English: the minus
// (as − or as a hyphen before a number), the product, the root, the fraction bar, a power of
// ten, a square, ≈ and the quantities' letters; words and numbers stay as they are.
TEST(Working, SpokenFormSaysEverySymbolInWords) {
    const struct {
        std::u16string_view shown, spoken;
    } cases[] = {
        {u"h = √(a·a − (0,25·c)·c)", u"аш = корен квадратен от (а по а минус (0,25 по це) по це)"},
        {u"(2·S) / (4,000·10⁻⁴) = 5000,000",
         u"(2 по ес) делено на (4,000 по 10 на степен минус 4) = 5000,000"},
        {u"1,000·10^−12 ≈ 1,000·10²⁰⁰", u"1,000 по 10 на степен минус 12 приблизително 1,000 по "
                                        u"10 на степен 200"},
        {u"a² − (c/2)²", u"а на квадрат минус (це делено на 2) на квадрат"},
        {u"От „-6“ е прочетено −6, по-дълга.", u"От „минус 6“ е прочетено минус 6, по дълга."},
        {u"25\u00A0000\u202F000,000 + 2 000", u"25000000,000 + 2 000"},
        {u"θ = π/2 (90,000°); 5-3; Вариант 2",
         u"тета = пи делено на 2 (90,000 градуса); 5-3; Вариант 2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(spokenForm(c.shown), c.spoken) << std::string(c.shown.begin(), c.shown.end());
    }
}

// A pupil's calculator for a step as the working writes it in the C format with plain powers
// of ten: numbers, + − · /, parentheses, √( ), arctan( ), cos( ).
class Calculator {
public:
    explicit Calculator(std::u16string_view text) : text_(text) {}

    double value() {
        const double v = sum();
        return at_ == text_.size() ? v : NAN;
    }

private:
    void skipBlanks() {
        while (at_ < text_.size() && text_[at_] == u' ') {
            ++at_;
        }
    }
    bool take(std::u16string_view token) {
        skipBlanks();
        if (text_.substr(at_).starts_with(token)) {
            at_ += token.size();
            return true;
        }
        return false;
    }
    double sum() {
        double v = product();
        for (;;) {
            if (take(u"+")) {
                v += product();
            } else if (take(u"−")) {
                v -= product();
            } else {
                return v;
            }
        }
    }
    double product() {
        double v = factor();
        for (;;) {
            if (take(u"·")) {
                v *= factor();
            } else if (take(u"/")) {
                v /= factor();
            } else {
                return v;
            }
        }
    }
    double factor() {
        if (take(u"−")) {
            return -factor();
        }
        for (const auto& [name, f] : {std::pair{u"√(", +[](double x) { return std::sqrt(x); }},
                                      std::pair{u"arctan(", +[](double x) { return std::atan(x); }},
                                      std::pair{u"cos(", +[](double x) { return std::cos(x); }},
                                      std::pair{u"(", +[](double x) { return x; }}}) {
            if (take(name)) {
                const double inside = sum();
                return take(u")") ? f(inside) : NAN;
            }
        }
        return number();
    }
    double number() {
        skipBlanks();
        std::string digits;
        while (at_ < text_.size() && (std::isdigit(text_[at_]) || text_[at_] == u'.')) {
            digits += static_cast<char>(text_[at_++]);
        }
        if (digits.empty()) {
            return NAN;
        }
        double v = std::stod(digits);
        if (take(u"·10^")) {
            const bool negative = take(u"−");
            std::string power;
            while (at_ < text_.size() && std::isdigit(text_[at_])) {
                power += static_cast<char>(text_[at_++]);
            }
            v *= std::pow(10.0, (negative ? -1 : 1) * std::stoi(power));
        }
        return v;
    }

    std::u16string_view text_;
    std::size_t at_ = 0;
};

// Half a unit of a shown number's last digit: how far the value it stands for may lie.
double halfUnit(std::u16string_view shown) {
    const std::size_t power = shown.find(u"·10^");
    const std::u16string_view mantissa = shown.substr(0, power);
    const std::size_t point = mantissa.find(u'.');
    const auto decimals =
        point == std::u16string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    double half = 0.5 * std::pow(10.0, -decimals);
    if (power != std::u16string_view::npos) {
        const std::u16string one = u"1" + std::u16string(shown.substr(power));
        half *= Calculator(one).value();
    }
    return half;
}

// Over a seeded run of every variant, each step's last "=" holds for a pupil redoing it on a
// calculator from the numbers it shows, to the last digit of its result; else it says "≈".
TEST(Working, EveryStepChecksFromItsShownNumbersOrSaysAboutEqual) {
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> power(-4, 7);
    std::uniform_int_distribution<int> variant(0, kVariantCount - 1);
    int checked = 0, about = 0;
    for (int run = 0; run < 2000; ++run) {
        Calculation calculation;
        calculation.working = solveShowingWork(variant(random), std::pow(10.0, power(random)),
                                               std::pow(10.0, power(random)));
        const std::u16string text = workingText(calculation, NumberFormat::c(), Exponent::Plain);
        std::size_t start = text.find(u'\n', text.find(u"Дадени")) + 1;
        for (std::size_t end = text.find(u'\n', start); end != std::u16string::npos;
             start = end + 1, end = text.find(u'\n', start)) {
            std::u16string line = text.substr(start, end - start);
            if (line.starts_with(u"Стойностите") || line.find(u"π") != line.npos) {
                break;
            }
            if (const std::size_t radians = line.find(u" рад"); radians != line.npos) {
                line.erase(radians);
            }
            // Where each stage of the step begins, and whether "≈" led to it.
            std::vector<std::pair<std::size_t, bool>> stages;
            for (std::size_t at = 0; at + 3 <= line.size(); ++at) {
                const std::u16string_view three = std::u16string_view(line).substr(at, 3);
                if (three == u" = " || three == u" ≈ ") {
                    stages.emplace_back(at, three == u" ≈ ");
                }
            }
            if (stages.size() < 3) {
                break; // the failed step, a stage a line
            }
            const auto [last, approximate] = stages.back();
            const std::size_t before = stages[stages.size() - 2].first + 3;
            const std::u16string_view shown = std::u16string_view(line).substr(last + 3);
            const double redone =
                Calculator(std::u16string_view(line).substr(before, last - before)).value();
            const double result = Calculator(shown).value();
            if (approximate) {
                ++about;
                continue;
            }
            ++checked;
            // A tie rounds either way; the rest is the calculator's own rounding.
            EXPECT_LE(std::fabs(redone - result),
                      halfUnit(shown) + 1e-12 * std::max(1.0, std::fabs(result)))
                << std::string(line.begin(), line.end());
        }
    }
    // The run reaches both kinds of step.
    EXPECT_GT(checked, 1000);
    EXPECT_GT(about, 10);
}

} // namespace
} // namespace isosceles
