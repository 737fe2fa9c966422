#include "fitting_box.h"

#include "box_accessible.h"
#include "colour.h"
#include "focus_ring.h"
#include "raise_on_focus.h"
#include "window_layout.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QtMath>

#include <utility>

namespace isosceles {

namespace {

// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kHorizontalMargin = 2;

// The box's face measured as Qt draws it.
class QtMeasure : public TextMeasure {
public:
    QtMeasure(const QFont& font, const QPaintDevice* device) : font_(font), device_(device) {}

    QFont at(FontFit fit) const {
        QFont font = font_;
        font.setPointSizeF(fit.pointSize);
        font.setStretch(fit.stretch);
        return font;
    }

    double width(std::u16string_view text, FontFit fit) const override {
        return QFontMetricsF(at(fit), device_)
            .horizontalAdvance(
                QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    }

    double digitHeight(FontFit fit) const override {
        return QFontMetricsF(at(fit), device_)
            .tightBoundingRect(QStringLiteral("0123456789"))
            .height();
    }

private:
    QFont font_;
    const QPaintDevice* device_;
};

KeyClass classOf(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Paste)) {
        return KeyClass::Pasting;
    }
    if (event.matches(QKeySequence::Cut)) {
        return KeyClass::Cutting;
    }
    if (event.matches(QKeySequence::Copy)) {
        return KeyClass::Copying;
    }
    if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete) {
        return KeyClass::Deleting;
    }
    const Qt::KeyboardModifiers chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!event.text().isEmpty() && event.text().at(0).isPrint() &&
        (event.modifiers() & chords) == Qt::NoModifier) {
        return KeyClass::Typing;
    }
    return (event.modifiers() & Qt::ShiftModifier) != 0 ? KeyClass::Selecting : KeyClass::Moving;
}

QPalette paletteOf(const Colours& colours) {
    // Only the roles set here are the box's own; the rest stay the desktop's.
    QPalette palette;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        if (colours.background) {
            palette.setColor(group, QPalette::Base, toColor(*colours.background));
        }
        if (colours.text) {
            palette.setColor(group, QPalette::Text, toColor(*colours.text));
        }
    }
    return palette;
}

} // namespace

FittingBox::FittingBox(const QFont& font, ShortFormOf shortForm, QWidget* parent)
    : QLineEdit(parent), font_(font), shortForm_(std::move(shortForm)) {
    static const bool installed = (QAccessible::installFactory(boxAccessible), true);
    (void)installed;
    setFont(font_);
    raiseWhileFocused(this);
    connect(this, &QLineEdit::textChanged, this, [this] { fit(); });
}

QRect FittingBox::lineRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    // The box's own text margins are the marks' room, which is part of the line.
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    return contents.adjusted(kHorizontalMargin, 0, -kHorizontalMargin, 0);
}

QFont FittingBox::fontAt(FontFit fit) const {
    return QtMeasure(font_, this).at(fit);
}

void FittingBox::fit() {
    const QtMeasure measure(font_, this);
    const auto legible = [this, &measure] {
        if (legibleSize_ == 0) {
            legibleSize_ = legibleSize(measure, kBoxFitRules);
        }
        return legibleSize_;
    };
    fit_ = fitBoxText(text().toStdU16String(), lineRect().width(), measure, legible, shortForm_);
    explain();
    const QFont font = fontAt(fit_.font);
    if (this->font() != font) {
        setFont(font);
    }
    const int line = lineRect().width();
    const int markRoom =
        line > 0 && keepsMarkRoom(measure.width(text().toStdU16String(), fit_.font), line)
            ? qCeil(measure.width(kHiddenEndMark, fit_.font))
            : 0;
    if (markRoom != markRoom_) {
        markRoom_ = markRoom;
        setTextMargins(markRoom, 0, markRoom, 0);
    }
    update();
}

// An end of the text out of sight is marked in the room kept beside the line.
void FittingBox::markHiddenEnds(QPainter& painter) {
    if (markRoom_ == 0 || text().isEmpty()) {
        return;
    }
    const QFontMetricsF metrics(font(), this);
    const double start =
        cursorRect().center().x() - metrics.horizontalAdvance(text().left(cursorPosition()));
    const QRect line = lineRect();
    const HiddenEnds hidden = hiddenEnds(start, start + metrics.horizontalAdvance(text()),
                                         line.left() + markRoom_, line.right() + 1 - markRoom_);
    const QString mark = QString::fromStdU16String(std::u16string(kHiddenEndMark));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    for (const bool end : {false, true}) {
        if (end ? hidden.end : hidden.start) {
            const QRect room(end ? line.right() + 1 - markRoom_ : line.left(), line.top(),
                             markRoom_, line.height());
            painter.fillRect(room, palette().color(QPalette::Base));
            painter.drawText(room, Qt::AlignCenter, mark);
        }
    }
}

void FittingBox::explain() {
    setToolTip(QString::fromStdU16String(
        tooltipOf(view_, text().toStdU16String(), fit_.altered(kBoxFitRules))));
}

void FittingBox::show(const BoxView& view) {
    const BoxView before = std::exchange(view_, view);
    const QString text = QString::fromStdU16String(view.text);
    if (this->text() != text) {
        setText(text);
    }
    setReadOnly(!view.takesTyping);
    setEnabled(view.enabled);
    if (view.colours != before.colours) {
        setPalette(paletteOf(view.colours));
    }
    setAccessibleDescription(QString::fromStdU16String(view.spokenDescription));
    if (view.slanted != before.slanted) {
        // The slanted face is measured anew: it is not as wide as the upright one.
        font_.setItalic(view.slanted);
        legibleSize_ = 0;
        fit();
    } else {
        explain();
    }
}

