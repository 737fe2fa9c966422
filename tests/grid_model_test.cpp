// Random sequences of the window's operations, checked after every step against a small model
// of the grid and against the invariants that must hold whatever the user does.
#include "calc_error.h"
#include "grid_controller.h"
#include "grid_snapshot.h"
#include "number_text.h"
#include "solver.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace isosceles {
namespace {

struct Step {
    enum class Kind { Option, Variant, Edit, Restore, Calculate, Clear } kind;
    int index = 0;
    std::u16string text;

    std::string describe() const {
        switch (kind) {
        case Kind::Option:
            return "selectOption(" + std::to_string(index) + ")";
        case Kind::Variant:
            return "selectVariant(" + std::to_string(index) + ")";
        case Kind::Edit: {
            std::ostringstream out;
            out << "edit(" << index << ", \"";
            for (const char16_t ch : text.substr(0, 40)) {
                if (ch >= 0x20 && ch < 0x7f) {
                    out << static_cast<char>(ch);
                } else {
                    out << "\\u" << std::hex << static_cast<int>(ch) << std::dec;
                }
            }
            out << (text.size() > 40 ? "…" : "") << "\")";
            return out.str();
        }
        case Kind::Restore:
            return "restore(" + std::to_string(index) + ")";
        case Kind::Calculate:
            return "calculate()";
        case Kind::Clear:
            break;
        }
        return "clearAll()";
    }
};

// What the grid must hold, kept apart from the controller's own code.
struct Model {
    std::array<std::u16string, kBoxCount> text{};
    std::array<bool, kBoxCount> locked{};
    Variant current = 0;
    std::optional<Variant> selected;
    // The row the last successful Calculate wrote, as it wrote it, and the given values it
    // used, in the variant's reading order.
    std::optional<std::pair<Variant, std::array<std::u16string, 4>>> calculated;
    std::array<double, 2> used{};
    // Whether a given box still holds what Calculate wrote there, never edited since: it
    // reads as the value used, whatever its text reads as.
    std::array<bool, 2> kept{};

    // A computed box of that row, while a given box of it reads as another number than the
    // one used, or as none.
    bool outOfDate(int k, const NumberFormat& format) const {
        if (!calculated || rowOfBox(k) != calculated->first || !isComputedBox(k)) {
            return false;
        }
        const auto& pair = VariantTable[static_cast<std::size_t>(calculated->first)].given;
        for (std::size_t n = 0; n < 2; ++n) {
            const auto at = static_cast<std::size_t>(4 * calculated->first + column(pair[n]));
            try {
                // The same double, bit for bit: -0 is not 0.
                const double reads = ParseNumber(text[at], format);
                if (!kept[n] && std::memcmp(&reads, &used[n], sizeof reads) != 0) {
                    return true;
                }
            } catch (const CalcError&) {
                if (!kept[n]) {
                    return true;
                }
            }
        }
        return false;
    }

