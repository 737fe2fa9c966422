#pragma once

#include "calc_error.h"
#include "number_format.h"
#include "variant_table.h"
#include "working.h"

#include <array>
#include <optional>
#include <string>

namespace isosceles {

struct GridCell {
    std::u16string text;
    // A locked box keeps its text against typing; the program still writes it.
    bool locked = false;
    // Fixed at creation: false for the computed boxes, which never take typing or focus.
    bool enabled = true;

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// What a Calculate read and did: its row's given texts as the user left them, whether the
// reading took each whole, and the solver's steps, whose given values are the ones used.
struct Calculation {
    std::array<std::u16string, 2> typed;
    std::array<bool, 2> readWhole{true, true};
    Working working;
};

// A Calculate that failed, and how far it went: its steps up to the failed one, or, where a
// given box's text is beyond the range of numbers (`unreadable`), none.
class CalculationError : public CalcError {
public:
    CalculationError(CalcErrorKind kind, Calculation calculation,
                     std::optional<Quantity> unreadable = std::nullopt);

    const Calculation& calculation() const { return calculation_; }
    std::optional<Quantity> unreadable() const { return unreadable_; }

private:
    Calculation calculation_;
    std::optional<Quantity> unreadable_;
};

// The behaviour of the main window without its drawing: the 20 boxes, the current variant,
// and the operations its events trigger. Operations either complete or raise CalcError; a
// failed Calculate leaves no result in its row, and writes none.
class GridController {
public:
    explicit GridController(NumberFormat format);

    // Start-up: option 0 becomes the selected one, then rows 1 to 4 are locked.
    void onLoad();

    // Option i became the selected one; nothing happens when it already was.
    void selectOption(Variant i);

    // Empties and locks the whole grid, then unlocks row i. Throws std::out_of_range for an
    // index outside 0..4.
    void selectVariant(Variant i);

    // Reads the current row's given boxes, solves, and writes the whole row. A given box that
    // still holds the text the last Calculate wrote there is read as the value that Calculate
    // used, so that a second Calculate repeats the first (three decimals may hide a value).
    // On failure the row's computed boxes are emptied, its given boxes and every other row
    // stay as they were, and a CalculationError is raised.
    void calculate();

    // The Calculate whose results a row shows, current or out of date; none elsewhere.
    const Calculation* calculation(Variant row) const;

    // Whether a given box of that row still holds what Calculate wrote there, unedited: the
    // next Calculate reads it as the value the last one used.
    bool isKept(int box) const;

    // Whether a box holds a result computed from other given values than its row holds now:
    // true for the computed boxes of the last calculated row while one of its given boxes
    // reads as another number than the one that Calculate used (5 where it wrote 5.000 is
    // the same), or as none.
    bool isOutOfDate(int box) const;

    // Empties every box; locks and the current variant stay.
    void clearAll();

    const GridCell& cell(int box) const;

    // A user's edit of a box; only an enabled, unlocked box takes it. Returns whether it did.
    bool editCell(int box, std::u16string text);

    Variant currentVariant() const { return currentVariant_; }

    // The option the window shows checked; none before onLoad.
    std::optional<Variant> selectedOption() const { return selectedOption_; }

    const NumberFormat& numberFormat() const { return format_; }

    // The regional format changed (the user changed the Region settings): the next
    // Calculate reads and writes in the new one. No box changes.
    void setNumberFormat(NumberFormat format) { format_ = std::move(format); }

private:
    static void checkBox(int box);

    NumberFormat format_;
    std::array<GridCell, kBoxCount> cells_;
    Variant currentVariant_ = 0;
    std::optional<Variant> selectedOption_;

    // The row the last Calculate wrote, with the texts it left in the given boxes; nothing
    // once its results are emptied or replaced.
    struct Calculated {
        Variant row;
        std::array<std::u16string, 2> given;
        Calculation calculation;
        // Whether a given box still holds what Calculate wrote, not edited since.
        std::array<bool, 2> kept{true, true};
    };
    std::optional<Calculated> calculated_;
};

} // namespace isosceles
