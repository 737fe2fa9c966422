#pragma once

#include "window_layout.h"

#include <QPushButton>

namespace isosceles {

// A push button whose face is painted solid in its own colour inside a plain border (the
// desktop style would draw a gradient), with fixed text colour, and that Enter presses as
// well as Space when it has the focus, without being the window's default button.
class FaceButton : public QPushButton {
    Q_OBJECT

public:
    FaceButton(const QString& text, Rgb fill, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Rgb fill_;
};

} // namespace isosceles