    void variant(Variant i) {
        current = i;
        calculated.reset();
        text.fill(u"");
        locked.fill(true);
        for (int k = 4 * i; k < 4 * i + 4; ++k) {
            locked[static_cast<std::size_t>(k)] = false;
        }
    }
    void load() {
        option(0);
        for (int k = 4; k < kBoxCount; ++k) {
            locked[static_cast<std::size_t>(k)] = true;
        }
    }
    void option(Variant i) {
        if (selected != i) {
            variant(i);
            selected = i;
        }
    }
    bool edit(int k, const std::u16string& t) {
        const auto at = static_cast<std::size_t>(k);
        if (isComputedBox(k) || locked[at]) {
            return false;
        }
        text[at] = t;
        if (calculated && rowOfBox(k) == calculated->first) {
            const auto& pair = VariantTable[static_cast<std::size_t>(calculated->first)].given;
            for (std::size_t n = 0; n < 2; ++n) {
                kept[n] = kept[n] && k % 4 != column(pair[n]);
            }
        }
        return true;
    }
    // The values Calculate reads from the current row: a box left as the last Calculate of
    // this row wrote it gives the value that Calculate used. Nothing where one reads as none.
    std::optional<std::array<double, 2>> givenValues(const NumberFormat& format) const {
        const auto& pair = VariantTable[static_cast<std::size_t>(current)].given;
        std::array<double, 2> values{};
        try {
            for (std::size_t n = 0; n < 2; ++n) {
                values[n] =
                    calculated && calculated->first == current && kept[n]
                        ? used[n]
                        : ParseNumber(text[static_cast<std::size_t>(4 * current + column(pair[n]))],
                                      format);
            }
        } catch (const CalcError&) {
            return std::nullopt;
        }
        return values;
    }
    // Nothing when the calculation fails.
    std::optional<std::array<std::u16string, 4>> expectedRow(const NumberFormat& format) const {
        try {
            const auto values = givenValues(format);
            if (!values) {
                return std::nullopt;
            }
            const TriangleValues r = solveVariant(current, (*values)[0], (*values)[1]);
            return std::array<std::u16string, 4>{
                FormatNumber3(r.c, format), FormatNumber3(r.a, format), FormatNumber3(r.P, format),
                FormatNumber3(r.S, format)};
        } catch (const CalcError&) {
            return std::nullopt;
        }
    }
};

std::u16string randomText(std::mt19937& rng, const NumberFormat& format) {
    static const std::u16string pool[] = {
        u"6", u"5", u"12", u"16", u"0", u"-3", u"2.5", u"1e400", u"1e200", u"-1e-400", u"&HFFFF",
        u"&H100000000", u"abc", u"", u" 1 2 ", u"3,75", u"12\u00A0345,000", u"2,500",
        u"\u221212,000", u"1\u2019234.500", u"\xD800", u"\u200F-4",
        // The same numbers as others here, spelt otherwise.
        u"6.0", u"05cm", u"-0", u"0.0004"};
    switch (rng() % 4) {
    case 0:
    case 1:
        return pool[rng() % std::size(pool)];
    case 2:
        return FormatNumber3(std::uniform_real_distribution<double>(-100, 100)(rng), format);
    default: {
        std::u16string text;
        const std::size_t length = rng() % 12;
        for (std::size_t i = 0; i < length; ++i) {
            static const char16_t alphabet[] = u"0123456789.,-+eEdD& \u00A0\u2212Hh";
            text.push_back(alphabet[rng() % (std::size(alphabet) - 1)]);
        }
        return text;
    }
    }
}

std::vector<Step> randomSteps(unsigned seed, int count, const NumberFormat& format) {
    std::mt19937 rng(seed);
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i) {
        const unsigned roll = rng() % 100;
        if (roll < 12) {
            steps.push_back({Step::Kind::Option, static_cast<int>(rng() % 5), {}});
        } else if (roll < 16) {
            steps.push_back({Step::Kind::Variant, static_cast<int>(rng() % 5), {}});
        } else if (roll < 56) {
            steps.push_back(
                {Step::Kind::Edit, static_cast<int>(rng() % kBoxCount), randomText(rng, format)});
        } else if (roll < 62) {
            steps.push_back({Step::Kind::Restore, static_cast<int>(rng() % kBoxCount), {}});
        } else if (roll < 90) {
            steps.push_back({Step::Kind::Calculate, 0, {}});
        } else {
            steps.push_back({Step::Kind::Clear, 0, {}});
        }
    }
    return steps;
}

std::optional<std::string> compare(const GridController& grid, const Model& model) {
    for (int k = 0; k < kBoxCount; ++k) {
        const GridCell& cell = grid.cell(k);
        const auto at = static_cast<std::size_t>(k);
        if (cell.text != model.text[at]) {
            return "box " + std::to_string(k) + " text differs from the model";
        }
        if (cell.locked != model.locked[at]) {
            return "box " + std::to_string(k) + " lock differs from the model";
        }
        if (cell.enabled == isComputedBox(k)) {
            return "box " + std::to_string(k) + " enabled flag changed";
        }
        if (!cell.locked && rowOfBox(k) != grid.currentVariant()) {
            return "box " + std::to_string(k) + " is unlocked outside the current row";
        }
        const bool outOfDate = model.outOfDate(k, grid.numberFormat());
        if (grid.isOutOfDate(k) != outOfDate) {
            return "box " + std::to_string(k) + (outOfDate ? " is not" : " is") +
                   " marked out of date";
        }
    }
    if (grid.currentVariant() != model.current || grid.selectedOption() != model.selected) {
        return "variant or selected option differs from the model";
    }
    return std::nullopt;
}

