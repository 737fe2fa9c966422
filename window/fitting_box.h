#pragma once

#include <QFont>
#include <QLineEdit>
#include <QPointer>

namespace isosceles {

// A single-line box that always shows its whole text: at its own font where the text fits,
// else at the largest smaller size of the same face that fits, down to a floor that still
// holds a fifteen-character number. A text too long even for the floor shows its start and
// an ellipsis while the box is not being edited. Either way the whole text is in the tooltip.
// The text itself is never touched: all of this is drawing.
class FittingBox : public QLineEdit {
    Q_OBJECT

public:
    FittingBox(const QFont& font, QWidget* parent);

    // Whether the text is drawn cut short with an ellipsis now.
    bool isElided() const { return elided_; }

    // The text as the box draws it when it is not being edited.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void fit();
    qreal lineWidth() const;
    bool fitsAt(const QString& text, qreal pointSize) const;
    qreal largestFittingSize(const QString& text, qreal from) const;
    QRect lineRect() const;

    QFont font_;
    qreal floorSize_ = 0;
    bool elided_ = false;
    // The sibling that stood above this box before focus raised it, so that the neighbours
    // overlap it as before once it loses focus.
    QPointer<QWidget> above_;
};

} // namespace isosceles
