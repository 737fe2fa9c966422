// The regional format on Windows: the user's Region settings (or a named locale's own), as
// the National Language Support reads them, and numbers written by the system itself.
#include "decimal3.h"
#include "number_format.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace isosceles {

namespace {

[[noreturn]] void fail(const char* call) {
    throw NumberFormatError(std::string(call) + " failed with error " +
                            std::to_string(GetLastError()));
}

std::wstring localeText(const wchar_t* locale, LCTYPE type) {
    const int size = GetLocaleInfoEx(locale, type, nullptr, 0);
    if (size <= 0) {
        fail("GetLocaleInfoEx");
    }
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    if (GetLocaleInfoEx(locale, type, text.data(), size) != size) {
        fail("GetLocaleInfoEx");
    }
    text.pop_back();
    return text;
}

UINT localeNumber(const wchar_t* locale, LCTYPE type) {
    DWORD value = 0;
    if (GetLocaleInfoEx(locale, type | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&value),
                        sizeof(value) / sizeof(wchar_t)) == 0) {
        fail("GetLocaleInfoEx");
    }
    return value;
}

// The grouping as Region settings spell it ("3;0", "3;2;0", "0") in the form NUMBERFMT
// takes: one digit per group from the decimal separator, a last 0 meaning the last size
// repeats, so 3, 32 and 0; a list without that 0 groups no further than it says.
UINT groupingNumber(const std::wstring& spelled) {
    std::wstring digits;
    std::copy_if(spelled.begin(), spelled.end(), std::back_inserter(digits),
                 [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; });
    if (!digits.empty() && digits.back() == L'0') {
        digits.pop_back();
    } else {
        digits.push_back(L'0');
    }
    UINT number = 0;
    for (const wchar_t digit : digits) {
        number = number * 10 + static_cast<UINT>(digit - L'0');
    }
    return number;
}

// A locale's number settings, read once; a null name stands for the user's own settings,
// changes made in Region settings included.
class NlsWriter : public NumberWriter {
public:
    explicit NlsWriter(std::wstring name) : name_(std::move(name)) {
        const LCTYPE own = name_.empty() ? 0 : LOCALE_NOUSEROVERRIDE;
        id_ = narrow(localeText(locale(), LOCALE_SNAME));
        decimal_ = localeText(locale(), LOCALE_SDECIMAL | own);
        thousand_ = localeText(locale(), LOCALE_STHOUSAND | own);
        grouping_ = groupingNumber(localeText(locale(), LOCALE_SGROUPING | own));
        leadingZero_ = localeNumber(locale(), LOCALE_ILZERO | own);
        // The size that repeats to the left, as NUMBERFMT spells it: its last digit, unless
        // that is the 0 that stops the grouping.
        repeat_ = grouping_ % 10;
        negativeOrder_ = localeNumber(locale(), LOCALE_INEGNUMBER | own);
    }

    std::string localeId() const override { return id_; }

    // The value is rounded here, so the system only groups and places separator and sign.
    // It is handed no more integer digits than its groups place; the digits above those are
    // grouped here, at the size that repeats or not at all. Systems differ past that: Wine
    // overruns a buffer of its own past a few hundred characters, and Wine 10 puts a
    // separator into an ungrouped number eleven digits from its decimal separator.
    std::u16string write(double value) const override {
        const std::string ascii = decimal3(value);
        const std::size_t sign = ascii[0] == '-' ? 1 : 0;
        const std::size_t integer = ascii.find('.') - sign;
        const std::size_t placed = placedDigits();
        if (integer <= std::max<std::size_t>(placed, 1)) {
            const std::wstring text = system(std::wstring(ascii.begin(), ascii.end()));
            return {text.begin(), text.end()};
        }
        // One digit stands for all those above: written once as 1 and once as 2, it is where
        // the two texts differ, whatever the sign and separators around it hold.
        const std::size_t upper = integer - placed;
        const std::wstring before(ascii.begin(), ascii.begin() + static_cast<std::ptrdiff_t>(sign));
        const std::wstring after(ascii.begin() + static_cast<std::ptrdiff_t>(sign + upper),
                                 ascii.end());
        std::wstring text = system(before + L"1" + after);
        const std::wstring other = system(before + L"2" + after);
        const auto digit = static_cast<std::size_t>(
            std::mismatch(text.begin(), text.end(), other.begin(), other.end()).first -
            text.begin());
        if (text.size() != other.size() || digit == text.size() ||
            text.compare(digit + 1, std::wstring::npos, other, digit + 1) != 0) {
            throw NumberFormatError("GetNumberFormatEx did not write the digit it was given");
        }
        text.replace(digit, 1, grouped(std::string_view(ascii).substr(sign, upper)));
        return {text.begin(), text.end()};
    }

private:
    const wchar_t* locale() const {
        return name_.empty() ? LOCALE_NAME_USER_DEFAULT : name_.c_str();
    }

