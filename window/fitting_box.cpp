#include "fitting_box.h"

#include "focus_ring.h"
#include "raise_on_focus.h"
#include "window_layout.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace isosceles {

namespace {

// The longest number the box promises to show whole, in the widest form a locale writes it.
const QString kFloorSample = QStringLiteral("\u221299 999 999,999");

// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kHorizontalMargin = 2;
constexpr qreal kSizeStep = 0.25;
constexpr qreal kSmallestSize = 1;

// Keys that change a box's text, as opposed to moving, selecting or copying.
bool edits(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut) ||
        event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete) {
        return true;
    }
    const Qt::KeyboardModifiers chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return !event.text().isEmpty() && event.text().at(0).isPrint() &&
           (event.modifiers() & chords) == Qt::NoModifier;
}

} // namespace

FittingBox::FittingBox(const QFont& font, QWidget* parent) : QLineEdit(parent), font_(font) {
    setFont(font_);
    raiseWhileFocused(this);
    connect(this, &QLineEdit::textChanged, this, [this] { fit(); });
}

QRect FittingBox::lineRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
    return contents.adjusted(kHorizontalMargin, 0, -kHorizontalMargin, 0);
}

qreal FittingBox::lineWidth() const {
    return lineRect().width();
}

// The test QLineEdit itself makes before it centres a text rather than scrolling it.
bool FittingBox::fitsAt(const QString& text, qreal pointSize) const {
    QFont font = font_;
    font.setPointSizeF(pointSize);
    return qRound(QFontMetricsF(font, this).horizontalAdvance(text)) + 1 <= lineWidth();
}

// Glyph widths do not scale exactly with the size, so the proportional estimate is only
// where the search starts.
qreal FittingBox::largestFittingSize(const QString& text, qreal from) const {
    QFont font = font_;
    font.setPointSizeF(from);
    const qreal width = std::max<qreal>(QFontMetricsF(font, this).horizontalAdvance(text), 1);
    qreal size = std::min(from, std::floor(from * lineWidth() / width / kSizeStep) * kSizeStep);
    while (size > kSmallestSize && !fitsAt(text, size)) {
        size -= kSizeStep;
    }
    return size;
}

void FittingBox::fit() {
    const QString text = this->text();
    const qreal full = font_.pointSizeF();
    qreal size = full;
    elided_ = false;
    if (!fitsAt(text, full)) {
        if (floorSize_ == 0) {
            floorSize_ = largestFittingSize(kFloorSample, full);
        }
        size = largestFittingSize(text, full);
        if (size < floorSize_ || !fitsAt(text, size)) {
            size = floorSize_;
            elided_ = true;
        }
    }
    setToolTip(size < full ? text : QString());
    if (font().pointSizeF() != size) {
        QFont font = font_;
        font.setPointSizeF(size);
        setFont(font);
    }
    update();
}

QString FittingBox::shownText() const {
    if (!elided_) {
        return text();
    }
    const QFontMetricsF metrics(font(), this);
    return metrics.elidedText(text(), Qt::ElideRight, lineWidth() - 1);
}

void FittingBox::paintEvent(QPaintEvent* event) {
    // While the box is edited the cursor decides what is in view, as in any text box.
    if (elided_ && !hasFocus()) {
        QPainter painter(this);
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(lineRect(), Qt::AlignCenter, shownText());
    } else {
        QLineEdit::paintEvent(event);
    }
    if (hasFocus()) {
        // In the text colour, which the desktop keeps readable on the box's own base; dashed
        // where the box takes no typing.
        QPainter painter(this);
        drawFocusRing(painter, rect(), palette().color(QPalette::Text), kBoxFocusRing,
                      isReadOnly() ? Qt::DashLine : Qt::SolidLine);
    }
}

void FittingBox::keyPressEvent(QKeyEvent* event) {
    if (isReadOnly() && edits(*event)) {
        emit keyRefused();
    }
    QLineEdit::keyPressEvent(event);
}

void FittingBox::offerCopy(const QPoint& globalPos) {
    // Owned by the window: a disabled box would disable its menu too.
    auto* menu = new QMenu(window());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QString::fromUtf8(kCopyText.data(), static_cast<qsizetype>(kCopyText.size())),
                    this, [this] { QGuiApplication::clipboard()->setText(text()); });
    menu->popup(globalPos);
}

void FittingBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    floorSize_ = 0;
    fit();
}

} // namespace isosceles
