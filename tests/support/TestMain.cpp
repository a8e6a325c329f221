#include <QApplication>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

// Every test program gets a Qt application object: a widget application when it runs on a
// display or offscreen, a core one while CTest only lists the tests or when an X11 test finds no
// display (its tests then skip instead of the program aborting).
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QCoreApplication> app;
    const bool xcbWithoutDisplay =
        qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY");
    if (::testing::GTEST_FLAG(list_tests) || qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        xcbWithoutDisplay) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        app = std::make_unique<QApplication>(argc, argv);
    }
    return RUN_ALL_TESTS();
}
