#include "announce.h"

#include <QAccessible>
#include <QWidget>
#include <QtGlobal>

namespace isosceles {

void announce(QWidget& from, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&from, text);
    QAccessible::updateAccessibility(&event);
#else
    // The same text twice is no change, and would not be read again.
    from.setAccessibleDescription(QString());
    from.setAccessibleDescription(text);
#endif
}

} // namespace isosceles
