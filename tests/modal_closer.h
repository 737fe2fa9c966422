#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <vector>

namespace isosceles {

// Closes every modal box that appears while it lives, remembering what the boxes said, so
// that no test can hang on one.
class ModalCloser {
public:
    ModalCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                titles.push_back(box->windowTitle());
                texts.push_back(box->text());
                buttons.push_back(box->buttons().value(0)->text());
                box->done(QMessageBox::Ok);
            }
        });
        timer_.start(10);
    }

    std::vector<QString> titles;
    std::vector<QString> texts;
    std::vector<QString> buttons;

private:
    QTimer timer_;
};

} // namespace isosceles
