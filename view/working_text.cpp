#include "working_text.h"

#include "number_text.h"
#include "variant_table.h"
#include "window_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

namespace isosceles {

namespace {

struct TermText {
    std::u16string_view symbol;
    std::u16string_view name;     // where it first appears, its symbol included
    std::u16string_view negative; // "is negative", in the name's gender
};

// By Term.
constexpr std::array<TermText, 8> kTerms{{
    {u"c", u"основата c", u"отрицателна"},
    {u"a", u"бедрото a", u"отрицателно"},
    {u"P", u"периметърът P", u"отрицателен"},
    {u"S", u"лицето S", u"отрицателно"},
    {u"h", u"височината към основата h", u"отрицателна"},
    {u"t", u"височината към бедрото t", u"отрицателна"},
    {u"u", u"помощната величина u", u"отрицателна"},
    {u"θ", u"ъгълът при върха θ", u"отрицателен"},
}};

const TermText& textOf(Term term) {
    return kTerms.at(static_cast<std::size_t>(term));
}

// A step's formula: X and Y its operands, Q the constant 0.25, A and B the two products
// under a root.
struct FormText {
    Form form;
    std::u16string_view formula;
    std::u16string_view underRoot; // empty: no root
};

constexpr std::array<FormText, 11> kForms{{
    {Form::RootOfDifferenceWithQuarter, u"√(X·X − (Q·Y)·Y)", u"√(A − B)"},
    {Form::RootOfSumWithQuarter, u"√(X·X + (Q·Y)·Y)", u"√(A + B)"},
    {Form::RootOfDifference, u"√(X·X − Y·Y)", u"√(A − B)"},
    {Form::TwiceOver, u"(2·X) / Y", u""},
    {Form::TwicePlus, u"(2·X) + Y", u""},
    {Form::ProductHalved, u"(X·Y) / 2", u""},
    {Form::LessTwice, u"X − (2·Y)", u""},
    {Form::DifferenceHalved, u"(X − Y) / 2", u""},
    {Form::Arctan, u"arctan(X / Y)", u""},
    {Form::RightApex, u"arctan(X / Y)", u""},
    {Form::TimesCosHalf, u"X · cos(Y / 2)", u""},
}};

const FormText& textOf(Form form) {
    for (const FormText& text : kForms) {
        if (text.form == form) {
            return text;
        }
    }
    return kForms.front();
}

// What a failed step met, and what it means for the triangle, by variant and step.
struct Explanation {
    Variant variant;
    Term term;
    CalcErrorKind kind;
    std::u16string_view sentence;
};

constexpr std::array<Explanation, 8> kExplanations{{
    {0, Term::h, CalcErrorKind::InvalidArgument,
     u"Основата е по-дълга от двете бедра заедно, затова такъв триъгълник няма."},
    {3, Term::h, CalcErrorKind::InvalidArgument,
     u"Периметърът е повече от четири бедра: основата излиза по-дълга от двете бедра заедно, "
     u"затова такъв триъгълник няма."},
    {4, Term::h, CalcErrorKind::InvalidArgument,
     u"Двете бедра заедно излизат по-къси от основата, затова такъв триъгълник няма."},
    {2, Term::u, CalcErrorKind::InvalidArgument,
     u"Лицето е по-голямо от a²/2, а това е най-голямото лице, което може да има триъгълник с "
     u"бедро a."},
    {1, Term::h, CalcErrorKind::DivisionByZero,
     u"Основата е нула, а без основа височината не може да се намери от лицето."},
    {1, Term::h, CalcErrorKind::Overflow,
     u"Основата е нула, а без основа височината не може да се намери от лицето."},
    {2, Term::t, CalcErrorKind::DivisionByZero,
     u"Бедрото е нула, а без бедро височината към него не може да се намери от лицето."},
    {2, Term::t, CalcErrorKind::Overflow,
     u"Бедрото е нула, а без бедро височината към него не може да се намери от лицето."},
}};

constexpr std::u16string_view kRoundedNote =
    u"Стойностите по пътя са показани закръглени; програмата смята с всичките им цифри.";

constexpr std::u16string_view kTooLarge =
    u"Някое от числата излиза твърде голямо, за да го пресметне програмата.";

std::u16string capitalised(std::u16string_view text) {
    std::u16string out(text);
    // The names begin with a lower-case Cyrillic letter: а..я sit 32 above А..Я.
    if (!out.empty() && out.front() >= u'а' && out.front() <= u'я') {
        out.front() = static_cast<char16_t>(out.front() - 32);
    }
    return out;
}

// How the numbers are written.
struct Style {
    const NumberFormat& format;
    Exponent exponent;
};

// Whether a value is written in the short form: three decimals would show 0,000 for a value
// that is not zero, or run past a pupil's reading.
bool inShortForm(double size) {
    return size != 0 && (size < 0.0005 || size >= 1e15);
}

// Three decimals, or the short form; − before a negative value whatever the format's own
// sign, which may be a pair of parentheses.
std::u16string number(double value, const Style& style) {
    const NumberFormat& format = style.format;
    const double size = std::fabs(value);
    const std::u16string digits =
        inShortForm(size) ? compactNumber(size, format, style.exponent) : format.format3(size);
    return value < 0 && digits != format.format3(0) ? u"−" + digits : digits;
}

// What number() shows, as a pupil would key it into a calculator.
double shownValue(double value, const Style& style) {
    const double size = std::fabs(value);
    return std::copysign(inShortForm(size) ? compactValue(size, style.format)
                                           : ParseNumber(style.format.format3(size), style.format),
                         value);
}

// Inside a formula a negative value, and one in short form, stand in parentheses of their own,
// so that neither a sign nor a power of ten is read as belonging to more of the formula.
std::u16string operand(const std::u16string& text) {
    return text.starts_with(u"−") || text.find(u"\u00B710") != std::u16string::npos
               ? u"(" + text + u")"
               : text;
}

std::u16string quarter(const NumberFormat& format) {
    const WrittenForm& form = format.writtenForm();
    return (form.leadingZero ? u"0" : u"") + form.decimalSeparator + u"25";
}

std::u16string filled(std::u16string_view pattern, const std::array<std::u16string, 2>& xy,
                      const std::array<std::u16string, 2>& ab, const Style& style) {
    std::u16string out;
    for (const char16_t ch : pattern) {
        switch (ch) {
        case u'X':
            out += xy[0];
            break;
        case u'Y':
            out += xy[1];
            break;
        case u'A':
            out += ab[0];
            break;
        case u'B':
            out += ab[1];
            break;
        case u'Q':
            out += quarter(style.format);
            break;
        default:
            out += ch;
        }
    }
    return out;
}

bool hasRoot(Form form) {
    return !textOf(form).underRoot.empty();
}

// The products under a step's root, from its operands, as its formula writes them.
std::array<double, 2> partsOf(Form form, double x, double y) {
    return form == Form::RootOfDifference ? std::array{x * x, y * y}
                                          : std::array{x * x, (0.25 * y) * y};
}

// A step's result from its operands, or from the products under its root, as its formula
// writes it: what a pupil redoing the step on a calculator gets.
double resultOf(Form form, double x, double y, const std::array<double, 2>& parts) {
    switch (form) {
    case Form::RootOfDifferenceWithQuarter:
    case Form::RootOfDifference:
        return std::sqrt(parts[0] - parts[1]);
    case Form::RootOfSumWithQuarter:
        return std::sqrt(parts[0] + parts[1]);
    case Form::TwiceOver:
        return (2 * x) / y;
    case Form::TwicePlus:
        return (2 * x) + y;
    case Form::ProductHalved:
        return (x * y) / 2;
    case Form::LessTwice:
        return x - (2 * y);
    case Form::DifferenceHalved:
        return (x - y) / 2;
    case Form::Arctan:
        return std::atan(x / y);
    case Form::RightApex:
        return std::copysign(std::acos(0.0), x);
    case Form::TimesCosHalf:
        return x * std::cos(y / 2);
    }
    return 0;
}

// A step's numbers as shown: its operands and the products under its root with `decimals`
// decimals (three: as everywhere else), and whether each "=" of it holds for a pupil who
// redoes it from the numbers shown, at the result's three decimals.
struct ShownStep {
    std::array<std::u16string, 2> values, parts;
    bool partsHold = true, resultHolds = true;
};

// With more than three decimals, `value` rounded to them, written with as many as it has.
std::u16string numberAt(double value, int decimals, const Style& style) {
    if (decimals == 3 || inShortForm(std::fabs(value))) {
        return number(value, style);
    }
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(std::fabs(value) * scale) / scale;
    const std::u16string digits = exactNumber(rounded, style.format);
    return value < 0 && rounded != 0 ? u"−" + digits : digits;
}

double shownAt(double value, int decimals, const Style& style) {
    if (decimals == 3 || inShortForm(std::fabs(value))) {
        return shownValue(value, style);
    }
    const double scale = std::pow(10.0, decimals);
    return std::copysign(std::round(std::fabs(value) * scale) / scale, value);
}

ShownStep shownAt(const Step& step, int decimals, const Style& style) {
    ShownStep shown;
    const double x = shownAt(step.values[0], decimals, style);
    const double y = shownAt(step.values[1], decimals, style);
    for (std::size_t i = 0; i < 2; ++i) {
        shown.values.at(i) = operand(numberAt(step.values.at(i), decimals, style));
    }
    std::array<double, 2> parts{};
    if (hasRoot(step.form) && step.parts[0] && step.parts[1]) {
        const std::array<double, 2> redone = partsOf(step.form, x, y);
        for (std::size_t i = 0; i < 2; ++i) {
            shown.parts.at(i) = operand(numberAt(*step.parts.at(i), decimals, style));
            parts.at(i) = shownAt(*step.parts.at(i), decimals, style);
            shown.partsHold = shown.partsHold && numberAt(redone.at(i), decimals, style) ==
                                                     numberAt(*step.parts.at(i), decimals, style);
        }
    }
    if (step.result) {
        shown.resultHolds =
            number(resultOf(step.form, x, y, parts), style) == number(*step.result, style);
    }
    return shown;
}

// Three decimals, unless rounding them would hide the step altogether: its numbers shown give
// nothing (0,000) where its result is not. Then as many more as the step needs to check.
ShownStep shownStep(const Step& step, const Style& style) {
    const ShownStep three = shownAt(step, 3, style);
    if (!step.result || number(*step.result, style) == number(0, style)) {
        return three;
    }
    const double x = shownValue(step.values[0], style);
    const double y = shownValue(step.values[1], style);
    std::array<double, 2> parts{};
    if (hasRoot(step.form) && step.parts[0] && step.parts[1]) {
        parts = {shownValue(*step.parts[0], style), shownValue(*step.parts[1], style)};
    }
    if (number(resultOf(step.form, x, y, parts), style) != number(0, style)) {
        return three;
    }
    for (int decimals = 4; decimals <= 12; ++decimals) {
        const ShownStep more = shownAt(step, decimals, style);
        if (more.partsHold && more.resultHolds) {
            return more;
        }
    }
    return three;
}

std::u16string_view relation(bool holds) {
    return holds ? u" = " : u" ≈ ";
}

// "Name = formula = formula with values", then what follows it; each " = " is `equals`
// where the step's numbers check, else " ≈ ".
std::u16string stepOpening(const Step& step, const Style& style, const ShownStep& shown,
                           std::u16string_view equals = u" = ") {
    const FormText& form = textOf(step.form);
    const std::array<std::u16string, 2> symbols{std::u16string(textOf(step.operands[0]).symbol),
                                                std::u16string(textOf(step.operands[1]).symbol)};
    std::u16string line = capitalised(textOf(step.term).name) + u" = " +
                          filled(form.formula, symbols, {}, style) + std::u16string(equals) +
                          filled(form.formula, shown.values, {}, style);
    if (hasRoot(step.form) && step.parts[0] && step.parts[1]) {
        std::u16string link(equals);
        if (!shown.partsHold) {
            link.replace(link.find(u'='), 1, u"≈");
        }
        line += link + filled(form.underRoot, {}, shown.parts, style);
    }
    return line;
}

std::u16string stepLine(const Step& step, const Style& style) {
    const ShownStep shown = shownStep(step, style);
    std::u16string line = stepOpening(step, style, shown);
    if (step.form == Form::RightApex) {
        line += u", но u = 0: ъгълът е прав, θ = π/2";
    }
    line += std::u16string(relation(shown.resultHolds)) + number(step.result.value_or(0), style);
    if (step.term == Term::theta) {
        // Degrees too: radians are not taught before the upper grades.
        const double degrees = step.result.value_or(0) * 180 / std::acos(-1.0);
        line += u" рад (" + number(degrees, style) + u"°)";
    }
    return line;
}

std::u16string whatFailed(const Step& step, CalcErrorKind kind) {
    switch (kind) {
    case CalcErrorKind::InvalidArgument:
        return u"под корена излиза отрицателно число";
    case CalcErrorKind::DivisionByZero:
        return u"деление на нула";
    case CalcErrorKind::Overflow:
        break;
    }
    return step.form == Form::TwiceOver && step.values[0] == 0 && step.values[1] == 0
               ? u"нула, делена на нула"
               : u"числото излиза извън обхвата на програмата";
}

std::u16string_view sentenceFor(const Working& working, const Step& failed) {
    for (const Explanation& e : kExplanations) {
        if (e.variant == working.variant && e.term == failed.term && e.kind == working.failure) {
            return e.sentence;
        }
    }
    return kTooLarge;
}

std::u16string givenLine(const Calculation& calculation, const Style& style) {
    const Working& working = calculation.working;
    const auto& pair = given(working.variant);
    std::u16string line = u"Дадени: ";
    for (std::size_t n = 0; n < pair.size(); ++n) {
        if (n > 0) {
            line += u" и ";
        }
        line +=
            std::u16string(textOf(termOf(pair[n])).name) + u" = " + number(working.given[n], style);
        if (!calculation.readWhole[n]) {
            line += calculation.typed[n].empty()
                        ? std::u16string(u" (празното поле се чете като 0)")
                        : u" (прочетено от въведеното «" + calculation.typed[n] + u"»)";
        }
    }
    return line + u".";
}

std::u16string joined(const std::vector<Step>& steps, const Style& style) {
    std::u16string text;
    for (const Step& step : steps) {
        if (!text.empty()) {
            text += u'\n';
        }
        text += stepLine(step, style);
    }
    return text;
}

} // namespace

std::u16string workingText(const Calculation& calculation, const NumberFormat& format,
                           Exponent exponent) {
    const Style style{format, exponent};
    const Working& working = calculation.working;
    std::u16string text = utf16(caption(working.variant)) + u'\n' + givenLine(calculation, style);
    std::vector<Step> done = working.steps;
    if (working.failed() && !done.empty()) {
        done.pop_back();
    }
    if (!done.empty()) {
        text += u'\n' + joined(done, style) + u'\n' + std::u16string(kRoundedNote);
    }
    if (working.failed()) {
        text += u'\n' + failureText(calculation, format, exponent);
    } else if (const std::u16string note = shapeNote(working, format, exponent); !note.empty()) {
        text += u'\n' + note;
    }
    return text;
}

std::u16string stepsText(const Working& working, Term term, const NumberFormat& format,
                         Exponent exponent) {
    return working.failed() ? std::u16string()
                            : joined(stepsTo(working, term), Style{format, exponent});
}

std::u16string unreadableText(Quantity quantity, const Calculation& calculation) {
    const auto& pair = given(calculation.working.variant);
    const std::size_t n = pair[0] == quantity ? 0 : 1;
    const std::u16string& typed = calculation.typed[n];
    const std::size_t start = typed.find_first_not_of(u' ');
    const std::u16string_view prefix =
        start == std::u16string::npos ? u"" : std::u16string_view(typed).substr(start, 2);
    const bool radix = prefix == u"&H" || prefix == u"&h" || prefix == u"&O" || prefix == u"&o";
    return capitalised(textOf(termOf(quantity)).name) + u" «" + typed +
           (radix ? u"» е извън обхвата: числата с &H и &O се четат до 32 бита."
                  : u"» е извън обхвата на числата, с които програмата смята.");
}

namespace {

struct SpokenSymbol {
    char16_t symbol;
    std::u16string_view words;
};

// How a Bulgarian class reads each symbol aloud; a letter only where it stands alone.
constexpr std::array<SpokenSymbol, 17> kSpoken{{
    {u'√', u"корен квадратен от "},
    {u'·', u" по "},
    {u'−', u" минус "},
    {u'≈', u" приблизително "},
    {u'/', u" делено на "},
    {u'²', u" на квадрат "},
    {u'θ', u"тета"},
    {u'π', u"пи"},
    {u'°', u" градуса"},
    {u'a', u"а"},
    {u'b', u"бе"},
    {u'c', u"це"},
    {u'h', u"аш"},
    {u'P', u"пе"},
    {u'S', u"ес"},
    {u't', u"те"},
    {u'u', u"у"},
}};

bool isLetter(char16_t ch) {
    return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'а' && ch <= u'я') ||
           (ch >= u'А' && ch <= u'Я');
}

bool isDigit(char16_t ch) {
    return ch >= u'0' && ch <= u'9';
}

// A raised exponent's characters, by the digit or sign they raise.
constexpr std::u16string_view kRaised = u"⁰¹²³⁴⁵⁶⁷⁸⁹";

} // namespace

