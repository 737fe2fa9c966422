#pragma once

class QWidget;

namespace isosceles {

// Neighbouring controls overlap; while `widget` has the focus it stands above its siblings so
// that its focus mark shows whole, and afterwards it goes back to where it stood.
void raiseWhileFocused(QWidget* widget);

} // namespace isosceles
