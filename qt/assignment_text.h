#pragma once

#include <QPlainTextEdit>

namespace isosceles {

// The read-only assignment text, which the focus reaches first: it shows the focus as a ring
// in the desktop's text colour along its visible area, since a read-only text has no caret
// worth the name.
class AssignmentText : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit AssignmentText(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace isosceles
