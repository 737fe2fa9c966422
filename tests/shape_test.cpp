#include "shape.h"

#include <gtest/gtest.h>

#include <optional>

namespace isosceles {
namespace {

struct NoTriangleCase {
    Variant variant;
    double first, second;
    std::optional<NoTriangle> expected;
};

class RowShape : public ::testing::TestWithParam<NoTriangleCase> {};

TEST_P(RowShape, NamesTheFirstQuantityAtFault) {
    const NoTriangleCase& p = GetParam();
    EXPECT_EQ(noTriangle(solveShowingWork(p.variant, p.first, p.second)), p.expected);
}

using Q = Quantity;
using C = NoTriangleCause;

INSTANTIATE_TEST_SUITE_P(
    Cases, RowShape,
    ::testing::Values(NoTriangleCase{0, 6, 5, std::nullopt}, NoTriangleCase{2, 5, 12, std::nullopt},
                      NoTriangleCase{0, -6, 5, NoTriangle{Q::c, C::Negative, -6}},
                      NoTriangleCase{0, 0, 0, NoTriangle{Q::c, C::Zero, 0}},
                      NoTriangleCase{0, 6, -5, NoTriangle{Q::a, C::Negative, -5}},
                      // The base as long as both legs: computed S is zero.
                      NoTriangleCase{0, 10, 5, NoTriangle{Q::S, C::Flat, 0}},
                      // A given quantity is named before a computed one.
                      NoTriangleCase{1, 6, -12, NoTriangle{Q::S, C::Negative, -12}},
                      NoTriangleCase{1, 6, 0, NoTriangle{Q::S, C::Flat, 0}},
                      NoTriangleCase{2, 5, 0, NoTriangle{Q::S, C::Zero, 0}},
                      NoTriangleCase{3, 5, 6, NoTriangle{Q::c, C::Negative, -4}},
                      // A failed working has no values to judge.
                      NoTriangleCase{0, 12, 5, std::nullopt}));

struct SecondCase {
    Variant variant;
    double first, second;
    std::optional<SecondTriangle> expected;
};

class TwoTriangles : public ::testing::TestWithParam<SecondCase> {};

TEST_P(TwoTriangles, TheObtuseApexOneIsFound) {
    const SecondCase& p = GetParam();
    const std::optional<SecondTriangle> second =
        secondTriangle(solveShowingWork(p.variant, p.first, p.second));
    ASSERT_EQ(second.has_value(), p.expected.has_value());
    if (second) {
        EXPECT_NEAR(second->c, p.expected->c, 1e-12 * p.expected->c);
        EXPECT_NEAR(second->h, p.expected->h, 1e-12 * p.expected->h);
        EXPECT_NEAR(second->P, p.expected->P, 1e-12 * p.expected->P);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TwoTriangles,
    ::testing::Values(SecondCase{2, 5, 12, SecondTriangle{8, 3, 18}},
                      SecondCase{2, 13, 60, SecondTriangle{24, 5, 50}},
                      SecondCase{2, 5e149, 1.2e299, SecondTriangle{8e149, 3e149, 1.8e150}},
                      // The right apex: one triangle.
                      SecondCase{2, 2, 2, std::nullopt}, SecondCase{2, 5, 12.5, std::nullopt},
                      SecondCase{2, 5, 0, std::nullopt}, SecondCase{2, 5, -12, std::nullopt},
                      SecondCase{2, -5, 12, std::nullopt}, SecondCase{2, 5, 13, std::nullopt},
                      // Only where the leg and the area are what was given.
                      SecondCase{1, 6, 12, std::nullopt}));

} // namespace
} // namespace isosceles