// Entering a box by the keyboard selects its text, and the line edit tells a screen reader so
// at once, before the toolkit tells it of the focus: the reader then takes the box as already
// entered and never says its name. The text is selected once the focus has been told, or
// before a key that comes sooner, so that typing still replaces it.
void FittingBox::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
        reason != Qt::ShortcutFocusReason) {
        QLineEdit::focusInEvent(event);
        return;
    }
    QFocusEvent entered(event->type(), Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&entered);
    selectionPending_ = true;
    QMetaObject::invokeMethod(this, &FittingBox::selectOnEntry, Qt::QueuedConnection);
}

void FittingBox::focusOutEvent(QFocusEvent* event) {
    selectionPending_ = false;
    QLineEdit::focusOutEvent(event);
}

void FittingBox::mousePressEvent(QMouseEvent* event) {
    // A click puts the caret where it falls.
    selectionPending_ = false;
    QLineEdit::mousePressEvent(event);
}

void FittingBox::selectOnEntry() {
    if (std::exchange(selectionPending_, false) && hasFocus() && !hasSelectedText()) {
        selectAll();
    }
}

QRect FittingBox::characterRect(int offset) const {
    const QFontMetrics metrics(font());
    const QString held = text();
    const QRect caret = cursorRect();
    const int x = caret.center().x() + metrics.horizontalAdvance(held.left(offset)) -
                  metrics.horizontalAdvance(held.left(cursorPosition()));
    const int width = offset < held.size() ? metrics.horizontalAdvance(held.mid(offset, 1)) : 0;
    return {x, caret.top(), width, caret.height()};
}

QString FittingBox::shownText() const {
    return isShortened() ? QString::fromStdU16String(fit_.text) : text();
}
void FittingBox::paintEvent(QPaintEvent* event) {
    // While the box is edited the cursor decides what is in view, as in any text box.
    if (isShortened() && !hasFocus()) {
        QPainter painter(this);
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(lineRect(), Qt::AlignCenter, shownText());
    } else {
        QLineEdit::paintEvent(event);
    }
    if (view_.hatched) {
        drawHatch();
    }
    if (hasFocus()) {
        // In the text colour, which the desktop keeps readable on the box's own base; dashed
        // where the box takes no typing.
        QPainter painter(this);
        markHiddenEnds(painter);
        drawFocusRing(painter, rect(), palette().color(QPalette::Text), view_.ring.size,
                      view_.ring.line == RingLine::Dashed ? Qt::DashLine : Qt::SolidLine);
    }
}

void FittingBox::drawHatch() {
    const QColor base = palette().color(QPalette::Base);
    const QColor text = palette().color(QPalette::Text);
    const Rgb ink =
        hatchInk({base.red(), base.green(), base.blue()}, {text.red(), text.green(), text.blue()});
    QPainter painter(this);
    painter.setPen(QPen(toColor(ink), kClosedBoxHatch.width));
    // Inside the box's frame; Qt scales the box's own pixels with the screen, and the hatch
    // follows them.
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    const QRect inside = rect().adjusted(border, border, -border, -border);
    painter.setClipRect(inside);
    painter.translate(inside.topLeft());
    for (const Segment& line : hatchLines(inside.width(), inside.height(), 1.0)) {
        painter.drawLine(QLineF(line.x1, line.y1, line.x2, line.y2));
    }
}

void FittingBox::explainAtOnce() {
    if (explainsAtOnce(view_)) {
        QToolTip::showText(mapToGlobal(QPoint(0, height())), toolTip(), this);
    }
}

// On the release: a tooltip goes away as a mouse button or a key goes up.
void FittingBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    explainAtOnce();
}

void FittingBox::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (std::exchange(keyRefused_, false)) {
        explainAtOnce();
    }
}

void FittingBox::keyPressEvent(QKeyEvent* event) {
    selectOnEntry();
    // Shift+F10 asks for the menu as the menu key does; Qt maps only the latter.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        showMenu(mapToGlobal(cursorRect().bottomLeft()));
        return;
    }
    const KeyAnswer answer = answerKey(view_, classOf(*event));
    if (answer.sound) {
        emit keyRefused();
        keyRefused_ = true;
    }
    if (answer.taken) {
        QLineEdit::keyPressEvent(event);
    }
}

void FittingBox::showMenu(const QPoint& globalPos) {
    const std::vector<MenuItem> items =
        boxMenu(view_, {isUndoAvailable(), hasSelectedText(),
                        !QGuiApplication::clipboard()->text().isEmpty()});
    if (items.empty()) {
        return;
    }
    // Owned by the window: a disabled box would disable its menu too.
    auto* menu = new QMenu(window());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const MenuItem& item : items) {
        QAction* action = menu->addAction(QString::fromStdU16String(utf16(item.text)), this,
                                          [this, chosen = item.action] { apply(chosen); });
        action->setEnabled(item.enabled);
    }
    menu->popup(globalPos);
}

void FittingBox::apply(BoxAction action) {
    switch (action) {
    case BoxAction::Undo:
        undo();
        break;
    case BoxAction::Cut:
        cut();
        break;
    case BoxAction::Copy:
        if (hasSelectedText()) {
            copy();
        } else {
            QGuiApplication::clipboard()->setText(text());
        }
        break;
    case BoxAction::Paste:
        paste();
        break;
    case BoxAction::Delete:
        del();
        break;
    case BoxAction::SelectAll:
        selectAll();
        break;
    case BoxAction::ShowWorking:
        emit workingAsked();
        break;
    }
}

void FittingBox::contextMenuEvent(QContextMenuEvent* event) {
    showMenu(event->globalPos());
}

void FittingBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fit();
}

} // namespace isosceles
