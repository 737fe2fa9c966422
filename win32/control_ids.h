#pragma once

#include "window_layout.h"

#include <optional>

namespace isosceles {

// A control of the table, as its family's handler is given it.
struct ControlRef {
    Family family;
    int index;
    friend bool operator==(const ControlRef&, const ControlRef&) = default;
};

// The controls' ids follow the control table: the n-th control it describes has the n-th id
// after the dialog manager's own (IDOK, IDCANCEL, …), so that Enter or Escape in a box
// presses none of them.
inline constexpr int kFirstControlId = 100;

constexpr int controlId(Family family, int index) {
    int id = kFirstControlId;
    for (const ControlRow& row : ControlTable) {
        if (row.family == family && index >= row.firstIndex && index < row.firstIndex + row.count) {
            return id + index - row.firstIndex;
        }
        id += row.count;
    }
    return 0;
}

constexpr std::optional<ControlRef> controlAt(int id) {
    int first = kFirstControlId;
    for (const ControlRow& row : ControlTable) {
        if (id >= first && id < first + row.count) {
            return ControlRef{row.family, row.firstIndex + id - first};
        }
        first += row.count;
    }
    return std::nullopt;
}

// Every control's id leads back to it.
constexpr bool idsLeadBack() {
    for (const ControlRow& row : ControlTable) {
        for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
            if (controlAt(controlId(row.family, index)) != ControlRef{row.family, index}) {
                return false;
            }
        }
    }
    return true;
}
static_assert(idsLeadBack());

} // namespace isosceles
