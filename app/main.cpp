#include "main_window.h"
#include "number_format.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char* argv[]) {
    try {
        if (const auto platform = isosceles::preferredPlatform(
                [](const char* name) -> const char* { return std::getenv(name); })) {
            qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
        }
        QApplication app(argc, argv);
        isosceles::configureApplication(app);
        // The top-level handler: a failed operation is reported, then the program goes on
        // with the failed row's results emptied and what was typed kept.
        isosceles::MainWindow window(isosceles::NumberFormat::user(),
                                     isosceles::reportError);
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "isosceles: %s\n", error.what());
        return 1;
    }
}