std::u16string spokenForm(std::u16string_view text) {
    std::u16string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t ch = text[at];
        // A power of ten, raised (10⁻⁴) or after a caret (10^−4).
        const bool raised = ch == u'⁻' || kRaised.find(ch) != std::u16string_view::npos;
        if ((raised || ch == u'^') && at >= 2 && text.substr(at - 2, 2) == u"10") {
            out += u" на степен ";
            std::size_t end = ch == u'^' ? at + 1 : at;
            for (; end < text.size(); ++end) {
                const char16_t e = text[end];
                const std::size_t digit = kRaised.find(e);
                if (e == u'⁻' || e == u'−') {
                    out += u"минус ";
                } else if (digit != std::u16string_view::npos) {
                    out += static_cast<char16_t>(u'0' + digit);
                } else if (e >= u'0' && e <= u'9') {
                    out += e;
                } else {
                    break;
                }
            }
            out += u' ';
            at = end - 1;
            continue;
        }
        // A group separator inside a number: read aloud, each group would be a number of its
        // own («25 000» as 25, 0, 0, 0).
        if ((ch == u'\u00A0' || ch == u'\u202F') && at > 0 && isDigit(text[at - 1]) &&
            at + 1 < text.size() && isDigit(text[at + 1])) {
            continue;
        }
        // A hyphen as the sign of a number the voices leave unsaid; within a word («по-дълга»)
        // they read it as a dash.
        if (ch == u'-' && at + 1 < text.size()) {
            const char16_t next = text[at + 1];
            const bool afterWord = at > 0 && (isLetter(text[at - 1]) || isDigit(text[at - 1]));
            if (next >= u'0' && next <= u'9' && !afterWord) {
                out += u" минус ";
                continue;
            }
            if (isLetter(next) && at > 0 && isLetter(text[at - 1])) {
                out += u' ';
                continue;
            }
        }
        const auto spoken = std::find_if(kSpoken.begin(), kSpoken.end(),
                                         [ch](const SpokenSymbol& s) { return s.symbol == ch; });
        const bool alone = (at == 0 || !isLetter(text[at - 1])) &&
                           (at + 1 == text.size() || !isLetter(text[at + 1]));
        if (spoken != kSpoken.end() && (alone || !isLetter(ch))) {
            out += spoken->words;
        } else {
            out += ch;
        }
    }
    // One blank between words, none after an opening bracket or quote, none before a stop or
    // a closing bracket.
    constexpr std::u16string_view kOpening = u" („«\n";
    std::u16string tidy;
    for (const char16_t ch : out) {
        if (ch == u' ' && (tidy.empty() || kOpening.find(tidy.back()) != kOpening.npos)) {
            continue;
        }
        if ((ch == u')' || ch == u'.' || ch == u',' || ch == u';' || ch == u'\n') &&
            !tidy.empty() && tidy.back() == u' ') {
            tidy.pop_back();
        }
        tidy += ch;
    }
    while (!tidy.empty() && tidy.back() == u' ') {
        tidy.pop_back();
    }
    return tidy;
}

