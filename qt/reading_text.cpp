#include "reading_text.h"

#include "focus_ring.h"

#include <QPainter>
#include <QScrollBar>

namespace isosceles {

ReadingText::ReadingText(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    // Scrolling moves the painted pixels, the ring with them: it is drawn anew instead.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            [this] { viewport()->update(); });
}

void ReadingText::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(viewport());
        drawFocusRing(painter, viewport()->rect(), palette().color(QPalette::Text), kBoxFocusRing);
    }
}

void ReadingText::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
}

void ReadingText::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    viewport()->update();
}

} // namespace isosceles