    NUMBERFMTW format() const {
        return {3,
                leadingZero_,
                grouping_,
                const_cast<wchar_t*>(decimal_.c_str()),
                const_cast<wchar_t*>(thousand_.c_str()),
                negativeOrder_};
    }

    std::wstring system(const std::wstring& decimal) const {
        NUMBERFMTW format = this->format();
        const int size = GetNumberFormatEx(locale(), 0, decimal.c_str(), &format, nullptr, 0);
        if (size <= 0) {
            fail("GetNumberFormatEx");
        }
        std::wstring text(static_cast<std::size_t>(size), L'\0');
        if (GetNumberFormatEx(locale(), 0, decimal.c_str(), &format, text.data(), size) != size) {
            fail("GetNumberFormatEx");
        }
        text.pop_back();
        return text;
    }

    // The digits that the groups place, from the decimal separator: each group's size
    // once, the repeating one included.
    std::size_t placedDigits() const {
        std::size_t size = 0;
        for (UINT rest = grouping_; rest > 0; rest /= 10) {
            size += rest % 10;
        }
        return size;
    }

    // Digits above those the groups place, in groups of the size that repeats, or whole
    // where the grouping stops.
    std::wstring grouped(std::string_view digits) const {
        std::wstring text;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && repeat_ > 0 && (digits.size() - i) % repeat_ == 0) {
                text += thousand_;
            }
            text += static_cast<wchar_t>(digits[i]);
        }
        return text;
    }

    static std::string narrow(const std::wstring& ascii) {
        std::string text;
        std::transform(ascii.begin(), ascii.end(), std::back_inserter(text),
                       [](wchar_t ch) { return static_cast<char>(ch); });
        return text;
    }

    std::wstring name_;
    std::string id_;
    std::wstring decimal_, thousand_;
    UINT grouping_ = 0, repeat_ = 0, leadingZero_ = 1, negativeOrder_ = 1;
};

// Period decimals, no grouping, '-' for negatives: no locale data needed.
class CWriter : public NumberWriter {
public:
    std::string localeId() const override { return {}; }
    std::u16string write(double value) const override {
        const std::string text = decimal3(value);
        return {text.begin(), text.end()};
    }
};

// A Windows locale name ("bg-BG", "sr-Latn-RS") for a Windows or a POSIX name; nothing for
// C, POSIX and names Windows does not know.
std::optional<std::wstring> windowsName(std::string_view name) {
    std::string id;
    if (const auto posix = icuLocaleIdFromPosix(name)) {
        id = *posix;
        std::replace(id.begin(), id.end(), '_', '-');
    } else if (name.find('-') != std::string_view::npos) {
        id = name;
    } else {
        return std::nullopt;
    }
    std::wstring wide(id.begin(), id.end());
    if (!IsValidLocaleName(wide.c_str())) {
        return std::nullopt;
    }
    return wide;
}

} // namespace

NumberFormat NumberFormat::c() {
    static const NumberFormat format = fromWriter([] { return std::make_unique<const CWriter>(); });
    return format;
}

NumberFormat NumberFormat::forLocale(std::string_view name) {
    const std::optional<std::wstring> windows = windowsName(name);
    if (!windows) {
        return c();
    }
    return fromWriter([windows = *windows] { return std::make_unique<const NlsWriter>(windows); });
}

NumberFormat NumberFormat::user() {
    return fromWriter([] { return std::make_unique<const NlsWriter>(std::wstring()); });
}

} // namespace isosceles
