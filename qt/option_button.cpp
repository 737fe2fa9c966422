#include "option_button.h"

#include "colour.h"
#include "focus_ring.h"
#include "raise_on_focus.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace isosceles {

OptionButton::OptionButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
    raiseWhileFocused(this);
}

bool OptionButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void OptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    // Mark and caption stand clear of the focus ring, which runs round the whole option.
    const int clear = kOptionFocusRing.inset + kOptionFocusRing.width;
    QStyleOptionButton label = option;
    label.rect =
        style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this).translated(clear, 0);
    painter.drawControl(QStyle::CE_RadioButtonLabel, label);
    // The mark where the style puts it, in the options' own colours.
    const QRectF mark =
        QRectF(style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this))
            .translated(clear, 0)
            .adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toColor(kOptionMark.ink), 1));
    painter.setBrush(toColor(kOptionMark.fill));
    painter.drawEllipse(mark);
    if (isChecked()) {
        const qreal dot = mark.width() * kOptionMark.dot;
        painter.setPen(Qt::NoPen);
        painter.setBrush(toColor(kOptionMark.ink));
        painter.drawEllipse(mark.center(), dot / 2, dot / 2);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (hasFocus()) {
        drawFocusRing(painter, rect(), palette().color(QPalette::WindowText), kOptionFocusRing);
    }
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    // In the order they stand: the focused one is raised above the others, which changes
    // their order as children.
    QList<OptionButton*> group =
        parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly);
    std::sort(group.begin(), group.end(),
              [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    const auto count = group.size();
    const auto next = group.at((group.indexOf(this) + step + count) % count);
    next->setFocus(Qt::TabFocusReason);
    next->click();
}

} // namespace isosceles
