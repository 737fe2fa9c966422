#include "calc_error.h"
#include "grid_controller.h"
#include "grid_snapshot.h"
#include "number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <tuple>

namespace isosceles {
namespace {

using Grid = GridSnapshot;

class Controller : public ::testing::Test {
protected:
    explicit Controller(const char* locale = "C") : grid(NumberFormat::forLocale(locale)) {
        grid.onLoad();
    }

    void type(int box, std::u16string_view text) {
        ASSERT_TRUE(grid.editCell(box, std::u16string(text))) << "box " << box;
    }

    std::array<std::u16string, 4> row(Variant v) const {
        std::array<std::u16string, 4> texts;
        for (int column = 0; column < 4; ++column) {
            texts[static_cast<std::size_t>(column)] = grid.cell(boxIndex(v, column)).text;
        }
        return texts;
    }

    std::optional<CalcErrorKind> calculateFailure() {
        try {
            grid.calculate();
        } catch (const CalcError& e) {
            return e.kind();
        }
        return std::nullopt;
    }

    GridController grid;
};

using Row = std::array<std::u16string, 4>;

TEST(GridControllerStart, BeforeLoadNothingIsSelectedAndOnlyComputedBoxesAreDisabled) {
    const GridController grid(NumberFormat::c());
    EXPECT_EQ(grid.selectedOption(), std::nullopt);
    EXPECT_EQ(grid.currentVariant(), 0);
    for (int box = 0; box < kBoxCount; ++box) {
        EXPECT_EQ(grid.cell(box).enabled, !isComputedBox(box)) << box;
        EXPECT_TRUE(grid.cell(box).text.empty());
    }
}

TEST_F(Controller, AfterLoadRowZeroIsOpenAndTheRestLocked) {
    EXPECT_EQ(grid.currentVariant(), 0);
    EXPECT_EQ(grid.selectedOption(), 0);
    for (int box = 0; box < kBoxCount; ++box) {
        EXPECT_TRUE(grid.cell(box).text.empty()) << box;
        EXPECT_EQ(grid.cell(box).locked, box >= 4) << box;
    }
    EXPECT_FALSE(grid.cell(2).enabled);
    EXPECT_FALSE(grid.cell(3).enabled);
}

TEST_F(Controller, LoadingTwiceGivesTheSameStartState) {
    const Grid before = snapshot(grid);
    grid.onLoad();
    EXPECT_EQ(snapshot(grid), before);
    // With the option already selected, loading selects nothing: the relock alone locks.
    for (Variant v = 1; v < kVariantCount; ++v) {
        grid.selectVariant(v);
        grid.onLoad();
        for (int box = boxIndex(1, 0); box < kBoxCount; ++box) {
            EXPECT_TRUE(grid.cell(box).locked) << "variant " << v << ", box " << box;
        }
    }
}

TEST_F(Controller, CalculateOnAnEmptyFirstRowWritesZeros) {
    grid.calculate();
    EXPECT_EQ(row(0), (Row{u"0.000", u"0.000", u"0.000", u"0.000"}));
}

TEST_F(Controller, TheRoadOfOneCalculation) {
    grid.selectOption(1);
    type(4, u"6");
    type(7, u"12");
    grid.calculate();
    EXPECT_EQ(row(1), (Row{u"6.000", u"5.000", u"16.000", u"12.000"}));
    EXPECT_EQ(grid.currentVariant(), 1);
    for (int box = 0; box < kBoxCount; ++box) {
        EXPECT_EQ(grid.cell(box).locked, rowOfBox(box) != 1) << box;
    }
}

TEST_F(Controller, FirstRowFromBaseAndLeg) {
    type(0, u"6");
    type(1, u"5");
    grid.calculate();
    EXPECT_EQ(row(0), (Row{u"6.000", u"5.000", u"16.000", u"12.000"}));
}

TEST_F(Controller, NegativeZeroAreaIsWrittenWithoutMinus) {
    type(0, u"-6");
    type(1, u"3");
    grid.calculate();
    EXPECT_EQ(row(0), (Row{u"-6.000", u"3.000", u"0.000", u"0.000"}));
}

TEST_F(Controller, RightApexIsComputed) {
    grid.selectOption(2);
    type(9, u"2");
    type(11, u"2");
    grid.calculate();
    EXPECT_EQ(row(2), (Row{u"2.828", u"2.000", u"6.828", u"2.000"}));
}

struct FailureCase {
    Variant variant;
    std::u16string_view first, second;
    CalcErrorKind kind;
};

class ControllerFailure : public Controller, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ControllerFailure, KeepsWhatWasTypedAndShowsNoResult) {
    const FailureCase& p = GetParam();
    grid.selectOption(p.variant);
    const auto& pair = given(p.variant);
    type(boxIndex(p.variant, pair[0]), p.first);
    type(boxIndex(p.variant, pair[1]), p.second);
    const Grid before = snapshot(grid);
    EXPECT_EQ(calculateFailure(), p.kind);
    EXPECT_EQ(snapshot(grid), before);
    EXPECT_EQ(grid.currentVariant(), p.variant);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ControllerFailure,
    ::testing::Values(FailureCase{1, u"", u"", CalcErrorKind::Overflow},
                      FailureCase{1, u"0", u"5", CalcErrorKind::DivisionByZero},
                      FailureCase{0, u"1e400", u"5", CalcErrorKind::Overflow},
                      FailureCase{0, u"5", u"&H100000000", CalcErrorKind::Overflow},
                      FailureCase{0, u"11", u"5", CalcErrorKind::InvalidArgument},
                      FailureCase{2, u"5", u"13", CalcErrorKind::InvalidArgument},
                      FailureCase{3, u"5", u"21", CalcErrorKind::InvalidArgument},
                      FailureCase{4, u"6", u"10", CalcErrorKind::InvalidArgument},
                      FailureCase{0, u"1", u"1e200", CalcErrorKind::Overflow}));

TEST_F(Controller, FailureEmptiesEarlierResultsAndAFollowingCalculateWorks) {
    for (const auto& [c, a, kind] : {std::tuple{u"20", u"1", CalcErrorKind::InvalidArgument},
                                     std::tuple{u"abc1e400", u"1e400", CalcErrorKind::Overflow}}) {
        type(0, u"6");
        type(1, u"5");
        grid.calculate();
        type(0, c);
        type(1, a);
        EXPECT_EQ(calculateFailure(), kind);
        EXPECT_EQ(row(0), (Row{c, a, u"", u""}));
    }
    type(1, u"5");
    grid.calculate();
    EXPECT_EQ(row(0), (Row{u"0.000", u"5.000", u"10.000", u"0.000"}));
}

TEST_F(Controller, TextThatIsNoNumberCountsAsZero) {
    type(0, u"abc");
    type(1, u"4cm");
    grid.calculate();
    EXPECT_EQ(row(0), (Row{u"0.000", u"4.000", u"8.000", u"0.000"}));
}

TEST_F(Controller, SelectingAVariantEmptiesEveryRow) {
    type(0, u"6");
    type(1, u"5");
    grid.calculate();
    grid.selectOption(3);
    for (int box = 0; box < kBoxCount; ++box) {
        EXPECT_TRUE(grid.cell(box).text.empty()) << box;
        EXPECT_EQ(grid.cell(box).locked, rowOfBox(box) != 3) << box;
    }
    EXPECT_EQ(grid.currentVariant(), 3);
}

TEST_F(Controller, SelectingTheSelectedOptionAgainKeepsTheGrid) {
    type(0, u"6");
    grid.selectOption(0);
    EXPECT_EQ(grid.cell(0).text, u"6");
    grid.selectVariant(0);
    EXPECT_EQ(grid.cell(0).text, u"");
}

TEST_F(Controller, ClearAllKeepsLocksAndVariant) {
    grid.selectOption(4);
    type(16, u"6");
    type(18, u"16");
    grid.calculate();
    const Grid before = snapshot(grid);
    grid.clearAll();
    for (int box = 0; box < kBoxCount; ++box) {
        const auto i = static_cast<std::size_t>(box);
        EXPECT_TRUE(grid.cell(box).text.empty());
        EXPECT_EQ(grid.cell(box).locked, before[i].locked);
        EXPECT_EQ(grid.cell(box).enabled, before[i].enabled);
    }
    EXPECT_EQ(grid.currentVariant(), 4);
    type(16, u"6");
}

TEST_F(Controller, OnlyEnabledUnlockedBoxesTakeEdits) {
    for (int box = 0; box < kBoxCount; ++box) {
        const bool open = rowOfBox(box) == 0 && !isComputedBox(box);
        EXPECT_EQ(grid.editCell(box, u"7"), open) << box;
        EXPECT_EQ(grid.cell(box).text, open ? u"7" : u"") << box;
    }
    EXPECT_THROW(grid.editCell(20, u"1"), std::out_of_range);
    EXPECT_THROW(grid.cell(-1), std::out_of_range);
}

TEST_F(Controller, InvalidVariantChangesNothing) {
    type(0, u"6");
    const Grid before = snapshot(grid);
    EXPECT_THROW(grid.selectOption(5), std::out_of_range);
    EXPECT_THROW(grid.selectVariant(-1), std::out_of_range);
    EXPECT_EQ(snapshot(grid), before);
    EXPECT_EQ(grid.selectedOption(), 0);
}

// The format is built on first use, so everything but Calculate works without it, and a
// Calculate that cannot build it writes nothing, then tries again the next time.
TEST(UnavailableFormat, OnlyCalculateNeedsItAndItFailsCleanly) {
    GridController grid(NumberFormat::unavailable("no locale data"));
    grid.onLoad();
    grid.selectOption(1);
    ASSERT_TRUE(grid.editCell(4, u"6"));
    const Grid before = snapshot(grid);
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_THROW(grid.calculate(), NumberFormatError);
        EXPECT_EQ(snapshot(grid), before);
    }
    grid.clearAll();
    EXPECT_EQ(grid.cell(4).text, u"");
}

