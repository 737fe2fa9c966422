#include "announce.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace isosceles {

namespace {

class NotificationAccessible : public QAccessibleWidget {
public:
    explicit NotificationAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<const Announcer*>(widget())->text()
                                      : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* notificationOf(const QString& className, QObject* object) {
    if (className == QLatin1String(Announcer::staticMetaObject.className())) {
        return new NotificationAccessible(static_cast<Announcer*>(object));
    }
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(notificationOf), true);
    (void)installed;
    // Nothing to see: a screen reader finds it while it shows, the eye never.
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void Announcer::announce(const QString& text) {
    text_ = text;
    hide();
    show();
}

} // namespace isosceles
