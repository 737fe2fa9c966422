#include "decimal3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace isosceles {
namespace {

struct DecimalCase {
    double value;
    const char* written;
};

class Decimal3 : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(Decimal3, HalfAwayFromZeroOnTheShortestDecimal) {
    EXPECT_EQ(decimal3(GetParam().value), GetParam().written) << GetParam().value;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, Decimal3, ::testing::Values(
    DecimalCase{0, "0.000"}, DecimalCase{-0.0, "0.000"}, DecimalCase{16, "16.000"},
    DecimalCase{1234.5, "1234.500"}, DecimalCase{2.0 / 3, "0.667"},
    // Stored just below the half, written as the half it reads as.
    DecimalCase{1.0005, "1.001"}, DecimalCase{-1.0005, "-1.001"}, DecimalCase{2.0005, "2.001"},
    DecimalCase{0.0025, "0.003"}, DecimalCase{2.0004999, "2.000"},
    DecimalCase{-0.0004, "0.000"}, DecimalCase{-0.0005, "-0.001"},
    DecimalCase{9.9995, "10.000"}, DecimalCase{-999.9996, "-1000.000"},
    DecimalCase{1e20, "100000000000000000000.000"}, DecimalCase{5e-324, "0.000"},
    DecimalCase{-1234567.8915, "-1234567.892"}));

// clang-format on

TEST(Decimal3, WritesTheLargestDoubleWhole) {
    EXPECT_EQ(decimal3(std::numeric_limits<double>::max()),
              "17976931348623157" + std::string(292, '0') + ".000");
}

TEST(Decimal3, RefusesNonFiniteValues) {
    EXPECT_THROW(decimal3(std::nan("")), std::invalid_argument);
    EXPECT_THROW(decimal3(-HUGE_VAL), std::invalid_argument);
}

} // namespace
} // namespace isosceles
