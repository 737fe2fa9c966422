#include "shape.h"

#include <gtest/gtest.h>

#include <optional>

namespace isosceles {
namespace {

using Q = Quantity;
using C = NoTriangleCause;

struct ShapeCase {
    Variant variant;
    double first, second;
    std::optional<NoTriangle> none;
    std::optional<SecondTriangle> other;
};

class RowShape : public ::testing::TestWithParam<ShapeCase> {};

// Why no triangle has a row's values, naming the first quantity at fault; else the other
// triangle with the same leg and area, where there is one.
TEST_P(RowShape, IsJudgedFromTheWorking) {
    const ShapeCase& p = GetParam();
    const Working working = solveShowingWork(p.variant, p.first, p.second);
    EXPECT_EQ(noTriangle(working), p.none);
    const std::optional<SecondTriangle> other = secondTriangle(working);
    ASSERT_EQ(other.has_value(), p.other.has_value());
    if (other) {
        EXPECT_NEAR(other->c, p.other->c, 1e-12 * p.other->c);
        EXPECT_NEAR(other->h, p.other->h, 1e-12 * p.other->h);
        EXPECT_NEAR(other->P, p.other->P, 1e-12 * p.other->P);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowShape,
    ::testing::Values(
        ShapeCase{0, 6, 5, std::nullopt, std::nullopt},
        ShapeCase{0, -6, 5, NoTriangle{Q::c, C::Negative, -6}, std::nullopt},
        ShapeCase{0, 0, 0, NoTriangle{Q::c, C::Zero, 0}, std::nullopt},
        ShapeCase{0, 6, -5, NoTriangle{Q::a, C::Negative, -5}, std::nullopt},
        // The base as long as both legs: computed S is zero.
        ShapeCase{0, 10, 5, NoTriangle{Q::S, C::Flat, 0}, std::nullopt},
        // A given quantity is named before a computed one.
        ShapeCase{1, 6, -12, NoTriangle{Q::S, C::Negative, -12}, std::nullopt},
        ShapeCase{1, 6, 0, NoTriangle{Q::S, C::Flat, 0}, std::nullopt},
        ShapeCase{3, 5, 6, NoTriangle{Q::c, C::Negative, -4}, std::nullopt},
        // A failed working has no values to judge.
        ShapeCase{0, 12, 5, std::nullopt, std::nullopt},
        // A leg and an area below a²/2: two triangles, also where a square would overflow.
        ShapeCase{2, 5, 12, std::nullopt, SecondTriangle{8, 3, 18}},
        ShapeCase{2, 13, 60, std::nullopt, SecondTriangle{24, 5, 50}},
        ShapeCase{2, 5e149, 1.2e299, std::nullopt, SecondTriangle{8e149, 3e149, 1.8e150}},
        // The right apex: one triangle; none at all past it.
        ShapeCase{2, 2, 2, std::nullopt, std::nullopt},
        ShapeCase{2, 5, 13, std::nullopt, std::nullopt},
        ShapeCase{2, 5, 0, NoTriangle{Q::S, C::Zero, 0}, std::nullopt},
        ShapeCase{2, -5, 12, NoTriangle{Q::a, C::Negative, -5}, std::nullopt},
        // Only where the leg and the area are what was given.
        ShapeCase{1, 6, 12, std::nullopt, std::nullopt}));

} // namespace
} // namespace isosceles
