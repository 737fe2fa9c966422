// The regional format on Linux: ICU's locale data, for the locale the environment names.
#include "number_format.h"

#include <unicode/numberformatter.h>
#include <unicode/numsys.h>
#include <unicode/ures.h>

#include <cstdlib>

namespace isosceles {

namespace nf = icu::number;

namespace {

nf::LocalizedNumberFormatter makeFormatter(const icu::Locale& locale, bool grouping) {
    UErrorCode status = U_ZERO_ERROR;
    // The reading rule knows only the digits 0-9, so the locale's own digits are never used.
    icu::NumberingSystem* latin = icu::NumberingSystem::createInstanceByName("latn", status);
    if (U_FAILURE(status)) {
        throw NumberFormatError("ICU has no Latin numbering system");
    }
    return nf::NumberFormatter::withLocale(locale)
        .precision(nf::Precision::fixedFraction(3))
        .roundingMode(UNUM_ROUND_HALFUP)
        .sign(UNUM_SIGN_NEGATIVE)
        .grouping(grouping ? UNUM_GROUPING_AUTO : UNUM_GROUPING_OFF)
        .adoptSymbols(latin);
}

bool hasLocaleData(const std::string& id) {
    UErrorCode status = U_ZERO_ERROR;
    UResourceBundle* bundle = ures_open(nullptr, id.c_str(), &status);
    ures_close(bundle);
    return U_SUCCESS(status) && status != U_USING_DEFAULT_WARNING;
}

class IcuWriter : public NumberWriter {
public:
    // An empty id, or one the locale data does not know, gives the C format.
    explicit IcuWriter(const std::string& requestedId)
        : id_(!requestedId.empty() && hasLocaleData(requestedId) ? requestedId : std::string()),
          formatter_(id_.empty() ? makeFormatter(icu::Locale::getRoot(), false)
                                 : makeFormatter(icu::Locale(id_.c_str()), true)) {}

    std::string localeId() const override { return id_; }

    std::u16string write(double value) const override {
        UErrorCode status = U_ZERO_ERROR;
        const icu::UnicodeString text = formatter_.formatDouble(value, status).toString(status);
        if (U_FAILURE(status)) {
            throw NumberFormatError(std::string("number formatting failed: ") +
                                    u_errorName(status));
        }
        return {text.getBuffer(), static_cast<std::size_t>(text.length())};
    }

private:
    std::string id_;
    nf::LocalizedNumberFormatter formatter_;
};

NumberFormat icuFormat(std::string id) {
    return NumberFormat::fromWriter(
        [id = std::move(id)] { return std::make_unique<const IcuWriter>(id); });
}

} // namespace

NumberFormat NumberFormat::c() {
    static const NumberFormat format = icuFormat({});
    return format;
}

NumberFormat NumberFormat::forLocale(std::string_view name) {
    const std::optional<std::string> id = icuLocaleIdFromPosix(name);
    return id ? icuFormat(*id) : c();
}

NumberFormat NumberFormat::user() {
    return fromEnvironment([](const char* name) { return std::getenv(name); });
}

} // namespace isosceles
