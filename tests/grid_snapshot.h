#pragma once

#include "grid_controller.h"

#include <array>

namespace isosceles {

using GridSnapshot = std::array<GridCell, kBoxCount>;

// Every cell of the grid, to compare before and after an operation.
inline GridSnapshot snapshot(const GridController& grid) {
    GridSnapshot cells;
    for (int box = 0; box < kBoxCount; ++box) {
        cells[static_cast<std::size_t>(box)] = grid.cell(box);
    }
    return cells;
}

} // namespace isosceles
