#include "solver.h"

#include "calc_error.h"

#include <cmath>
#include <numbers>

namespace isosceles {

namespace {

// Every operation of the formulas goes through one of these, so that the first failing step
// raises and no infinity or NaN ever comes into being. The operands are always finite.

[[noreturn]] void fail(CalcErrorKind kind) {
    throw CalcError(kind);
}

double finite(double result) {
    if (!std::isfinite(result)) {
        fail(CalcErrorKind::Overflow);
    }
    return result;
}

double mul(double x, double y) {
    return finite(x * y);
}
double add(double x, double y) {
    return finite(x + y);
}
double sub(double x, double y) {
    return finite(x - y);
}

double quot(double x, double y) {
    if (y == 0) {
        fail(x == 0 ? CalcErrorKind::Overflow : CalcErrorKind::DivisionByZero);
    }
    return finite(x / y);
}

double root(double x) {
    if (x < 0) {
        fail(CalcErrorKind::InvalidArgument);
    }
    return std::sqrt(x);
}

constexpr double kTwo = 2;
constexpr double kQuarter = 0.25;

// √(a·a − (0.25·c)·c)
double heightFromLegAndBase(double a, double c) {
    const double aa = mul(a, a);
    return root(sub(aa, mul(mul(kQuarter, c), c)));
}

// (c·h) / 2
double areaFromBaseAndHeight(double c, double h) {
    return quot(mul(c, h), kTwo);
}

// (2·a) + c
double perimeter(double a, double c) {
    return add(mul(kTwo, a), c);
}

TriangleValues fromBaseAndLeg(double c, double a) {
    const double h = heightFromLegAndBase(a, c);
    const double P = perimeter(a, c);
    return {c, a, P, areaFromBaseAndHeight(c, h)};
}

TriangleValues fromBaseAndArea(double c, double S) {
    const double h = quot(mul(kTwo, S), c);
    const double hh = mul(h, h);
    const double a = root(add(hh, mul(mul(kQuarter, c), c)));
    return {c, a, perimeter(a, c), S};
}

TriangleValues fromLegAndArea(double a, double S) {
    const double t = quot(mul(kTwo, S), a);
    const double aa = mul(a, a);
    const double u = root(sub(aa, mul(t, t)));
    // With u = 0 the apex is a right angle (t = ±a); the quotient t/u would divide by zero,
    // though the triangle exists. arctan of ±∞ is ±90°, so that is the angle taken.
    const double theta =
        (u == 0 && t != 0) ? std::copysign(std::numbers::pi / 2, t) : std::atan(quot(t, u));
    const double h = mul(a, std::cos(quot(theta, kTwo)));
    const double c = quot(mul(kTwo, S), h);
    return {c, a, perimeter(a, c), S};
}

TriangleValues fromLegAndPerimeter(double a, double P) {
    const double c = sub(P, mul(kTwo, a));
    const double h = heightFromLegAndBase(a, c);
    return {c, a, P, areaFromBaseAndHeight(c, h)};
}

TriangleValues fromBaseAndPerimeter(double c, double P) {
    const double a = quot(sub(P, c), kTwo);
    const double h = heightFromLegAndBase(a, c);
    return {c, a, P, areaFromBaseAndHeight(c, h)};
}

} // namespace

TriangleValues solveVariant(Variant variant, double first, double second) {
    if (!std::isfinite(first) || !std::isfinite(second)) {
        fail(CalcErrorKind::InvalidArgument);
    }
    switch (variant) {
    case 0:
        return fromBaseAndLeg(first, second);
    case 1:
        return fromBaseAndArea(first, second);
    case 2:
        return fromLegAndArea(first, second);
    case 3:
        return fromLegAndPerimeter(first, second);
    case 4:
        return fromBaseAndPerimeter(first, second);
    default:
        fail(CalcErrorKind::InvalidArgument);
    }
}

} // namespace isosceles
