#include "raise_on_focus.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace isosceles {

namespace {

class FocusRaiser : public QObject {
public:
    explicit FocusRaiser(QWidget* widget) : QObject(widget), widget_(widget) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget_ && event->type() == QEvent::FocusIn) {
            raise();
        } else if (watched == widget_ && event->type() == QEvent::FocusOut && above_ != nullptr) {
            widget_->stackUnder(above_);
            above_ = nullptr;
        }
        return false;
    }

private:
    void raise() {
        QWidget* parent = widget_->parentWidget();
        if (above_ != nullptr || parent == nullptr) {
            return;
        }
        // The sibling that stood above, so that the neighbours overlap it as before.
        const QObjectList& siblings = parent->children();
        for (auto at = siblings.indexOf(widget_) + 1; at < siblings.size(); ++at) {
            if (auto* sibling = qobject_cast<QWidget*>(siblings.at(at))) {
                above_ = sibling;
                break;
            }
        }
        widget_->raise();
    }

    QWidget* widget_;
    QPointer<QWidget> above_;
};

} // namespace

void raiseWhileFocused(QWidget* widget) {
    widget->installEventFilter(new FocusRaiser(widget));
}

} // namespace isosceles
