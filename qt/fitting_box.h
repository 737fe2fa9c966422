#pragma once

#include "box_fit.h"
#include "window_view.h"

#include <QFont>
#include <QLineEdit>

class QPainter;

namespace isosceles {

// A single-line box that always shows its whole text, fitted as layout/ decides (narrowed,
// then smaller down to a legible size, else a number's short form or the text's start and an
// ellipsis) while the box is not being edited. Everything else it shows and how it answers
// keys is the view's. The text itself is never touched: all of this is drawing.
class FittingBox : public QLineEdit {
    Q_OBJECT

public:
    FittingBox(const QFont& font, ShortFormOf shortForm, QWidget* parent);

    // Whether the text is drawn in another form now: its short form, or cut with an ellipsis.
    bool isShortened() const { return fit_.shown != Shown::Whole; }

    // The text as the box draws it when it is not being edited.
    QString shownText() const;

    // Shows the box as the view says.
    void show(const BoxView& view);
    const BoxView& view() const { return view_; }

    // Where the character at `offset` of the text stands in the box, as edited.
    QRect characterRect(int offset) const;

    // Shows the box's menu at a global position, as the view makes it; the window asks for a
    // disabled box, which gets no events of its own.
    void showMenu(const QPoint& globalPos);

signals:
    // A key that would edit the text reached a box that takes no typing.
    void keyRefused();
    // The row's working was asked for from the box's menu.
    void workingAsked();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
    void explain();
    // The tooltip, shown now, where the view says the box explains itself at once.
    void explainAtOnce();
    void drawHatch();
    QFont fontAt(FontFit fit) const;
    QRect lineRect() const;
    void markHiddenEnds(QPainter& painter);
    void apply(BoxAction action);
    void selectOnEntry();

    QFont font_;
    ShortFormOf shortForm_;
    double legibleSize_ = 0;
    BoxFit fit_{kBoxFitRules.full, Shown::Whole, {}};
    BoxView view_{};
    int markRoom_ = 0;              // kept free for a mark on either side of the line, in pixels
    bool keyRefused_ = false;       // the key going down was refused: its release explains why
    bool selectionPending_ = false; // entered by the keyboard, the text not yet selected
};

} // namespace isosceles
