#pragma once

#include <QPushButton>

namespace isosceles {

// A push button that Enter presses as well as Space when it has the focus, as on the
// desktop, without being the window's default button.
class FaceButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace isosceles
