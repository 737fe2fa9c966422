#pragma once

#include "number_format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace isosceles::fuzz {

// The locales the targets choose among with one byte of their input.
inline constexpr const char* kLocales[] = {
    "C",           "bg_BG.UTF-8", "de_DE.UTF-8", "de_CH.UTF-8", "en_US.UTF-8", "en_IN.UTF-8",
    "fr_FR.UTF-8", "sv_SE.UTF-8", "es_ES.UTF-8", "fa_IR.UTF-8", "ar_EG.UTF-8", "sr_RS@latin",
};
inline constexpr std::size_t kLocaleCount = sizeof(kLocales) / sizeof(kLocales[0]);

// The formats of those locales, built once for the whole run.
inline const std::vector<NumberFormat>& formats() {
    static const std::vector<NumberFormat> all = [] {
        std::vector<NumberFormat> list;
        for (const char* name : kLocales) {
            list.push_back(NumberFormat::forLocale(name));
        }
        return list;
    }();
    return all;
}

// Reads the fuzzer's bytes front to back; past the end everything is zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    double number() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits = (bits << 8) | byte();
        }
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // The rest as UTF-16 code units, as the window's toolkit holds box text: any unit,
    // NUL, marks and lone surrogates included.
    std::u16string units() {
        std::u16string text;
        while (pos_ + 1 < size_) {
            text.push_back(static_cast<char16_t>(data_[pos_] | (data_[pos_ + 1] << 8)));
            pos_ += 2;
        }
        pos_ = size_;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace isosceles::fuzz
