#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace isosceles {

// The grid's column order; a quantity's value is its column.
enum class Quantity : int { c = 0, a = 1, P = 2, S = 3 };

inline constexpr int kQuantityCount = 4;

struct QuantityInfo {
    Quantity quantity;
    std::string_view heading; // UTF-8, as the column heading shows it
};

inline constexpr std::array<QuantityInfo, kQuantityCount> QuantityTable{{
    {Quantity::c, "c"},
    {Quantity::a, "a=b"},
    {Quantity::P, "P"},
    {Quantity::S, "S"},
}};

constexpr int column(Quantity q) {
    return static_cast<int>(q);
}

constexpr std::string_view heading(Quantity q) {
    return QuantityTable[column(q)].heading;
}

// Base, leg, perimeter and area, in column order.
struct TriangleValues {
    double c = 0;
    double a = 0;
    double P = 0;
    double S = 0;

    double& operator[](Quantity q);
    double operator[](Quantity q) const;

    friend bool operator==(const TriangleValues&, const TriangleValues&) = default;
};

} // namespace isosceles
