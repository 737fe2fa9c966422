#pragma once

#include <QColor>
#include <QPushButton>

namespace isosceles {

// A push button whose face is painted solid in its own colour inside a plain border (the
// desktop style would draw a gradient), with fixed text colour, and that Enter presses as
// well as Space when it has the focus, without being the window's default button.
class FaceButton : public QPushButton {
public:
    struct Edge {
        QColor colour;
        int width;
    };
    struct Face {
        QColor fill, text;
        Edge normal, focused, pressed;
    };

    FaceButton(const QString& text, Face face, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Face face_;
};

} // namespace isosceles
