#pragma once

#include <QString>
#include <QWidget>

namespace isosceles {

// Tells a screen reader a text once: an unseen notification that shows itself holding the
// text, which screen readers read as it appears (Orca from version 43, over AT-SPI), where
// a changed description would not be read with the Qt of Debian 12.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace isosceles
