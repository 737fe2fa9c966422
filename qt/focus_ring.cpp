#include "focus_ring.h"

#include <QPainter>
#include <QPen>

namespace isosceles {

void drawFocusRing(QPainter& painter, const QRect& area, const QColor& colour, FocusRing ring,
                   Qt::PenStyle style) {
    QPen pen(colour, ring.width, style);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The pen is centred on the path, so the path runs half a pen width inside the ring.
    const qreal inside = ring.inset + ring.width / 2.0;
    painter.drawRect(QRectF(area).adjusted(inside, inside, -inside, -inside));
    painter.restore();
}

} // namespace isosceles
