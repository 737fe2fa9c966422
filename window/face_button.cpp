#include "face_button.h"

#include <QKeyEvent>
#include <QPainter>

namespace isosceles {

FaceButton::FaceButton(const QString& text, Face face, QWidget* parent)
    : QPushButton(text, parent), face_(std::move(face)) {}

void FaceButton::paintEvent(QPaintEvent*) {
    const Edge& edge = isDown() ? face_.pressed : hasFocus() ? face_.focused : face_.normal;
    QPainter painter(this);
    painter.fillRect(rect(), edge.colour);
    const QRect inside = rect().adjusted(edge.width, edge.width, -edge.width, -edge.width);
    painter.fillRect(inside, face_.fill);
    painter.setPen(face_.text);
    painter.drawText(inside, Qt::AlignCenter | Qt::TextShowMnemonic, text());
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
