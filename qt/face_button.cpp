#include "face_button.h"

#include "colour.h"
#include "focus_ring.h"

#include <QKeyEvent>
#include <QPainter>

namespace isosceles {

FaceButton::FaceButton(const QString& text, Rgb fill, QWidget* parent)
    : QPushButton(text, parent), fill_(fill) {}

void FaceButton::paintEvent(QPaintEvent*) {
    const Border& edge = isDown()     ? kButtonFace.pressed
                         : hasFocus() ? kButtonFace.focused
                                      : kButtonFace.normal;
    QPainter painter(this);
    painter.fillRect(rect(), toColor(edge.colour));
    const QRect inside = rect().adjusted(edge.width, edge.width, -edge.width, -edge.width);
    painter.fillRect(inside, toColor(fill_));
    painter.setPen(toColor(kTextOnFixedColour));
    painter.drawText(inside, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    if (hasFocus()) {
        drawFocusRing(painter, rect(), toColor(kTextOnFixedColour), kButtonFocusRing);
    }
}

void FaceButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace isosceles
