#include "calc_error.h"
#include "solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace isosceles {
namespace {

std::optional<CalcErrorKind> failureOf(Variant v, double first, double second) {
    try {
        solveVariant(v, first, second);
    } catch (const CalcError& e) {
        return e.kind();
    }
    return std::nullopt;
}

void expectFinite(const TriangleValues& r) {
    EXPECT_TRUE(std::isfinite(r.c) && std::isfinite(r.a) && std::isfinite(r.P) &&
                std::isfinite(r.S));
}

struct PairCase {
    Variant variant;
    double first, second;
};

class SameTriangle : public ::testing::TestWithParam<PairCase> {};

TEST_P(SameTriangle, EveryVariantCompletesSixFiveSixteenTwelve) {
    const auto [v, first, second] = GetParam();
    const TriangleValues r = solveVariant(v, first, second);
    EXPECT_DOUBLE_EQ(r.c, 6);
    EXPECT_DOUBLE_EQ(r.a, 5);
    EXPECT_DOUBLE_EQ(r.P, 16);
    EXPECT_DOUBLE_EQ(r.S, 12);
    if (v != 2) {
        EXPECT_EQ(r, (TriangleValues{6, 5, 16, 12})) << "exact outside variant 2";
    }
}

INSTANTIATE_TEST_SUITE_P(AllVariants, SameTriangle,
                         ::testing::Values(PairCase{0, 6, 5}, PairCase{1, 6, 12},
                                           PairCase{2, 5, 12}, PairCase{3, 5, 16},
                                           PairCase{4, 6, 16}));

struct ResultCase {
    const char* name;
    Variant variant;
    double first, second;
    TriangleValues expected;
    double tolerance;
};

class Results : public ::testing::TestWithParam<ResultCase> {};

TEST_P(Results, MatchTheFormulas) {
    const ResultCase& p = GetParam();
    const TriangleValues r = solveVariant(p.variant, p.first, p.second);
    EXPECT_NEAR(r.c, p.expected.c, p.tolerance);
    EXPECT_NEAR(r.a, p.expected.a, p.tolerance);
    EXPECT_NEAR(r.P, p.expected.P, p.tolerance);
    EXPECT_NEAR(r.S, p.expected.S, p.tolerance);
}

const double kRootTwo = std::sqrt(2.0);

INSTANTIATE_TEST_SUITE_P(
    Table, Results,
    ::testing::Values(
        ResultCase{"FlatBaseTwiceTheLeg", 0, 10, 5, {10, 5, 20, 0}, 0},
        ResultCase{"NoBase", 0, 0, 5, {0, 5, 10, 0}, 0},
        ResultCase{"NegativeBase", 0, -6, 5, {-6, 5, 4, -12}, 0},
        ResultCase{"NegativeArea", 1, 6, -12, {6, 5, 16, -12}, 0},
        ResultCase{"ZeroAreaKeepsTheLeg", 2, 5, 0, {0, 5, 10, 0}, 0},
        ResultCase{"AcuteApexNotObtuse", 2, 5, 12, {6, 5, 16, 12}, 1e-12},
        ResultCase{"RightApex", 2, 2, 2, {2 * kRootTwo, 2, 4 + 2 * kRootTwo, 2}, 1e-12},
        ResultCase{
            "RightApexNegativeArea", 2, 2, -2, {-2 * kRootTwo, 2, 4 - 2 * kRootTwo, -2}, 1e-12},
        ResultCase{"PerimeterFourLegs", 3, 5, 20, {10, 5, 20, 0}, 0},
        ResultCase{"NegativeBaseFromPerimeter", 3, 5, 6, {-4, 5, 6, -2 * std::sqrt(21.0)}, 1e-12},
        ResultCase{"FlatFromBaseAndPerimeter", 4, 6, 12, {6, 3, 12, 0}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Solver, RightApexShowsTheRoundedValues) {
    const TriangleValues r = solveVariant(2, 2, 2);
    EXPECT_NEAR(r.c, 2.828, 5e-4);
    EXPECT_NEAR(r.P, 6.828, 5e-4);
}

TEST(Solver, NegativeBaseWithFlatTriangleGivesZeroArea) {
    const TriangleValues r = solveVariant(0, -6, 3);
    EXPECT_EQ(r.S, 0);
    EXPECT_EQ(r.P, 0);
}

TEST(Solver, GivenValuesComeBackBitForBit) {
    const double values[] = {0.1, 1.0 / 3, -7.25, 1e-300, 123456.789};
    for (double first : values) {
        for (double second : values) {
            for (Variant v = 0; v < 5; ++v) {
                try {
                    const TriangleValues r = solveVariant(v, first, second);
                    expectFinite(r);
                    EXPECT_EQ(r[given(v)[0]], first);
                    EXPECT_EQ(r[given(v)[1]], second);
                } catch (const CalcError&) {
                }
            }
        }
    }
}

struct FailureCase {
    const char* name;
    Variant variant;
    double first, second;
    CalcErrorKind kind;
};

class Failures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failures, RaiseTheirKind) {
    const FailureCase& p = GetParam();
    EXPECT_EQ(failureOf(p.variant, p.first, p.second), p.kind);
}

constexpr double kHuge = 1e200;
constexpr double kMax = std::numeric_limits<double>::max();
using K = CalcErrorKind;

INSTANTIATE_TEST_SUITE_P(
    Table, Failures,
    ::testing::Values(FailureCase{"BaseLongerThanTwoLegs", 0, 11, 5, K::InvalidArgument},
                      FailureCase{"NegativeBaseLongerThanTwoLegs", 0, -11, 5, K::InvalidArgument},
                      FailureCase{"SquareOfLegOverflows", 0, 1, kHuge, K::Overflow},
                      FailureCase{"LargestLeg", 0, 0, kMax, K::Overflow},
                      FailureCase{"NoBaseWithArea", 1, 0, 12, K::DivisionByZero},
                      FailureCase{"NoBaseNoArea", 1, 0, 0, K::Overflow},
                      FailureCase{"NegativeZeroBase", 1, -0.0, 3, K::DivisionByZero},
                      FailureCase{"HeightOverflows", 1, 1e-300, 1e300, K::Overflow},
                      FailureCase{"NoLegWithArea", 2, 0, 12, K::DivisionByZero},
                      FailureCase{"NoLegNoArea", 2, 0, 0, K::Overflow},
                      FailureCase{"AreaTooLarge", 2, 5, 12.5000001, K::InvalidArgument},
                      FailureCase{"NegativeAreaTooLarge", 2, 5, -13, K::InvalidArgument},
                      FailureCase{"LegUnderflowsWithoutArea", 2, 1e-200, 0, K::Overflow},
                      FailureCase{"PerimeterBeyondFourLegs", 3, 5, 21, K::InvalidArgument},
                      FailureCase{"LegTooLargeToDouble", 3, kMax, 0, K::Overflow},
                      FailureCase{"LegsShorterThanHalfBase", 4, 6, 10, K::InvalidArgument},
                      FailureCase{"PerimeterShorterThanBase", 4, 6, 5, K::InvalidArgument},
                      FailureCase{"UnknownVariant", 5, 6, 5, K::InvalidArgument},
                      FailureCase{"NegativeVariant", -1, 6, 5, K::InvalidArgument},
                      FailureCase{"InfiniteInput", 0, std::numeric_limits<double>::infinity(), 5,
                                  K::InvalidArgument},
                      FailureCase{"NaNInput", 3, 5, std::numeric_limits<double>::quiet_NaN(),
                                  K::InvalidArgument}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Solver, RightApexKeepsEveryOtherFailure) {
    // Only u = 0 with t ≠ 0 takes the right angle; a vanishing leg still fails as before.
    EXPECT_EQ(failureOf(2, 0, 2), K::DivisionByZero);
    EXPECT_EQ(failureOf(2, -2, 2), std::nullopt);
    const TriangleValues r = solveVariant(2, -2, 2);
    EXPECT_NEAR(r.c, -2 * kRootTwo, 1e-12);
}

TEST(Solver, VariantTwoFollowsTheWrittenStepsBitForBit) {
    const double a = 7.3, S = 11.9;
    const double t = (2 * S) / a;
    const double u = std::sqrt(a * a - t * t);
    const double h = a * std::cos(std::atan(t / u) / 2);
    const double c = (2 * S) / h;
    const TriangleValues r = solveVariant(2, a, S);
    EXPECT_EQ(r.c, c);
    EXPECT_EQ(r.P, 2 * a + c);
}

TEST(Solver, ErrorsNameTheirKind) {
    EXPECT_STREQ(CalcError(K::InvalidArgument).what(), "invalid argument");
    EXPECT_STREQ(CalcError(K::DivisionByZero).what(), "division by zero");
    EXPECT_STREQ(CalcError(K::Overflow).what(), "overflow");
}

} // namespace
} // namespace isosceles
