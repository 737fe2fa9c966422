#include "main_window.h"

#include <QApplication>

#include <gtest/gtest.h>

// The window tests draw offscreen whatever display the caller has, so they run the same on
// a desktop, a build machine and CI.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    isosceles::configureApplication(app);
    return RUN_ALL_TESTS();
}
