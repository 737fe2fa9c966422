#pragma once

#include <QFont>
#include <QLineEdit>

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

    // Offers the box's whole text for copying, at a global position: a disabled box has no
    // menu of its own.
    void offerCopy(const QPoint& globalPos);

signals:
    // A key that would edit the text reached a box that takes no typing.
    void keyRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
    qreal lineWidth() const;
    bool fitsAt(const QString& text, qreal pointSize) const;
    qreal largestFittingSize(const QString& text, qreal from) const;
    QRect lineRect() const;

    QFont font_;
    qreal floorSize_ = 0;
    bool elided_ = false;
};

} // namespace isosceles
