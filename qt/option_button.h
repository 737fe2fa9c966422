#pragma once

#include <QRadioButton>

namespace isosceles {

// An option button that answers on its whole rectangle, as its painted area shows it, moves
// the selection through its group with all four arrow keys, wrapping at the ends, and shows
// its focus as a ring in its text colour (the style's mark, in the desktop's highlight
// colour, all but vanishes on the option's own colour).
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    OptionButton(const QString& text, QWidget* parent);

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace isosceles
