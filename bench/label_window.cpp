// A second yardstick: the minimal window plus one line of text, which is what brings in the
// font database that every window showing text pays for.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("label"));
    window.resize(464, 352);
    auto* label = new QLabel(QStringLiteral("Геометрия - равнобедрен триъгълник"), &window);
    label->move(80, 0);
    window.show();
    return QApplication::exec();
}
