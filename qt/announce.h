#pragma once

#include <QString>

class QWidget;

namespace isosceles {

// Tells a screen reader `text` once, as said by `from`, which should hold the focus: an
// announcement where Qt has one (6.8 on), else the control's description, which a screen
// reader reads out when the control with the focus changes it.
void announce(QWidget& from, const QString& text);

} // namespace isosceles
