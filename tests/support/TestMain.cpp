#include <QApplication>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

// Sanitizer settings for every test program: stop at the first error, leaks are not checked
// (Qt's plugins keep process-lifetime allocations).
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

// Every test program gets a Qt application object on the platform its label asks for
// (offscreen, or the X11 display of the test command); a core application while CTest only
// lists the tests.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QCoreApplication> app;
    if (::testing::GTEST_FLAG(list_tests)) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        // Without a display the x11 tests skip themselves; they still need an application.
        const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY");
        qputenv("QT_QPA_PLATFORM", noDisplay ? "offscreen" : VELATASK_TEST_PLATFORM);
        app = std::make_unique<QApplication>(argc, argv);
    }
    return RUN_ALL_TESTS();
}
