#include <QApplication>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

// Every test program gets a Qt application object: a widget application when it runs on a
// display or offscreen, a core one while CTest only lists the tests.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QCoreApplication> app;
    if (::testing::GTEST_FLAG(list_tests) || qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        app = std::make_unique<QApplication>(argc, argv);
    }
    return RUN_ALL_TESTS();
}
