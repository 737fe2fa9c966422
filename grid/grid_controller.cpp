#include "grid_controller.h"

#include "number_text.h"
#include "solver.h"

#include <stdexcept>

namespace isosceles {

GridController::GridController(NumberFormat format) : format_(std::move(format)) {
    for (int box = 0; box < kBoxCount; ++box) {
        cells_[static_cast<std::size_t>(box)].enabled = !isComputedBox(box);
    }
}

void GridController::onLoad() {
    selectOption(0);
    // The same start state even where the option was already selected.
    for (int box = boxIndex(1, 0); box < kBoxCount; ++box) {
        cells_[static_cast<std::size_t>(box)].locked = true;
    }
}

void GridController::selectOption(Variant i) {
    if (selectedOption_ == i) {
        return;
    }
    selectVariant(i);
    selectedOption_ = i;
}

void GridController::selectVariant(Variant i) {
    if (!isValidVariant(i)) {
        throw std::out_of_range("variant outside 0..4");
    }
    currentVariant_ = i;
    calculated_.reset();
    for (GridCell& cell : cells_) {
        cell.text.clear();
        cell.locked = true;
    }
    for (int column = 0; column < kQuantityCount; ++column) {
        cells_[static_cast<std::size_t>(boxIndex(i, column))].locked = false;
    }
}

void GridController::calculate() {
    const Variant v = currentVariant_;
    std::array<std::u16string, kQuantityCount> row;
    try {
        const auto& pair = given(v);
        const double first = ParseNumber(cell(boxIndex(v, pair[0])).text, format_);
        const double second = ParseNumber(cell(boxIndex(v, pair[1])).text, format_);
        const TriangleValues values = solveVariant(v, first, second);
        for (int column = 0; column < kQuantityCount; ++column) {
            row[static_cast<std::size_t>(column)] =
                FormatNumber3(values[static_cast<Quantity>(column)], format_);
        }
    } catch (...) {
        calculated_.reset();
        // Results left beside inputs they were not computed from would read as the answer.
        // What the user typed stays, so it can be corrected.
        for (const Quantity q : computed(v)) {
            cells_[static_cast<std::size_t>(boxIndex(v, q))].text.clear();
        }
        throw;
    }
    // Everything that can fail has happened before the first result is written.
    for (int column = 0; column < kQuantityCount; ++column) {
        cells_[static_cast<std::size_t>(boxIndex(v, column))].text =
            std::move(row[static_cast<std::size_t>(column)]);
    }
    const auto& pair = given(v);
    calculated_ = Calculated{v, {cell(boxIndex(v, pair[0])).text, cell(boxIndex(v, pair[1])).text}};
}

bool GridController::isOutOfDate(int box) const {
    checkBox(box);
    if (!calculated_ || rowOfBox(box) != calculated_->row || !isComputedBox(box)) {
        return false;
    }
    const auto& pair = given(calculated_->row);
    for (std::size_t n = 0; n < pair.size(); ++n) {
        if (cell(boxIndex(calculated_->row, pair[n])).text != calculated_->given[n]) {
            return true;
        }
    }
    return false;
}

void GridController::clearAll() {
    calculated_.reset();
    for (GridCell& cell : cells_) {
        cell.text.clear();
    }
}

void GridController::checkBox(int box) {
    if (box < 0 || box >= kBoxCount) {
        throw std::out_of_range("box outside 0..19");
    }
}

const GridCell& GridController::cell(int box) const {
    checkBox(box);
    return cells_[static_cast<std::size_t>(box)];
}

bool GridController::editCell(int box, std::u16string text) {
    checkBox(box);
    GridCell& target = cells_[static_cast<std::size_t>(box)];
    if (!target.enabled || target.locked) {
        return false;
    }
    target.text = std::move(text);
    return true;
}

} // namespace isosceles
