// The second yardstick: the program's 38 controls with their geometry and texts, and nothing
// else: no colours, fonts, painting of its own, controller or number format.
#include "window_layout.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char* argv[]) {
    using namespace isosceles;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("plain"));
    window.setFixedSize(toPixels(kWindowStyle.clientWidth), toPixels(kWindowStyle.clientHeight));
    QGroupBox* frame = nullptr;
    for (const ControlRow& row : ControlTable) {
        for (int index = row.firstIndex; index < row.firstIndex + row.count; ++index) {
            const QString text = QString::fromStdString(controlText(row, index));
            QWidget* widget = nullptr;
            switch (row.family) {
            case Family::Label1:
                widget = new QLabel(text, &window);
                break;
            case Family::Frame1:
                widget = frame = new QGroupBox(text, &window);
                break;
            case Family::Option1:
                widget = new QRadioButton(text, frame);
                break;
            case Family::Text2:
                widget = new QLineEdit(&window);
                break;
            case Family::Command1:
                widget = new QPushButton(text, &window);
                break;
            case Family::Text1:
                widget = new QPlainTextEdit(text, &window);
                break;
            }
            const Rect r = twipsRect(row, index);
            widget->setGeometry(toPixels(r.left), toPixels(r.top), toPixels(r.width),
                                toPixels(r.height));
        }
    }
    window.show();
    return QApplication::exec();
}
