#pragma once

#include <QFont>
#include <QLineEdit>

#include <functional>
#include <optional>

namespace isosceles {

// A single-line box that always shows its whole text: at its own font where the text fits;
// else narrowed, then at a smaller size of the same narrowed face, but never so small that a
// digit is drawn shorter than a legible height (a fifteen-character number still fits). A
// text too long even for that is drawn in a short form that shows its magnitude when it is
// one number (1,000·10¹²), else as its start and an ellipsis, while the box is not being
// edited. Whenever the text is drawn smaller, narrower or shorter, the whole text is in the
// tooltip. The text itself is never touched: all of this is drawing.
class FittingBox : public QLineEdit {
    Q_OBJECT

public:
    // The short form of a text that is one number, or nothing.
    using ShortForm = std::function<std::optional<QString>(const QString&)>;

    FittingBox(const QFont& font, ShortForm shortForm, QWidget* parent);

    // Whether the text is drawn in another form now: its short form, or cut with an ellipsis.
    bool isShortened() const { return !shortened_.isNull(); }

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
    struct Fit {
        qreal pointSize;
        int stretch;
    };

    void fit();
    QFont fontAt(Fit fit) const;
    bool fitsAt(const QString& text, Fit fit) const;
    std::optional<Fit> wholeFit(const QString& text) const;
    qreal legibleSize() const;
    qreal lineWidth() const;
    QRect lineRect() const;

    QFont font_;
    ShortForm shortForm_;
    mutable qreal legibleSize_ = 0;
    // What is drawn in place of the text while it is not edited; null: the text itself.
    QString shortened_;
};

} // namespace isosceles
