#pragma once

#include "window_layout.h"

#include <QColor>

namespace isosceles {

inline QColor toColor(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

} // namespace isosceles
