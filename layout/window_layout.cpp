#include "window_layout.h"

#include "variant_table.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace isosceles {

std::string_view familyName(Family family) {
    switch (family) {
    case Family::Label1:
        return "Label1";
    case Family::Frame1:
        return "Frame1";
    case Family::Option1:
        return "Option1";
    case Family::Text2:
        return "Text2";
    case Family::Command1:
        return "Command1";
    case Family::Text1:
        break;
    }
    return "Text1";
}

Rect twipsRect(const ControlRow& row, int index) {
    const int n = index - row.firstIndex;
    return {row.left + row.stepX * (n % row.columns), row.top + row.stepY * (n / row.columns),
            row.width, row.height};
}

Edges overlapOf(const ControlRow& row, int index) {
    const int n = index - row.firstIndex;
    const int column = n % row.columns;
    const int line = n / row.columns;
    const int across = std::max(0, row.width - row.stepX);
    const int down = std::max(0, row.height - row.stepY);
    return {column > 0 ? across : 0, line > 0 ? down : 0, column + 1 < row.columns ? across : 0,
            n + row.columns < row.count ? down : 0};
}

const ControlRow& rowOf(Family family, int index) {
    for (const ControlRow& row : ControlTable) {
        if (row.family == family && index >= row.firstIndex && index < row.firstIndex + row.count) {
            return row;
        }
    }
    throw std::out_of_range("no such control");
}

std::string controlText(const ControlRow& row, int index) {
    switch (row.source) {
    case TextSource::Fixed:
        return std::string(row.text);
    case TextSource::Heading:
        return std::string(heading(static_cast<Quantity>(index - 1)));
    case TextSource::Caption:
        return caption(static_cast<Variant>(index));
    case TextSource::Assignment:
        return assignmentText();
    case TextSource::Empty:
        break;
    }
    return {};
}

std::string accessibleName(const ControlRow& row, int index) {
    if (!row.accessibleName.empty()) {
        return std::string(row.accessibleName);
    }
    if (row.family == Family::Text2) {
        return std::string(heading(quantityOfBox(index))) + ", " + caption(rowOfBox(index));
    }
    return controlText(row, index);
}

std::string assignmentText() {
    std::string text;
    for (const std::string_view line : kAssignmentLines) {
        text.append(line);
        text.append("\r\n");
    }
    return text;
}

std::string_view errorText(CalcErrorKind kind) {
    switch (kind) {
    case CalcErrorKind::InvalidArgument:
        return "Невалиден аргумент: няма такъв триъгълник (корен от отрицателно число).";
    case CalcErrorKind::DivisionByZero:
        return "Деление на нула.";
    case CalcErrorKind::Overflow:
        break;
    }
    return "Препълване: числото излиза извън допустимия обхват.";
}

} // namespace isosceles