// Replays the steps on a fresh controller; the first broken rule, or nothing.
std::optional<std::string> replay(const std::vector<Step>& steps, const NumberFormat& format) {
    GridController grid(format);
    Model model;
    grid.onLoad();
    model.load();
    if (auto broken = compare(grid, model)) {
        return "after onLoad: " + *broken;
    }
    for (std::size_t n = 0; n < steps.size(); ++n) {
        const Step& step = steps[n];
        const GridSnapshot before = snapshot(grid);
        const Variant variantBefore = grid.currentVariant();
        const std::string where = "step " + std::to_string(n) + " " + step.describe() + ": ";
        switch (step.kind) {
        case Step::Kind::Option:
            grid.selectOption(static_cast<Variant>(step.index));
            model.option(static_cast<Variant>(step.index));
            break;
        case Step::Kind::Variant:
            grid.selectVariant(static_cast<Variant>(step.index));
            model.variant(static_cast<Variant>(step.index));
            break;
        case Step::Kind::Edit:
            if (grid.editCell(step.index, step.text) != model.edit(step.index, step.text)) {
                return where + "accepted where the model refused, or the other way";
            }
            break;
        case Step::Kind::Restore: {
            // Puts back the text that the last Calculate left in a box, where there is one.
            if (!model.calculated || rowOfBox(step.index) != model.calculated->first) {
                break;
            }
            const std::u16string written =
                model.calculated->second[static_cast<std::size_t>(step.index % 4)];
            if (grid.editCell(step.index, written) != model.edit(step.index, written)) {
                return where + "accepted where the model refused, or the other way";
            }
            break;
        }
        case Step::Kind::Calculate: {
            const auto expected = model.expectedRow(format);
            const auto values = model.givenValues(format);
            bool failed = false;
            try {
                grid.calculate();
            } catch (const CalcError&) {
                failed = true;
            }
            if (failed != !expected) {
                return where + (failed ? "failed where the model succeeded"
                                       : "succeeded where the model failed");
            }
            if (failed) {
                model.calculated.reset();
                for (const Quantity q : computed(variantBefore)) {
                    model.text[static_cast<std::size_t>(boxIndex(variantBefore, q))].clear();
                }
                break;
            }
            for (int k = 0; k < kBoxCount; ++k) {
                const auto at = static_cast<std::size_t>(k);
                const bool inRow = rowOfBox(k) == variantBefore;
                if (!inRow && !(grid.cell(k) == before[at])) {
                    return where + "calculate wrote box " + std::to_string(k) + " outside its row";
                }
                if (inRow) {
                    model.text[at] = (*expected)[static_cast<std::size_t>(k % 4)];
                }
            }
            model.calculated.emplace(variantBefore, *expected);
            model.used = *values;
            model.kept = {true, true};
            break;
        }
        case Step::Kind::Clear:
            grid.clearAll();
            model.text.fill(u"");
            model.calculated.reset();
            for (int k = 0; k < kBoxCount; ++k) {
                if (grid.cell(k).locked != before[static_cast<std::size_t>(k)].locked) {
                    return where + "clearAll changed a lock";
                }
            }
            break;
        }
        if (step.kind != Step::Kind::Option && step.kind != Step::Kind::Variant &&
            grid.currentVariant() != variantBefore) {
            return where + "the variant changed";
        }
        if (auto broken = compare(grid, model)) {
            return where + *broken;
        }
    }
    return std::nullopt;
}

// Drops steps one at a time while the sequence still breaks a rule.
std::vector<Step> shrink(std::vector<Step> steps, const NumberFormat& format) {
    for (bool progress = true; progress;) {
        progress = false;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            std::vector<Step> shorter = steps;
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(i));
            if (replay(shorter, format)) {
                steps = std::move(shorter);
                progress = true;
                break;
            }
        }
    }
    return steps;
}

class GridModel : public ::testing::TestWithParam<const char*> {};

TEST_P(GridModel, RandomSequencesKeepEveryRule) {
    const NumberFormat format = NumberFormat::forLocale(GetParam());
    constexpr int kSeeds = 14;
    constexpr int kSteps = 300;
    for (unsigned seed = 1; seed <= kSeeds; ++seed) {
        const std::vector<Step> steps = randomSteps(seed, kSteps, format);
        if (const auto broken = replay(steps, format)) {
            std::string sequence;
            for (const Step& step : shrink(steps, format)) {
                sequence += "\n  " + step.describe();
            }
            FAIL() << GetParam() << ", seed " << seed << ": " << *broken
                   << "\nshortest sequence found:" << sequence;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, GridModel, ::testing::Values("C", "bg_BG.UTF-8", "de_CH.UTF-8"));

TEST(GridModelCheck, NoticesAGridThatDiffersFromTheModel) {
    const NumberFormat format = NumberFormat::c();
    GridController grid(format);
    Model model;
    grid.onLoad();
    model.load();
    model.text[0] = std::u16string(1, u'6');
    EXPECT_TRUE(compare(grid, model).has_value());
    model.text[0].clear();
    EXPECT_FALSE(compare(grid, model).has_value());
    model.locked[0] = true;
    EXPECT_TRUE(compare(grid, model).has_value());
    model.locked[0] = false;
    model.calculated.emplace(0, std::array<std::u16string, 4>{u"6", u"5", u"16", u"12"});
    model.used = {6, 5};
    EXPECT_TRUE(compare(grid, model).has_value());
}

} // namespace
} // namespace isosceles
