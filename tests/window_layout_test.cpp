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

// What follows the number of variants is derived from it, at the numbers of five variants.
TEST(ControlTable, RowsThatFollowTheVariantsStandWhereFiveVariantsPutThem) {
    ASSERT_EQ(kVariantCount, 5);
    const struct {
        Family family;
        int index;
        Rect twips;
    } placed[] = {
        {Family::Frame1, 0, {0, 480, 1695, 2655}},   {Family::Option1, 4, {120, 1800, 1500, 405}},
        {Family::Text2, 19, {4680, 2280, 975, 405}}, {Family::Command1, 1, {5760, 2640, 1095, 375}},
        {Family::Text1, 0, {120, 3360, 6735, 1815}}, {Family::Label1, 4, {4680, 480, 975, 375}},
    };
    for (const auto& [family, index, twips] : placed) {
        EXPECT_EQ(twipsRect(rowOf(family, index), index), twips) << familyName(family) << index;
    }
    EXPECT_EQ(kWindowStyle.clientHeight, 5280);
    EXPECT_EQ(TabOrder[1].last, 15);
    EXPECT_EQ(TabOrder[3].first, 16);
    EXPECT_EQ(TabOrder[3].last, 19);
    EXPECT_EQ(TabOrder[4].last, 4);
}

// A focus ring keeps clear of the bands a neighbour may be drawn over, and only of those.
TEST(ControlTable, OverlapsAreTheBandsNeighboursShare) {
    const ControlRow& boxes = rowOf(Family::Text2, 0);
    const int across = boxes.width - boxes.stepX;
    const int down = boxes.height - boxes.stepY;
    const ControlRow& options = rowOf(Family::Option1, 0);
    const int optionsDown = options.height - options.stepY;
    ASSERT_GT(across, 0);
    ASSERT_GT(down, 0);
    const struct {
        Family family;
        int index;
        Edges overlap;
    } cases[] = {
        {Family::Text2, 0, {0, 0, across, down}},
        {Family::Text2, 5, {across, down, across, down}},
        {Family::Text2, kBoxCount - 1, {across, down, 0, 0}},
        {Family::Text2, kQuantityCount - 1, {across, 0, 0, down}},
        {Family::Option1, 0, {0, 0, 0, optionsDown}},
        {Family::Option1, kVariantCount - 1, {0, optionsDown, 0, 0}},
        {Family::Text1, 0, {0, 0, 0, 0}},
    };
    for (const auto& [family, index, overlap] : cases) {
        EXPECT_EQ(overlapOf(rowOf(family, index), index), overlap) << familyName(family) << index;
    }
}

} // namespace
} // namespace isosceles
