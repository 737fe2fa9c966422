#include "number_text.h"

#include "calc_error.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace isosceles {

namespace {

// A short form's mantissa: its leading digit and three decimals.
constexpr long kShortFormDigits = 4;

bool isDigit(char16_t ch) {
    return ch >= u'0' && ch <= u'9';
}

int hexValue(char16_t ch) {
    if (isDigit(ch)) {
        return ch - u'0';
    }
    if (ch >= u'a' && ch <= u'f') {
        return ch - u'a' + 10;
    }
    if (ch >= u'A' && ch <= u'F') {
        return ch - u'A' + 10;
    }
    return -1;
}

int octValue(char16_t ch) {
    return (ch >= u'0' && ch <= u'7') ? ch - u'0' : -1;
}

// The scanned parts of a decimal number, all in ASCII digits.
struct Decimal {
    bool negative = false;
    std::u16string_view integer;
    std::u16string_view fraction;
    bool exponentNegative = false;
    std::u16string_view exponent;
};

// Where from_chars reports a result out of range, this tells overflow from underflow: the
// decimal order of magnitude of the leading significant digit, exponent included.
bool beyondRange(const Decimal& d) {
    long long order = 0;
    if (const auto it = std::find_if(d.integer.begin(), d.integer.end(),
                                     [](char16_t ch) { return ch != u'0'; });
        it != d.integer.end()) {
        order = static_cast<long long>(d.integer.end() - it) - 1;
    } else {
        const auto jt = std::find_if(d.fraction.begin(), d.fraction.end(),
                                     [](char16_t ch) { return ch != u'0'; });
        order = -static_cast<long long>(jt - d.fraction.begin()) - 1;
    }
    constexpr long long kSaturated = 1'000'000'000'000LL;
    long long exponent = 0;
    for (const char16_t ch : d.exponent) {
        exponent = std::min(kSaturated, exponent * 10 + (ch - u'0'));
    }
    return (d.exponentNegative ? order - exponent : order + exponent) >= 0;
}

// Correctly rounded, as the standard library's conversion is.
double toDouble(const Decimal& d) {
    std::string ascii;
    ascii.reserve(d.integer.size() + d.fraction.size() + d.exponent.size() + 4);
    if (d.negative) {
        ascii += '-';
    }
    if (d.integer.empty()) {
        ascii += '0';
    }
    ascii.append(d.integer.begin(), d.integer.end());
    if (!d.fraction.empty()) {
        ascii += '.';
        ascii.append(d.fraction.begin(), d.fraction.end());
    }
    if (!d.exponent.empty()) {
        ascii += d.exponentNegative ? "e-" : "e";
        ascii.append(d.exponent.begin(), d.exponent.end());
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (beyondRange(d)) {
            throw CalcError(CalcErrorKind::Overflow);
        }
        return d.negative ? -0.0 : 0.0;
    }
    return value;
}

std::size_t scanDigits(std::u16string_view text, std::size_t pos) {
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// &H and &O: 16-bit signed where the value fits in 16 bits, else 32-bit signed; more than
// 32 bits is out of range rather than wrapped.
double readRadix(std::u16string_view digits, int base) {
    std::uint64_t value = 0;
    for (const char16_t ch : digits) {
        const int digit = base == 16 ? hexValue(ch) : octValue(ch);
        if (digit < 0) {
            break;
        }
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > 0xFFFF'FFFFu) {
            throw CalcError(CalcErrorKind::Overflow);
        }
    }
    if (value <= 0xFFFFu) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

double readFixed(std::u16string_view text) {
    if (text.size() >= 2 && text[0] == u'&') {
        const char16_t letter = text[1];
        if (letter == u'H' || letter == u'h') {
            return readRadix(text.substr(2), 16);
        }
        if (letter == u'O' || letter == u'o') {
            return readRadix(text.substr(2), 8);
        }
    }
    Decimal d;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        d.negative = text[pos] == u'-';
        ++pos;
    }
    std::size_t end = scanDigits(text, pos);
    d.integer = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == u'.') {
        end = scanDigits(text, pos + 1);
        d.fraction = text.substr(pos + 1, end - pos - 1);
        pos = end;
    }
    if (d.integer.empty() && d.fraction.empty()) {
        return 0;
    }
    if (pos < text.size() &&
        (text[pos] == u'E' || text[pos] == u'e' || text[pos] == u'D' || text[pos] == u'd')) {
        std::size_t digits = pos + 1;
        bool negative = false;
        if (digits < text.size() && (text[digits] == u'+' || text[digits] == u'-')) {
            negative = text[digits] == u'-';
            ++digits;
        }
        end = scanDigits(text, digits);
        // A letter with no digits after it cannot continue the number.
        if (end > digits) {
            d.exponentNegative = negative;
            d.exponent = text.substr(digits, end - digits);
        }
    }
    return toDouble(d);
}

