#include "grid_controller.h"

#include "number_text.h"
#include "working.h"

#include <cmath>
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

CalculationError::CalculationError(CalcErrorKind kind, Calculation calculation,
                                   std::optional<Quantity> unreadable)
    : CalcError(kind), calculation_(std::move(calculation)), unreadable_(unreadable) {}

void GridController::calculate() {
    const Variant v = currentVariant_;
    const auto& pair = given(v);
    Calculation done;
    done.working.variant = v;
    std::array<std::u16string, kQuantityCount> row;
    try {
        for (std::size_t n = 0; n < pair.size(); ++n) {
            const std::u16string& text = cell(boxIndex(v, pair[n])).text;
            if (calculated_ && calculated_->row == v && calculated_->kept[n] &&
                text == calculated_->given[n]) {
                done.typed[n] = calculated_->calculation.typed[n];
                done.readWhole[n] = calculated_->calculation.readWhole[n];
                done.working.given[n] = calculated_->calculation.working.given[n];
                continue;
            }
            done.typed[n] = text;
            done.readWhole[n] = readsWhole(text, format_);
            try {
                done.working.given[n] = ParseNumber(text, format_);
            } catch (const CalcError& error) {
                throw CalculationError(error.kind(), done, pair[n]);
            }
        }
        done.working = solveShowingWork(v, done.working.given[0], done.working.given[1]);
        if (done.working.failure) {
            throw CalculationError(*done.working.failure, done);
        }
        for (int column = 0; column < kQuantityCount; ++column) {
            row[static_cast<std::size_t>(column)] =
                FormatNumber3(done.working.values[static_cast<Quantity>(column)], format_);
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
    calculated_ = Calculated{
        v, {cell(boxIndex(v, pair[0])).text, cell(boxIndex(v, pair[1])).text}, std::move(done)};
}

const Calculation* GridController::calculation(Variant row) const {
    return calculated_ && calculated_->row == row ? &calculated_->calculation : nullptr;
}

bool GridController::isKept(int box) const {
    checkBox(box);
    if (!calculated_ || rowOfBox(box) != calculated_->row) {
        return false;
    }
    const auto& pair = given(calculated_->row);
    for (std::size_t n = 0; n < pair.size(); ++n) {
        if (boxIndex(calculated_->row, pair[n]) == box) {
            return calculated_->kept[n] && cell(box).text == calculated_->given[n];
        }
    }
    return false;
}

bool GridController::isOutOfDate(int box) const {
    checkBox(box);
    if (!calculated_ || rowOfBox(box) != calculated_->row || !isComputedBox(box)) {
        return false;
    }
    const auto& pair = given(calculated_->row);
    for (std::size_t n = 0; n < pair.size(); ++n) {
        const int givenBox = boxIndex(calculated_->row, pair[n]);
        if (isKept(givenBox)) {
            continue;
        }
        // What the next Calculate would read there, against what the last one used; a sign
        // counts, as -0 and 0 may be written differently.
        const double used = calculated_->calculation.working.given[n];
        try {
            const double reads = ParseNumber(cell(givenBox).text, format_);
            if (reads != used || std::signbit(reads) != std::signbit(used)) {
                return true;
            }
        } catch (const CalcError&) {
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
    if (calculated_ && rowOfBox(box) == calculated_->row) {
        const auto& pair = given(calculated_->row);
        for (std::size_t n = 0; n < pair.size(); ++n) {
            if (boxIndex(calculated_->row, pair[n]) == box) {
                calculated_->kept[n] = false;
            }
        }
    }
    return true;
}

} // namespace isosceles