class BulgarianController : public Controller {
protected:
    BulgarianController() : Controller("bg_BG.UTF-8") {}
};

TEST_F(BulgarianController, CalculatingTwiceKeepsTheTriangle) {
    grid.selectOption(4);
    type(16, u"5");
    type(18, u"5001.5");
    grid.calculate();
    const NumberFormat& format = grid.numberFormat();
    const Row first{format.format3(5), format.format3(2498.25), format.format3(5001.5),
                    format.format3(6245.622)};
    EXPECT_EQ(first[0], u"5,000");
    EXPECT_EQ(row(4), first);
    grid.calculate();
    EXPECT_EQ(row(4), first);
}

TEST_F(BulgarianController, GroupedResultsReadBack) {
    type(0, u"20000");
    type(1, u"12345.5");
    grid.calculate();
    const Row first = row(0);
    EXPECT_EQ(first[2], u"44\u00A0691,000");
    grid.calculate();
    EXPECT_EQ(row(0), first);
}

} // namespace
} // namespace isosceles

namespace isosceles {
namespace {

// c = 6, a = 5, Calculate, then c retyped: P and S are marked while c reads as another number
// than the 6 they were computed from, however it is written; the given boxes never are.
TEST_F(Controller, ResultsAreOutOfDateWhileAGivenBoxReadsAsAnotherValue) {
    type(0, u"6");
    type(1, u"5");
    grid.calculate();
    const Row results = row(0);
    struct Retyped {
        std::u16string text;
        bool outOfDate;
    };
    for (const auto& [text, outOfDate] :
         {Retyped{u"8", true}, Retyped{u"6", false}, Retyped{u"06.0", false},
          Retyped{u"6cm", false}, Retyped{u"6.0001", true}, Retyped{u"-6", true},
          Retyped{u"", true}, Retyped{u"1e400", true}, Retyped{results[0], false}}) {
        type(0, text);
        EXPECT_EQ(row(0), (Row{text, results[1], results[2], results[3]}));
        for (int box = 0; box < kBoxCount; ++box) {
            EXPECT_EQ(grid.isOutOfDate(box), outOfDate && (box == 2 || box == 3))
                << "c = " << std::string(text.begin(), text.end()) << ", box " << box;
        }
    }
}

// Where three decimals hid the value used (0.0004 written as 0.000), only the box left as
// Calculate wrote it reads as that value; the same text typed again reads as 0.
TEST_F(Controller, AHiddenValueIsCurrentOnlyWhereCalculateLeftIt) {
    type(0, u"0.0004");
    type(1, u"5");
    grid.calculate();
    ASSERT_EQ(grid.cell(0).text, u"0.000");
    EXPECT_FALSE(grid.isOutOfDate(2));
    type(0, u"0.000");
    EXPECT_TRUE(grid.isOutOfDate(2));
}

using Ender = void (*)(GridController&);

class OutOfDateEnds : public Controller, public ::testing::WithParamInterface<Ender> {};

TEST_P(OutOfDateEnds, WithTheResultsTheyWereAbout) {
    type(0, u"6");
    type(1, u"5");
    grid.calculate();
    type(1, u"2");
    ASSERT_TRUE(grid.isOutOfDate(3));
    try {
        GetParam()(grid);
    } catch (const CalcError&) {
    }
    for (int box = 0; box < kBoxCount; ++box) {
        EXPECT_FALSE(grid.isOutOfDate(box)) << box;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, OutOfDateEnds,
    ::testing::Values([](GridController& g) { g.calculate(); }, // legs of 2: no triangle
                      [](GridController& g) {
                          g.editCell(1, u"4");
                          g.calculate();
                      },
                      [](GridController& g) { g.clearAll(); },
                      [](GridController& g) { g.selectOption(3); },
                      [](GridController& g) { g.selectVariant(0); }));

} // namespace
} // namespace isosceles

namespace isosceles {
namespace {

struct RepeatCase {
    Variant variant;
    std::u16string_view first, second;
};

class SecondCalculate : public ::testing::TestWithParam<RepeatCase> {};

// Calculate rewrites the given boxes with three decimals, which may hide what was typed; a
// second Calculate without an edit reads what the first one read, not the rounded texts.
TEST_P(SecondCalculate, RepeatsTheFirstUntilAGivenBoxIsEdited) {
    const RepeatCase& k = GetParam();
    GridController grid(NumberFormat::c());
    grid.onLoad();
    grid.selectOption(k.variant);
    const auto& pair = given(k.variant);
    const int first = boxIndex(k.variant, pair[0]);
    const int second = boxIndex(k.variant, pair[1]);
    ASSERT_TRUE(grid.editCell(first, std::u16string(k.first)));
    ASSERT_TRUE(grid.editCell(second, std::u16string(k.second)));
    const auto results = [&grid, &k] {
        std::array<std::u16string, 2> texts;
        for (std::size_t n = 0; n < 2; ++n) {
            texts[n] = grid.cell(boxIndex(k.variant, computed(k.variant)[n])).text;
        }
        return texts;
    };
    grid.calculate();
    const auto once = results();
    const Working working = grid.calculation(k.variant)->working;
    grid.calculate();
    EXPECT_EQ(results(), once);
    EXPECT_EQ(grid.calculation(k.variant)->working.given, working.given);
    EXPECT_EQ(grid.calculation(k.variant)->typed,
              (std::array{std::u16string(k.first), std::u16string(k.second)}));
    // An edit is read afresh, even back to the text Calculate wrote.
    const std::u16string written = grid.cell(first).text;
    ASSERT_TRUE(grid.editCell(first, u"7"));
    ASSERT_TRUE(grid.editCell(first, written));
    const Calculation again = [&grid, &k] {
        try {
            grid.calculate();
            return *grid.calculation(k.variant);
        } catch (const CalculationError& error) {
            return error.calculation(); // 0.0004 written as 0.000 reads as a zero base
        }
    }();
    EXPECT_EQ(again.typed[0], written);
    EXPECT_EQ(again.working.given[0], ParseNumber(written, NumberFormat::c()));
    EXPECT_EQ(again.working.given[1], working.given[1]);
}

INSTANTIATE_TEST_SUITE_P(HiddenDigits, SecondCalculate,
                         ::testing::Values(RepeatCase{1, u"0.0004", u"1"},
                                           RepeatCase{0, u"-1234567.8915", u"1000000"},
                                           RepeatCase{0, u"2.0005", u"3.0015"}));

TEST(CalculationErrors, CarryHowFarTheCalculateWent) {
    GridController grid(NumberFormat::c());
    grid.onLoad();
    ASSERT_TRUE(grid.editCell(boxIndex(0, Quantity::c), u"12"));
    ASSERT_TRUE(grid.editCell(boxIndex(0, Quantity::a), u"5"));
    try {
        grid.calculate();
        FAIL() << "c = 12, a = 5 has no triangle";
    } catch (const CalculationError& error) {
        EXPECT_EQ(error.kind(), CalcErrorKind::InvalidArgument);
        EXPECT_EQ(error.calculation().working.steps.back().term, Term::h);
        EXPECT_EQ(error.unreadable(), std::nullopt);
    }
    EXPECT_EQ(grid.calculation(0), nullptr);
    ASSERT_TRUE(grid.editCell(boxIndex(0, Quantity::a), u"1e400"));
    try {
        grid.calculate();
        FAIL() << "1e400 is beyond the double range";
    } catch (const CalculationError& error) {
        EXPECT_EQ(error.kind(), CalcErrorKind::Overflow);
        EXPECT_TRUE(error.calculation().working.steps.empty());
        EXPECT_EQ(error.unreadable(), Quantity::a);
    }
}

} // namespace
} // namespace isosceles