// Separators at every group boundary the locale writes, counted from the decimal separator.
bool validGroups(std::u16string_view integer, const WrittenForm& form) {
    const std::u16string_view sep = form.groupSeparator;
    if (form.groups.empty() || sep.empty()) {
        return false;
    }
    std::vector<std::u16string_view> groups;
    for (std::size_t begin = 0;;) {
        const std::size_t at = integer.find(sep, begin);
        groups.push_back(integer.substr(begin, at - begin));
        if (at == std::u16string_view::npos) {
            break;
        }
        begin = at + sep.size();
    }
    // Outward from the decimal separator, as the sizes are listed.
    std::reverse(groups.begin(), groups.end());
    const std::size_t listed = form.groups.size();
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const std::u16string_view group = groups[i];
        if (group.empty() || !std::all_of(group.begin(), group.end(), isDigit)) {
            return false;
        }
        const bool outermost = i + 1 == groups.size();
        if (i >= listed && !form.groupsRepeat) {
            // Past a grouping that stops: one group of any size, and nothing beyond it.
            return outermost;
        }
        const auto size = static_cast<std::size_t>(form.groups[std::min(i, listed - 1)]);
        if (outermost ? group.size() > size : group.size() != size) {
            return false;
        }
    }
    return groups.size() > 1;
}

bool startsWith(std::u16string_view text, std::u16string_view part) {
    return text.substr(0, part.size()) == part;
}

bool endsWith(std::u16string_view text, std::u16string_view part) {
    return text.size() >= part.size() && text.substr(text.size() - part.size()) == part;
}

bool allDigits(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

// A number as the user's format writes it, with any number of decimals, none included: the
// format's sign or the rule's own + or -, digits grouped as the format groups them or not at
// all, the format's decimal separator. Nothing for any other text, nor for one without the
// decimal separator where the format groups with a period: the rule reads that period as a
// decimal point, and so it stays.
std::optional<double> readRegional(std::u16string_view text, const WrittenForm& form) {
    bool negative = false;
    std::u16string_view body;
    const std::size_t negativeAffixes = form.negativePrefix.size() + form.negativeSuffix.size();
    const std::size_t positiveAffixes = form.positivePrefix.size() + form.positiveSuffix.size();
    if (negativeAffixes > 0 && text.size() > negativeAffixes &&
        startsWith(text, form.negativePrefix) && endsWith(text, form.negativeSuffix)) {
        negative = true;
        body = text.substr(form.negativePrefix.size(), text.size() - negativeAffixes);
    } else if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        body = text.substr(1);
    } else if (text.size() > positiveAffixes && startsWith(text, form.positivePrefix) &&
               endsWith(text, form.positiveSuffix)) {
        body = text.substr(form.positivePrefix.size(), text.size() - positiveAffixes);
    } else {
        return std::nullopt;
    }
    const std::u16string_view decimal = form.decimalSeparator;
    const std::size_t at = decimal.empty() ? std::u16string_view::npos : body.find(decimal);
    if (at == std::u16string_view::npos && form.groupSeparator == u".") {
        return std::nullopt;
    }
    const std::u16string_view integer = body.substr(0, at);
    const std::u16string_view fraction =
        at == std::u16string_view::npos ? std::u16string_view() : body.substr(at + decimal.size());
    if ((integer.empty() && fraction.empty()) || !allDigits(fraction)) {
        return std::nullopt;
    }
    if (allDigits(integer)) {
        return toDouble({negative, integer, fraction, false, {}});
    }
    if (!validGroups(integer, form)) {
        return std::nullopt;
    }
    std::u16string digits;
    std::copy_if(integer.begin(), integer.end(), std::back_inserter(digits), isDigit);
    return toDouble({negative, digits, fraction, false, {}});
}

// Whether the whole text is one number of the reading rule: sign, digits, a period and
// digits, an exponent, and nothing after them.
bool isPlainNumber(std::u16string_view text) {
    std::size_t pos = text.empty() || (text[0] != u'+' && text[0] != u'-') ? 0 : 1;
    std::size_t end = scanDigits(text, pos);
    bool digits = end > pos;
    pos = end;
    if (pos < text.size() && text[pos] == u'.') {
        end = scanDigits(text, pos + 1);
        digits = digits || end > pos + 1;
        pos = end;
    }
    if (digits && pos < text.size() &&
        (text[pos] == u'E' || text[pos] == u'e' || text[pos] == u'D' || text[pos] == u'd')) {
        const std::size_t sign =
            pos + 1 < text.size() && (text[pos + 1] == u'+' || text[pos + 1] == u'-') ? 1 : 0;
        end = scanDigits(text, pos + 1 + sign);
        pos = end > pos + 1 + sign ? end : pos;
    }
    return digits && pos == text.size();
}

