#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace isosceles {

// How a locale writes a number, with blanks already removed, so that a number written its way,
// the program's own output included, reads as the number it is.
struct WrittenForm {
    std::u16string decimalSeparator;
    std::u16string groupSeparator;
    // Group sizes from the decimal separator outward; none where the locale does not group.
    // Past them the last size repeats, or, where the grouping stops (Windows' "123456,789"),
    // the digits above stand in one group of any size.
    std::vector<int> groups;
    bool groupsRepeat = true;
    std::u16string positivePrefix;
    std::u16string positiveSuffix;
    std::u16string negativePrefix;
    std::u16string negativeSuffix;
    // Whether a zero stands before the decimal separator of a value below 1.
    bool leadingZero = true;
};

// The regional number format could not be built (a broken or incomplete ICU installation, a
// failing system call).
class NumberFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads an environment variable; null when it is not set.
using EnvLookup = std::function<const char*(const char*)>;

// What writes the numbers of a NumberFormat, from the platform's own locale data: ICU on
// Linux, the National Language Support on Windows.
class NumberWriter {
public:
    virtual ~NumberWriter() = default;
    // The locale the data was taken from, as the platform names it; empty for the C format.
    virtual std::string localeId() const = 0;
    // Three decimals, half-up on the shortest decimal form of the value, digits 0-9, never a
    // minus before a value that rounds to zero. The value is finite.
    virtual std::u16string write(double value) const = 0;
};

// Makes the writer; raises NumberFormatError where the locale data cannot be had.
using WriterFactory = std::function<std::unique_ptr<const NumberWriter>()>;

// A regional number format: cheap to copy and safe to share. The locale data is looked up
// and the writer built on first use, so that is where NumberFormatError is raised.
class NumberFormat {
public:
    // Period decimals, no grouping, '-' for negatives.
    static NumberFormat c();

    // A locale by name: a POSIX name such as "bg_BG.UTF-8" or "sr_RS@latin" on every
    // platform, and on Windows its own names such as "bg-BG" too. "C", "POSIX", the empty
    // name and any name the locale data does not know give the format of c().
    static NumberFormat forLocale(std::string_view name);

    // The user's own regional format: on Linux the locale for numbers of the environment, on
    // Windows the Region settings, the user's own changes included.
    static NumberFormat user();

    // The locale for numbers of an environment: LC_ALL, else LC_NUMERIC, else LANG.
    static NumberFormat fromEnvironment(const EnvLookup& lookup);

    // A format whose numbers the given writer writes, built on first use.
    static NumberFormat fromWriter(WriterFactory make);

    // A format that cannot be built, as on a broken ICU installation: every use raises
    // NumberFormatError with `reason`.
    static NumberFormat unavailable(std::string reason);

    // The locale the data was taken from, as the platform names it; empty for the C format.
    const std::string& localeId() const;

    // Three decimals, half-up on the shortest decimal form of the value, Latin digits,
    // never a minus before a value that rounds to zero. The value must be finite.
    std::u16string format3(double value) const;

    const WrittenForm& writtenForm() const;

    class Impl;

private:
    explicit NumberFormat(std::shared_ptr<const Impl> impl);

    std::shared_ptr<const Impl> impl_;
};

// The locale name that decides numbers: the first of LC_ALL, LC_NUMERIC, LANG that is set
// and not empty; empty when none is.
std::string numericLocaleName(const EnvLookup& lookup);

// The ICU locale id for a POSIX locale name, or nothing for "C", "POSIX", the empty name and
// names that are not of the form language[_TERRITORY][.codeset][@modifier].
std::optional<std::string> icuLocaleIdFromPosix(std::string_view posixName);

} // namespace isosceles
