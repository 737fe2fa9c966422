#include "option_button.h"

#include <QKeyEvent>

namespace isosceles {

bool OptionButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
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
    const QList<OptionButton*> group =
        parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly);
    const auto count = group.size();
    const auto next = group.at((group.indexOf(this) + step + count) % count);
    next->setFocus(Qt::TabFocusReason);
    next->click();
}

} // namespace isosceles