std::u16string superscript(int exponent) {
    static constexpr char16_t kDigits[] =
        u"\u2070\u00B9\u00B2\u00B3\u2074\u2075\u2076\u2077\u2078\u2079";
    std::u16string out;
    for (const char ch : std::to_string(exponent)) {
        out += ch == '-' ? u'\u207B' : kDigits[ch - '0'];
    }
    return out;
}

} // namespace

std::optional<std::u16string> compactForm(std::u16string_view text, const NumberFormat& format,
                                          Exponent exponent) {
    const std::u16string compact = removeBlanks(text);
    if (!readRegional(compact, format.writtenForm()) && !isPlainNumber(compact)) {
        return std::nullopt;
    }
    double value = 0;
    try {
        value = ParseNumber(compact, format);
    } catch (const CalcError&) {
        return std::nullopt; // beyond the double range: there is no magnitude to show
    }
    if (value == 0) {
        return std::nullopt;
    }
    return compactNumber(value, format, exponent);
}

namespace {

struct ShortForm {
    std::u16string mantissa; // three decimals, in the format
    int exponent;
};

ShortForm shortFormOf(double value, const NumberFormat& format) {
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const auto mantissa = [&] { return format.format3(value / std::pow(10.0, exponent)); };
    std::u16string shown = mantissa();
    // Rounding to three decimals may carry into a second digit (9.9996 is 10.000).
    if (std::count_if(shown.begin(), shown.end(), isDigit) > kShortFormDigits) {
        ++exponent;
        shown = mantissa();
    }
    return {std::move(shown), exponent};
}

} // namespace

double compactValue(double value, const NumberFormat& format) {
    const ShortForm form = shortFormOf(value, format);
    return ParseNumber(form.mantissa, format) * std::pow(10.0, form.exponent);
}

std::u16string compactNumber(double value, const NumberFormat& format, Exponent style) {
    const auto [shown, exponent] = shortFormOf(value, format);
    if (style == Exponent::Raised) {
        return shown + u"\u00B710" + superscript(exponent);
    }
    const std::string digits = std::to_string(std::abs(exponent));
    return shown + u"\u00B710^" + (exponent < 0 ? u"\u2212" : u"") +
           std::u16string(digits.begin(), digits.end());
}

std::u16string exactNumber(double value, const NumberFormat& format) {
    const double size = std::fabs(value);
    if (size == 0) {
        return u"0";
    }
    if (size < 0.0005 || size >= 1e15) {
        return compactNumber(value, format);
    }
    std::array<char, 64> buffer{};
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), size, std::chars_format::fixed);
    const std::string shortest(buffer.data(), ec == std::errc() ? end : buffer.data());
    const std::size_t point = shortest.find('.');
    const std::string decimals = point == std::string::npos ? "" : shortest.substr(point + 1);
    // The format writes the sign and the integer's grouping; a quarter marks its decimals,
    // which the value's own then replace. Below 10¹⁵ the sum is exact.
    const std::u16string marker = format.writtenForm().decimalSeparator + u"250";
    std::u16string text = format.format3(std::copysign(std::trunc(size) + 0.25, value));
    const std::size_t at = text.rfind(marker);
    if (at == std::u16string::npos) {
        return format.format3(value);
    }
    text.replace(at, marker.size(),
                 decimals.empty() ? u""
                                  : format.writtenForm().decimalSeparator +
                                        std::u16string(decimals.begin(), decimals.end()));
    return text;
}

double ParseNumber(std::u16string_view text, const NumberFormat& format) {
    const std::u16string compact = removeBlanks(text);
    if (const std::optional<double> written = readRegional(compact, format.writtenForm())) {
        return *written;
    }
    return readFixed(compact);
}

bool readsWhole(std::u16string_view text, const NumberFormat& format) {
    const std::u16string compact = removeBlanks(text);
    if (readRegional(compact, format.writtenForm()) || isPlainNumber(compact)) {
        return true;
    }
    if (compact.size() > 2 && compact[0] == u'&') {
        const bool hex = compact[1] == u'H' || compact[1] == u'h';
        const bool octal = compact[1] == u'O' || compact[1] == u'o';
        return (hex || octal) &&
               std::all_of(compact.begin() + 2, compact.end(),
                           [hex](char16_t ch) { return (hex ? hexValue(ch) : octValue(ch)) >= 0; });
    }
    return false;
}

std::u16string FormatNumber3(double value, const NumberFormat& format) {
    return format.format3(value);
}

} // namespace isosceles
