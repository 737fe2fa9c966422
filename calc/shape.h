#pragma once

#include "triangle_values.h"
#include "working.h"

#include <optional>

namespace isosceles {

// Why a row's values describe no real triangle, the results standing as computed.
enum class NoTriangleCause {
    Negative, // a side, the perimeter or the area below zero
    Zero,     // one of them zero
    Flat,     // the base as long as both legs together: the area is zero
};

struct NoTriangle {
    Quantity quantity; // the first at fault, the given ones before the computed
    NoTriangleCause cause;
    double value;
    friend bool operator==(const NoTriangle&, const NoTriangle&) = default;
};

// None where the values of a finished working describe a real triangle, or where it failed.
std::optional<NoTriangle> noTriangle(const Working& working);

// The obtuse-apex triangle that shares the leg and the area of an acute-apex one.
struct SecondTriangle {
    double c, h, P;
};

// Where a and S are given and 0 < S < a²/2, two isosceles triangles have them, and the
// solver returns the one with the acute apex: this is the other. None otherwise, the right
// apex (S = a²/2) included, where the two are one.
std::optional<SecondTriangle> secondTriangle(const Working& working);

} // namespace isosceles
