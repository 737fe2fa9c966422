#pragma once

#include <QColor>
#include <QGroupBox>

namespace isosceles {

// A group box drawn in exactly its own colour, with a plain outline and its caption set into
// the top line, inside its rectangle: the desktop style tints a group box's fill and puts the
// caption against the left edge.
class PaintedFrame : public QGroupBox {
    Q_OBJECT

public:
    struct Colours {
        QColor fill, outline, text;
    };

    PaintedFrame(const QString& title, Colours colours, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Colours colours_;
};

} // namespace isosceles
