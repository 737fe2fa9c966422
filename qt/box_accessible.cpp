#include "box_accessible.h"

#include "fitting_box.h"
#include "window_view.h"

#include <QAccessibleWidget>

namespace isosceles {

namespace {

TextUnit unitOf(QAccessible::TextBoundaryType boundary) {
    return boundary == QAccessible::CharBoundary ? TextUnit::Character : TextUnit::Whole;
}

class BoxAccessible : public QAccessibleWidget,
                      public QAccessibleTextInterface,
                      public QAccessibleEditableTextInterface {
public:
    explicit BoxAccessible(FittingBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !box()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
        } else if (!box()->isReadOnly()) {
            box()->setText(text);
        }
    }

    // Text.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = *startOffset + box()->selectionLength();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            box()->deselect();
        }
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) {
            box()->setSelection(startOffset, endOffset - startOffset);
        }
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override {
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        return span(offset, boundary, TextSide::Before, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        return span(offset, boundary, TextSide::After, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        return span(offset, boundary, TextSide::At, startOffset, endOffset);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QRect characterRect(int offset) const override {
        const QRect local = box()->characterRect(offset);
        return {box()->mapToGlobal(local.topLeft()), local.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
    }
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    // Editable text: a locked box keeps its text, whoever asks.
    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, {});
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        if (!box()->isReadOnly()) {
            box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
        }
    }

private:
    FittingBox* box() const { return static_cast<FittingBox*>(widget()); }

    QString span(int offset, QAccessible::TextBoundaryType boundary, TextSide side,
                 int* startOffset, int* endOffset) const {
        const QString text = box()->text();
        const TextSpan span =
            boxTextSpan(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                            static_cast<std::size_t>(text.size())),
                        offset, unitOf(boundary), side);
        *startOffset = static_cast<int>(span.start);
        *endOffset = static_cast<int>(span.end);
        return text.mid(*startOffset, *endOffset - *startOffset);
    }
};

} // namespace

QAccessibleInterface* boxAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(FittingBox::staticMetaObject.className())) {
        return new BoxAccessible(static_cast<FittingBox*>(object));
    }
    return nullptr;
}

} // namespace isosceles
