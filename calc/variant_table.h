#pragma once

#include "triangle_values.h"

#include <array>
#include <cstdint>
#include <string>

namespace isosceles {

using Variant = std::int16_t;

inline constexpr int kVariantCount = 5;
inline constexpr int kBoxCount = kVariantCount * kQuantityCount;

struct VariantInfo {
    std::array<Quantity, 2> given;    // reading order: the lower column first
    std::array<Quantity, 2> computed; // the rest of the row
};

// Which pair of quantities each variant takes; P with S is not offered.
inline constexpr std::array<VariantInfo, kVariantCount> VariantTable{{
    {{Quantity::c, Quantity::a}, {Quantity::P, Quantity::S}},
    {{Quantity::c, Quantity::S}, {Quantity::a, Quantity::P}},
    {{Quantity::a, Quantity::S}, {Quantity::c, Quantity::P}},
    {{Quantity::a, Quantity::P}, {Quantity::c, Quantity::S}},
    {{Quantity::c, Quantity::P}, {Quantity::a, Quantity::S}},
}};

constexpr bool isValidVariant(int variant) {
    return variant >= 0 && variant < kVariantCount;
}

// Both throw std::out_of_range for a variant outside 0..4.
const std::array<Quantity, 2>& given(Variant variant);
const std::array<Quantity, 2>& computed(Variant variant);

constexpr int boxIndex(Variant variant, int column) {
    return kQuantityCount * variant + column;
}
constexpr int boxIndex(Variant variant, Quantity q) {
    return boxIndex(variant, column(q));
}

constexpr Variant rowOfBox(int box) {
    return static_cast<Variant>(box / kQuantityCount);
}
constexpr Quantity quantityOfBox(int box) {
    return static_cast<Quantity>(box % kQuantityCount);
}

// "Вариант N", N = variant + 1, in UTF-8.
std::string caption(Variant variant);

// True for the boxes that show a computed quantity of their row; false outside 0..19.
bool isComputedBox(int box);

} // namespace isosceles
