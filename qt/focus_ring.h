#pragma once

#include "window_layout.h"

#include <QColor>
#include <QRect>

class QPainter;

namespace isosceles {

// Draws the focus mark of a control whose rectangle is `area`.
void drawFocusRing(QPainter& painter, const QRect& area, const QColor& colour, FocusRing ring,
                   Qt::PenStyle style = Qt::SolidLine);

} // namespace isosceles
