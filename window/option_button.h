#pragma once

#include <QRadioButton>

namespace isosceles {

// An option button that answers on its whole rectangle, as its painted area shows it, and
// moves the selection through its group with all four arrow keys, wrapping at the ends.
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace isosceles
