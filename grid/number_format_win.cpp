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
    std::u16string write(double value) const override {
        const std::string ascii = decimal3(value);
        const std::size_t sign = ascii[0] == '-' ? 1 : 0;
        const std::size_t integer = ascii.find('.') - sign;
        // Wine's writer overruns a buffer of its own past a few hundred characters, so a
        // long integer part is handed over in pieces that end on group boundaries.
        const std::size_t low = lowPiece();
        if (integer <= low) {
            const std::wstring text = system(std::wstring(ascii.begin(), ascii.end()), format());
            return {text.begin(), text.end()};
        }
        const std::size_t high = integer - low;
        const auto digits = [&ascii, sign](std::size_t from, std::size_t size) {
            return std::wstring(ascii.begin() + static_cast<std::ptrdiff_t>(sign + from),
                                ascii.begin() + static_cast<std::ptrdiff_t>(sign + from + size));
        };
        // A 1 before a lower piece keeps its leading zeros, which the system drops; it is
        // taken off again with the group separator after it.
        const std::wstring one = L"1" + separator();
        std::wstring text = system(std::wstring(ascii.begin(), ascii.begin() + sign) + L"1" +
                                       digits(high, ascii.size() - sign - high),
                                   format());
        NUMBERFMTW whole = format();
        whole.NumDigits = 0;
        whole.Grouping = repeat_;
        std::wstring upper;
        for (std::size_t end = high; end > 0;) {
            const std::size_t size = std::min(end, highPiece());
            const bool top = size == end;
            std::wstring piece = system((top ? L"" : L"1") + digits(end - size, size), whole);
            if (!top) {
                piece.erase(0, one.size());
            }
            upper.insert(0, piece + (upper.empty() ? L"" : separator()));
            end -= size;
        }
        const auto first = std::find_if(text.begin(), text.end(),
                                        [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; });
        text.replace(static_cast<std::size_t>(first - text.begin()), one.size(),
                     upper + separator());
        return {text.begin(), text.end()};
    }

private:
    static constexpr std::size_t kPiece = 60;

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

    std::wstring system(const std::wstring& decimal, NUMBERFMTW format) const {
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

    // The lowest piece: the groups that do not repeat, then whole repeating groups.
    std::size_t lowPiece() const {
        std::size_t size = 0;
        for (UINT rest = grouping_; rest > 0; rest /= 10) {
            size += rest % 10;
        }
        while (repeat_ > 0 && size + repeat_ <= kPiece) {
            size += repeat_;
        }
        return repeat_ > 0 ? size : std::max(size, kPiece);
    }

    std::size_t highPiece() const { return repeat_ > 0 ? kPiece / repeat_ * repeat_ : kPiece; }

    // Between pieces: a group boundary where the groups repeat, else nothing.
    std::wstring separator() const { return repeat_ > 0 ? thousand_ : std::wstring(); }

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
