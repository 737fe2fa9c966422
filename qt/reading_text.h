#pragma once

#include <QPlainTextEdit>

namespace isosceles {

// A read-only text to be read: the assignment, which the focus reaches first, and a row's
// working. It shows the focus as a ring in the desktop's text colour along its visible area,
// since a read-only text has no caret worth the name, and Tab leaves it.
class ReadingText : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ReadingText(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace isosceles
