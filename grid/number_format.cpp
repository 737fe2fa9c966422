#include "number_format.h"

#include "blanks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace isosceles {

namespace {

bool isDigit(char16_t ch) {
    return ch >= u'0' && ch <= u'9';
}

struct Affixes {
    std::u16string prefix, body, suffix;
};

Affixes split(const std::u16string& text) {
    const auto first = std::find_if(text.begin(), text.end(), isDigit);
    const auto last = std::find_if(text.rbegin(), text.rend(), isDigit).base();
    if (first == text.end()) {
        throw NumberFormatError("the number format writes no digits");
    }
    return {{text.begin(), first}, {first, last}, {last, text.end()}};
}

constexpr std::size_t kDecimals = 3;

// Read off the writer's own output, so that what is read back is exactly what is written.
WrittenForm deriveWrittenForm(const NumberWriter& writer) {
    WrittenForm form;
    // Forty-one digits: past every group a grouping can list before it repeats or stops.
    const Affixes positive = split(removeBlanks(writer.write(1e40)));
    const Affixes negative = split(removeBlanks(writer.write(-1.0)));
    form.positivePrefix = positive.prefix;
    form.positiveSuffix = positive.suffix;
    form.negativePrefix = negative.prefix;
    form.negativeSuffix = negative.suffix;

    const std::u16string& body = positive.body;
    std::size_t end = body.size() - kDecimals;
    std::size_t sep = end;
    while (sep > 0 && !isDigit(body[sep - 1])) {
        --sep;
    }
    form.decimalSeparator = body.substr(sep, end - sep);
    // A half written without its zero starts at the separator, after the prefix.
    const std::u16string half = removeBlanks(writer.write(0.5));
    form.leadingZero = half.compare(form.positivePrefix.size(), form.decimalSeparator.size(),
                                    form.decimalSeparator) != 0;

    std::vector<std::size_t> groups;
    std::size_t pos = 0;
    while (pos < sep) {
        std::size_t digitsEnd = pos;
        while (digitsEnd < sep && isDigit(body[digitsEnd])) {
            ++digitsEnd;
        }
        groups.push_back(digitsEnd - pos);
        std::size_t next = digitsEnd;
        while (next < sep && !isDigit(body[next])) {
            ++next;
        }
        if (next > digitsEnd && form.groupSeparator.empty()) {
            form.groupSeparator = body.substr(digitsEnd, next - digitsEnd);
        }
        pos = next;
    }
    if (groups.size() > 1 && !form.groupSeparator.empty()) {
        // Outward from the decimal separator, the outermost group left aside: it may be
        // partial. Longer than the group before it, it shows that the grouping stops.
        const auto outermost = static_cast<int>(groups.front());
        form.groups.assign(groups.rbegin(), groups.rend() - 1);
        form.groupsRepeat = outermost <= form.groups.back();
        while (form.groupsRepeat && form.groups.size() > 1 &&
               form.groups.back() == form.groups[form.groups.size() - 2]) {
            form.groups.pop_back();
        }
    }
    return form;
}

bool allOf(std::string_view text, int (*pred)(int)) {
    return std::all_of(text.begin(), text.end(),
                       [pred](char ch) { return pred(static_cast<unsigned char>(ch)) != 0; });
}

} // namespace

// Looking up the locale data and building the writer are left to the first number written
// or read: a window that is only opened and closed never pays for them.
class NumberFormat::Impl {
public:
    explicit Impl(WriterFactory make) : make_(std::move(make)) {}

    const std::string& localeId() const { return built().localeId; }
    const WrittenForm& form() const { return built().form; }

    std::u16string format(double value) const {
        if (!std::isfinite(value)) {
            throw std::invalid_argument("only finite values are formatted");
        }
        return built().writer->write(value);
    }

private:
    struct Built {
        std::unique_ptr<const NumberWriter> writer;
        std::string localeId;
        WrittenForm form;
    };

    // A failed build leaves nothing behind, so the next use tries again. Not std::call_once:
    // an exception thrown through it ends the program with MinGW's threads.
    const Built& built() const {
        const std::lock_guard lock(mutex_);
        if (!built_) {
            std::unique_ptr<const NumberWriter> writer = make_();
            std::string id = writer->localeId();
            WrittenForm form = deriveWrittenForm(*writer);
            built_.emplace(Built{std::move(writer), std::move(id), std::move(form)});
        }
        return *built_;
    }

    WriterFactory make_;
    mutable std::mutex mutex_;
    mutable std::optional<Built> built_;
};

NumberFormat::NumberFormat(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

NumberFormat NumberFormat::fromWriter(WriterFactory make) {
    return NumberFormat(std::make_shared<const Impl>(std::move(make)));
}

NumberFormat NumberFormat::unavailable(std::string reason) {
    return fromWriter(
        [reason]() -> std::unique_ptr<const NumberWriter> { throw NumberFormatError(reason); });
}

NumberFormat NumberFormat::fromEnvironment(const EnvLookup& lookup) {
    return forLocale(numericLocaleName(lookup));
}

const std::string& NumberFormat::localeId() const {
    return impl_->localeId();
}

std::u16string NumberFormat::format3(double value) const {
    return impl_->format(value);
}

const WrittenForm& NumberFormat::writtenForm() const {
    return impl_->form();
}

std::string numericLocaleName(const EnvLookup& lookup) {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = lookup(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

std::optional<std::string> icuLocaleIdFromPosix(std::string_view posixName) {
    std::string_view modifier;
    if (const auto at = posixName.find('@'); at != std::string_view::npos) {
        modifier = posixName.substr(at + 1);
        posixName = posixName.substr(0, at);
    }
    if (const auto dot = posixName.find('.'); dot != std::string_view::npos) {
        posixName = posixName.substr(0, dot);
    }
    std::string_view language = posixName;
    std::string_view territory;
    if (const auto bar = posixName.find('_'); bar != std::string_view::npos) {
        language = posixName.substr(0, bar);
        territory = posixName.substr(bar + 1);
        const bool letters = territory.size() == 2 && allOf(territory, std::isalpha);
        const bool digits = territory.size() == 3 && allOf(territory, std::isdigit);
        if (!letters && !digits) {
            return std::nullopt;
        }
    }
    // Also rejects "C" and "POSIX".
    if (language.size() < 2 || language.size() > 3 || !allOf(language, std::islower)) {
        return std::nullopt;
    }
    std::string id(language);
    if (modifier == "latin") {
        id += "_Latn";
    } else if (modifier == "cyrillic") {
        id += "_Cyrl";
    }
    if (!territory.empty()) {
        id += '_';
        std::transform(territory.begin(), territory.end(), std::back_inserter(id),
                       [](char ch) { return static_cast<char>(std::toupper(ch)); });
    }
    return id;
}

} // namespace isosceles
