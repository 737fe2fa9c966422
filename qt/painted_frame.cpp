#include "painted_frame.h"

#include "window_layout.h"

#include <QFontMetrics>
#include <QPainter>

namespace isosceles {

PaintedFrame::PaintedFrame(const QString& title, Colours colours, QWidget* parent)
    : QGroupBox(title, parent), colours_(colours) {}

void PaintedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colours_.fill);
    const QFontMetrics metrics(font());
    const int lineTop = metrics.height() / 2;
    painter.setPen(colours_.outline);
    painter.drawRect(rect().adjusted(0, lineTop, -1, -1));
    const QRect caption(kFrameCaption.indent, 0,
                        metrics.horizontalAdvance(title()) + 2 * kFrameCaption.padding,
                        metrics.height());
    painter.fillRect(caption, colours_.fill);
    painter.setPen(colours_.text);
    painter.drawText(caption, Qt::AlignCenter, title());
}

} // namespace isosceles
