#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace isosceles {

// A box as a screen reader reads it, installed for every box: its text answered by the rules
// the view gives for a box's text rather than by the toolkit's line edit, whose answers to a
// word at the end of the text never come back with the Qt of Debian 12, and cut a value's last
// character when read by line.
QAccessibleInterface* boxAccessible(const QString& className, QObject* object);

} // namespace isosceles