std::u16string_view symbolOf(Term term) {
    return textOf(term).symbol;
}

std::u16string readingNote(const Calculation& calculation, std::size_t n,
                           const NumberFormat& format) {
    if (calculation.readWhole.at(n)) {
        return {};
    }
    if (calculation.typed.at(n).empty()) {
        return u"Празното поле се чете като 0.";
    }
    return u"От „" + calculation.typed[n] + u"“ е прочетено " +
           exactNumber(calculation.working.given.at(n), format) + u".";
}

std::u16string shapeNote(const Working& working, const NumberFormat& format, Exponent exponent) {
    const Style style{format, exponent};
    if (const std::optional<NoTriangle> none = noTriangle(working)) {
        const TermText& term = textOf(termOf(none->quantity));
        std::u16string why = std::u16string(term.name) + u" = " + number(none->value, style);
        switch (none->cause) {
        case NoTriangleCause::Negative:
            why += u" е " + std::u16string(term.negative);
            break;
        case NoTriangleCause::Zero:
            why += u" е нула";
            break;
        case NoTriangleCause::Flat:
            why = u"основата c = " + number(working.values.c, style) +
                  u" е колкото двете бедра заедно, затова лицето е нула";
            break;
        }
        return u"С тези стойности триъгълник няма: " + why + u".";
    }
    if (const std::optional<SecondTriangle> second = secondTriangle(working)) {
        return u"Със същите бедро и лице има и втори триъгълник: c = " + number(second->c, style) +
               u", h = " + number(second->h, style) + u", P = " + number(second->P, style) + u".";
    }
    return {};
}

std::u16string failureText(const Calculation& calculation, const NumberFormat& format,
                           Exponent exponent) {
    std::u16string text = failureText(calculation.working, format, exponent);
    const auto& pair = given(calculation.working.variant);
    for (std::size_t n = 0; n < pair.size() && !text.empty(); ++n) {
        if (!calculation.readWhole[n] && calculation.typed[n].empty()) {
            // The box left empty is what failed, not the triangle.
            text.erase(text.rfind(u'\n') + 1);
            text += u"Полето " + std::u16string(textOf(termOf(pair[n])).symbol) +
                    u" е празно и се чете като 0: попълнете го и натиснете „Изчисли“.";
            break;
        }
    }
    return text;
}

std::u16string failureText(const Working& working, const NumberFormat& format, Exponent exponent) {
    if (!working.failed() || working.steps.empty()) {
        return {};
    }
    const Step& failed = working.steps.back();
    // A line for each stage, so that a report narrower than the step still breaks it there.
    const Style style{format, exponent};
    return stepOpening(failed, style, shownAt(failed, 3, style), u"\n= ") + u": " +
           whatFailed(failed, *working.failure) + u".\n" +
           std::u16string(sentenceFor(working, failed));
}

} // namespace isosceles
