#include "custom_format.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

namespace isosceles {

namespace {

class CustomWriter : public NumberWriter {
public:
    CustomWriter(std::u16string decimal, std::u16string group, bool parentheses)
        : decimal_(std::move(decimal)), group_(std::move(group)), parentheses_(parentheses) {}

    std::string localeId() const override { return "test-custom"; }

    std::u16string write(double value) const override {
        std::array<char, 400> buffer{};
        std::snprintf(buffer.data(), buffer.size(), "%.3f", std::fabs(value));
        const std::string digits(buffer.data());
        const std::size_t point = digits.find('.');
        std::u16string text;
        for (std::size_t i = 0; i < point; ++i) {
            if (i > 0 && (point - i) % 3 == 0) {
                text += group_;
            }
            text += static_cast<char16_t>(digits[i]);
        }
        text += decimal_;
        text.append(digits.begin() + static_cast<long>(point) + 1, digits.end());
        if (value >= 0 || digits == "0.000") {
            return text;
        }
        return parentheses_ ? u"(" + text + u")" : u"-" + text;
    }

private:
    std::u16string decimal_, group_;
    bool parentheses_;
};

} // namespace

NumberFormat customFormat(std::u16string decimal, std::u16string group, bool parentheses) {
    return NumberFormat::fromWriter(
        [=] { return std::make_unique<const CustomWriter>(decimal, group, parentheses); });
}

} // namespace isosceles
