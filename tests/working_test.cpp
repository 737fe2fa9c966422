#include "solver.h"
#include "working.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace isosceles {
namespace {

std::vector<Term> termsOf(const std::vector<Step>& steps) {
    std::vector<Term> terms;
    for (const Step& step : steps) {
        terms.push_back(step.term);
    }
    return terms;
}

struct OrderCase {
    Variant variant;
    double first, second;
    std::vector<Term> steps;
};

class StepOrder : public ::testing::TestWithParam<OrderCase> {};

// The six-five-sixteen-twelve triangle from each variant's own pair.
TEST_P(StepOrder, FollowsTheSolversTable) {
    const OrderCase& k = GetParam();
    const Working working = solveShowingWork(k.variant, k.first, k.second);
    EXPECT_FALSE(working.failed());
    EXPECT_EQ(termsOf(working.steps), k.steps);
    for (const Step& step : working.steps) {
        EXPECT_TRUE(step.result.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, StepOrder,
    ::testing::Values(OrderCase{0, 6, 5, {Term::h, Term::P, Term::S}},
                      OrderCase{1, 6, 12, {Term::h, Term::a, Term::P}},
                      OrderCase{
                          2, 5, 12, {Term::t, Term::u, Term::theta, Term::h, Term::c, Term::P}},
                      OrderCase{3, 5, 16, {Term::c, Term::h, Term::S}},
                      OrderCase{4, 6, 16, {Term::a, Term::h, Term::S}}));

TEST(Working, RecordsEachStepsOperandsPartsAndResult) {
    // c = 6, S = 12: h = (2·12) / 6 = 4; a = √(4·4 + (0.25·6)·6) = √(16 + 9) = 5.
    const Working working = solveShowingWork(1, 6, 12);
    ASSERT_EQ(working.steps.size(), 3U);
    const Step& a = working.steps[1];
    EXPECT_EQ(a.form, Form::RootOfSumWithQuarter);
    EXPECT_EQ(a.operands, (std::array{Term::h, Term::c}));
    EXPECT_EQ(a.values, (std::array{4.0, 6.0}));
    EXPECT_EQ(a.parts[0], 16.0);
    EXPECT_EQ(a.parts[1], 9.0);
    EXPECT_EQ(a.result, 5.0);
}

struct FailureCase {
    Variant variant;
    double first, second;
    Term failing;
    Form form;
    CalcErrorKind kind;
};

class FailingStep : public ::testing::TestWithParam<FailureCase> {};

// Each row of the solver's failure table, and a value beyond the double range.
TEST_P(FailingStep, IsTheLastOneWithoutAResult) {
    const FailureCase& k = GetParam();
    const Working working = solveShowingWork(k.variant, k.first, k.second);
    ASSERT_FALSE(working.steps.empty());
    const Step& last = working.steps.back();
    EXPECT_EQ(working.failure, k.kind);
    EXPECT_EQ(last.term, k.failing);
    EXPECT_EQ(last.form, k.form);
    EXPECT_FALSE(last.result.has_value());
}

using enum CalcErrorKind;
INSTANTIATE_TEST_SUITE_P(
    Table, FailingStep,
    ::testing::Values(
        FailureCase{0, 12, 5, Term::h, Form::RootOfDifferenceWithQuarter, InvalidArgument},
        FailureCase{1, 0, 12, Term::h, Form::TwiceOver, DivisionByZero},
        FailureCase{1, 0, 0, Term::h, Form::TwiceOver, Overflow},
        FailureCase{2, 0, 12, Term::t, Form::TwiceOver, DivisionByZero},
        FailureCase{2, 0, 0, Term::t, Form::TwiceOver, Overflow},
        FailureCase{2, 5, 13, Term::u, Form::RootOfDifference, InvalidArgument},
        FailureCase{3, 5, 21, Term::h, Form::RootOfDifferenceWithQuarter, InvalidArgument},
        FailureCase{4, 6, 10, Term::h, Form::RootOfDifferenceWithQuarter, InvalidArgument},
        FailureCase{0, 6, 1e200, Term::h, Form::RootOfDifferenceWithQuarter, Overflow}));

TEST(Working, TheRightAngledApexIsTakenAsItsOwnStep) {
    // a = 2, S = 2: t = 2 = a, u = 0, so θ = π/2.
    const Working working = solveShowingWork(2, 2, 2);
    ASSERT_FALSE(working.failed());
    EXPECT_EQ(working.steps[2].form, Form::RightApex);
    EXPECT_EQ(working.values, solveVariant(2, 2, 2));
}

struct ClosureCase {
    Variant variant;
    Term term;
    std::vector<Term> steps;
};

class StepsTo : public ::testing::TestWithParam<ClosureCase> {};

TEST_P(StepsTo, KeepOnlyTheStepsThatLedThere) {
    const ClosureCase& k = GetParam();
    const Working working = solveShowingWork(k.variant, 6, 5);
    EXPECT_EQ(termsOf(stepsTo(working, k.term)), k.steps);
}

INSTANTIATE_TEST_SUITE_P(
    Closures, StepsTo,
    ::testing::Values(ClosureCase{0, Term::S, {Term::h, Term::S}},
                      ClosureCase{0, Term::P, {Term::P}},
                      ClosureCase{1, Term::P, {Term::h, Term::a, Term::P}},
                      ClosureCase{2, Term::c, {Term::t, Term::u, Term::theta, Term::h, Term::c}},
                      ClosureCase{3, Term::S, {Term::c, Term::h, Term::S}},
                      ClosureCase{3, Term::c, {Term::c}}, ClosureCase{0, Term::c, {}}));

std::uint64_t bitsOf(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

// The working's results are solveVariant's, to the bit, and so are its failures.
TEST(Working, GivesSolveVariantsResultsBitForBit) {
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-12, 12);
    const auto draw = [&] { return std::ldexp(mantissa(random), exponent(random)); };
    for (int round = 0; round < 20000; ++round) {
        const auto variant = static_cast<Variant>(round % kVariantCount);
        const double first = draw();
        const double second = draw();
        const Working working = solveShowingWork(variant, first, second);
        try {
            const TriangleValues expected = solveVariant(variant, first, second);
            ASSERT_FALSE(working.failed()) << variant << ' ' << first << ' ' << second;
            for (const Quantity q : {Quantity::c, Quantity::a, Quantity::P, Quantity::S}) {
                ASSERT_EQ(bitsOf(working.values[q]), bitsOf(expected[q]));
            }
            // The computed quantities are the results of their own steps.
            for (const Quantity q : computed(variant)) {
                ASSERT_EQ(bitsOf(*stepsTo(working, termOf(q)).back().result), bitsOf(expected[q]));
            }
        } catch (const CalcError& error) {
            ASSERT_EQ(working.failure, error.kind()) << variant << ' ' << first << ' ' << second;
        }
    }
}

} // namespace
} // namespace isosceles
