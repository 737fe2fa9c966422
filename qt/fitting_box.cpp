#include "fitting_box.h"

#include "colour.h"
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

namespace isosceles {

namespace {

// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kHorizontalMargin = 2;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

FittingBox::FittingBox(const QFont& font, ShortFormOf shortForm, QWidget* parent)
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

QFont FittingBox::fontAt(FontFit fit) const {
    return QtMeasure(font_, this).at(fit);
}

void FittingBox::fit() {
    const QtMeasure measure(font_, this);
    if (legibleSize_ == 0) {
        legibleSize_ = legibleSize(measure, kBoxFitRules);
    }
    fit_ =
        fitBoxText(text().toStdU16String(), lineRect().width(), measure, legibleSize_, shortForm_);
    explain();
    const QFont font = fontAt(fit_.font);
    if (this->font() != font) {
        setFont(font);
    }
    update();
}

// The tooltip holds what the drawing leaves out: the whole text, and why a result is marked.
void FittingBox::explain() {
    QStringList lines;
    if (fit_.altered(kBoxFitRules)) {
        lines << text();
    }
    const QString outOfDate = fromUtf8(kOutOfDateText);
    if (outOfDate_) {
        lines << outOfDate;
    }
    setToolTip(lines.join(QLatin1Char('\n')));
    setAccessibleDescription(outOfDate_ ? outOfDate : QString());
}

void FittingBox::setOutOfDate(bool outOfDate) {
    if (outOfDate_ == outOfDate) {
        return;
    }
    outOfDate_ = outOfDate;
    // The slanted face is measured anew: it is not as wide as the upright one.
    font_.setItalic(outOfDate);
    legibleSize_ = 0;
    QPalette palette = this->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text,
                         toColor(outOfDate ? kOutOfDateTextColour : kTextOnFixedColour));
    }
    setPalette(palette);
    fit();
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
    if (text().isEmpty()) {
        return;
    }
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
