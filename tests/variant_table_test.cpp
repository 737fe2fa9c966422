#include "variant_table.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace isosceles {
namespace {

TEST(VariantTable, BoxIndexCoversTheGridRowByRow) {
    EXPECT_EQ(boxIndex(0, 0), 0);
    EXPECT_EQ(boxIndex(1, Quantity::S), 7);
    EXPECT_EQ(boxIndex(4, 3), 19);
    for (int box = 0; box < kBoxCount; ++box) {
        EXPECT_EQ(boxIndex(rowOfBox(box), quantityOfBox(box)), box);
    }
}

TEST(VariantTable, ComputedBoxesAreExactlyTheListedTen) {
    const std::set<int> expected{2, 3, 5, 6, 8, 10, 12, 15, 17, 19};
    std::set<int> found;
    for (int box = -1; box <= kBoxCount; ++box) {
        if (isComputedBox(box)) {
            found.insert(box);
        }
    }
    EXPECT_EQ(found, expected);
}

TEST(VariantTable, EachRowSplitsIntoTwoGivenAndTwoComputedInColumnOrder) {
    for (Variant v = 0; v < kVariantCount; ++v) {
        std::set<Quantity> all;
        for (Quantity q : given(v)) {
            EXPECT_FALSE(isComputedBox(boxIndex(v, q))) << "variant " << v;
            all.insert(q);
        }
        for (Quantity q : computed(v)) {
            EXPECT_TRUE(isComputedBox(boxIndex(v, q))) << "variant " << v;
            all.insert(q);
        }
        EXPECT_EQ(all.size(), 4u) << "variant " << v;
        EXPECT_LT(column(given(v)[0]), column(given(v)[1])) << "variant " << v;
    }
}

TEST(VariantTable, NoVariantGivesPerimeterAndArea) {
    for (Variant v = 0; v < kVariantCount; ++v) {
        EXPECT_FALSE(given(v)[0] == Quantity::P && given(v)[1] == Quantity::S);
    }
}

TEST(VariantTable, CaptionsNumberFromOne) {
    EXPECT_EQ(caption(0), "Вариант 1");
    EXPECT_EQ(caption(4), "Вариант 5");
}

TEST(VariantTable, IndicesOutsideTheTableAreRejected) {
    EXPECT_THROW(given(5), std::out_of_range);
    EXPECT_THROW(computed(-1), std::out_of_range);
    EXPECT_THROW(caption(5), std::out_of_range);
}

TEST(VariantTable, HeadingsInColumnOrder) {
    EXPECT_EQ(heading(Quantity::c), "c");
    EXPECT_EQ(heading(Quantity::a), "a=b");
    EXPECT_EQ(heading(Quantity::P), "P");
    EXPECT_EQ(heading(Quantity::S), "S");
}

} // namespace
} // namespace isosceles
