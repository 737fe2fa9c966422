#include "working_dialog.h"

#include "reading_text.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace isosceles {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

WorkingDialog::WorkingDialog(const WorkingReport& report, QWidget* parent)
    : QDialog(parent), text_(new ReadingText(this)) {
    setWindowTitle(fromUtf8(report.title));
    setAccessibleName(fromUtf8(windowSpokenName()));
    setWindowModality(Qt::WindowModal);
    text_->setPlainText(QString::fromStdU16String(report.text));
    text_->setAccessibleName(fromUtf8(report.textName));
    // Wide enough for the longest line where the screen allows, as tall as the text.
    // In fractions of a pixel, as the text is laid out, and the caret's width beside it: a
    // line measured a fraction short would break.
    const QFontMetricsF metrics(text_->font());
    int widest = 0;
    for (const QString& line : text_->toPlainText().split(u'\n')) {
        widest = std::max(widest, static_cast<int>(std::ceil(metrics.horizontalAdvance(line))) +
                                      text_->cursorWidth());
    }
    const QRect screen = parent != nullptr && parent->screen() != nullptr
                             ? parent->screen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    const auto frame =
        static_cast<int>(2 * text_->document()->documentMargin()) + 2 * text_->frameWidth();
    const int scrollBar = text_->verticalScrollBar()->sizeHint().width();
    text_->setMinimumSize(
        std::min(widest + frame + scrollBar, screen.width() * 9 / 10),
        std::min((text_->blockCount() + 1) * static_cast<int>(std::ceil(metrics.lineSpacing())) +
                     frame,
                 screen.height() * 7 / 10));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy =
        buttons->addButton(fromUtf8(report.copyButton), QDialogButtonBox::ActionRole);
    QPushButton* ok = buttons->addButton(fromUtf8(report.button), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(text()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
    resize(minimumSizeHint());
    // Opened to be read: a screen reader says the text's name and its first line, and the
    // default button still answers Enter.
    text_->setFocus();
}

QString WorkingDialog::text() const {
    return text_->toPlainText();
}

} // namespace isosceles
