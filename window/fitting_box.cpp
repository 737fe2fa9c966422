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

// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kHorizontalMargin = 2;
constexpr qreal kSizeStep = 0.25;
constexpr qreal kSmallestSize = 1;

// How far the glyphs are narrowed (in percent of their width) before the size shrinks, and
// the smallest digit height, in pixels, that still reads without strokes running together.
constexpr int kNarrowestStretch = 65;
constexpr int kStretchStep = 5;
constexpr qreal kLegibleDigitHeight = 8;

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

FittingBox::FittingBox(const QFont& font, ShortForm shortForm, QWidget* parent)
    : QLineEdit(parent), font_(font), shortForm_(std::move(shortForm)) {
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

QFont FittingBox::fontAt(Fit fit) const {
    QFont font = font_;
    font.setPointSizeF(fit.pointSize);
    font.setStretch(fit.stretch);
    return font;
}

// The test QLineEdit itself makes before it centres a text rather than scrolling it.
bool FittingBox::fitsAt(const QString& text, Fit fit) const {
    return qRound(QFontMetricsF(fontAt(fit), this).horizontalAdvance(text)) + 1 <= lineWidth();
}

// The smallest size whose digits are still legible.
qreal FittingBox::legibleSize() const {
    if (legibleSize_ == 0) {
        const auto digitHeight = [this](qreal size) {
            return QFontMetricsF(fontAt({size, kNarrowestStretch}), this)
                .tightBoundingRect(QStringLiteral("0123456789"))
                .height();
        };
        qreal size = font_.pointSizeF();
        while (size - kSizeStep >= kSmallestSize &&
               digitHeight(size - kSizeStep) >= kLegibleDigitHeight) {
            size -= kSizeStep;
        }
        legibleSize_ = size;
    }
    return legibleSize_;
}

// Narrower glyphs first, as they keep the height that makes digits legible; then smaller
// ones, down to the legible size.
std::optional<FittingBox::Fit> FittingBox::wholeFit(const QString& text) const {
    const qreal full = font_.pointSizeF();
    for (int stretch = QFont::Unstretched; stretch >= kNarrowestStretch; stretch -= kStretchStep) {
        if (fitsAt(text, {full, stretch})) {
            return Fit{full, stretch};
        }
    }
    for (qreal size = full - kSizeStep; size >= legibleSize(); size -= kSizeStep) {
        if (fitsAt(text, {size, kNarrowestStretch})) {
            return Fit{size, kNarrowestStretch};
        }
    }
    return std::nullopt;
}

void FittingBox::fit() {
    const QString text = this->text();
    shortened_ = QString();
    std::optional<Fit> chosen = wholeFit(text);
    if (!chosen) {
        const std::optional<QString> shortForm = shortForm_ ? shortForm_(text) : std::nullopt;
        chosen = shortForm ? wholeFit(*shortForm) : std::nullopt;
        if (chosen) {
            shortened_ = *shortForm;
        } else {
            chosen = Fit{legibleSize(), kNarrowestStretch};
            shortened_ = QFontMetricsF(fontAt(*chosen), this)
                             .elidedText(text, Qt::ElideRight, lineWidth() - 1);
        }
    }
    const bool whole = chosen->pointSize == font_.pointSizeF() &&
                       chosen->stretch == QFont::Unstretched && shortened_.isNull();
    setToolTip(whole ? QString() : text);
    const QFont font = fontAt(*chosen);
    if (this->font() != font) {
        setFont(font);
    }
    update();
}

QString FittingBox::shownText() const {
    return shortened_.isNull() ? text() : shortened_;
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
    fit();
}

} // namespace isosceles
