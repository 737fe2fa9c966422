#include "window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace isosceles {
namespace {

double luminance(Rgb c) {
    const auto linear = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue) + 0.05;
}

double contrast(Rgb a, Rgb b) {
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// An out-of-date result must read as clearly as body text, yet not pass for a current one.
TEST(OutOfDateResults, ReadOnTheComputedColourAndDifferFromCurrentOnes) {
    const Rgb computed = *rowOf(Family::Text2, 2).computedBackground;
    EXPECT_GE(contrast(kOutOfDateTextColour, computed), 4.5);
    EXPECT_GE(contrast(kOutOfDateTextColour, kTextOnFixedColour), 1.5);
    EXPECT_EQ(kTextOnFixedColour, (Rgb{0, 0, 0}));
}

} // namespace
} // namespace isosceles
