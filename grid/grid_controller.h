#pragma once

#include "number_format.h"
#include "variant_table.h"

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

    // Reads the current row's given boxes, solves, and writes the whole row. On failure the
    // row's computed boxes are emptied, its given boxes and every other row stay as they were,
    // and the error is raised.
    void calculate();

    // Whether a box holds a result computed from other given texts than its row holds now:
    // true for the computed boxes of the last calculated row while one of its given boxes
    // holds a text other than the one that Calculate wrote there.
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
    };
    std::optional<Calculated> calculated_;
};

} // namespace isosceles
