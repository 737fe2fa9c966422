#include "shape.h"

#include "variant_table.h"

#include <cmath>

namespace isosceles {

std::optional<NoTriangle> noTriangle(const Working& working) {
    if (working.failed()) {
        return std::nullopt;
    }
    const TriangleValues& v = working.values;
    const auto& pair = given(working.variant);
    const auto& rest = computed(working.variant);
    for (const Quantity q : {pair[0], pair[1], rest[0], rest[1]}) {
        const double value = v[q];
        if (value < 0) {
            return NoTriangle{q, NoTriangleCause::Negative, value};
        }
        if (value == 0) {
            // With both sides there, a zero area means the apex lies on the base.
            const bool flat = q == Quantity::S && v.c > 0 && v.a > 0;
            return NoTriangle{q, flat ? NoTriangleCause::Flat : NoTriangleCause::Zero, value};
        }
    }
    return std::nullopt;
}

std::optional<SecondTriangle> secondTriangle(const Working& working) {
    constexpr Variant kLegAndArea = 2;
    if (working.failed() || working.variant != kLegAndArea) {
        return std::nullopt;
    }
    const auto [a, S] = working.given;
    if (!(a > 0 && S > 0)) {
        return std::nullopt;
    }
    // sin of the apex angle, the same for both apexes; the cosine of the obtuse one is
    // minus that of the acute one. Divided step by step, so that no square leaves the range.
    const double sine = ((2 * S) / a) / a;
    if (!(sine < 1)) {
        return std::nullopt;
    }
    const double cosine = std::sqrt(1 - sine * sine);
    // The law of cosines: c² = 2a² − 2a²·cos(apex), the apex's cosine being −cosine.
    const double c = a * std::sqrt(2 + 2 * cosine);
    const SecondTriangle second{c, (2 * S) / c, (2 * a) + c};
    if (!std::isfinite(second.c) || !std::isfinite(second.h) || !std::isfinite(second.P)) {
        return std::nullopt;
    }
    return second;
}

} // namespace isosceles
