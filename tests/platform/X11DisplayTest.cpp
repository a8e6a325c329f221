#include "platform/x11/X11Display.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11WindowSystem.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace velatask {
namespace {

TEST(X11DisplayTest, WaylandSessionsAndMissingDisplaysCountAsNoX11) {
    EXPECT_TRUE(X11Display::sessionAllowsX11(":0", "x11", nullptr));
    EXPECT_TRUE(X11Display::sessionAllowsX11(":1", nullptr, ""));
    EXPECT_FALSE(X11Display::sessionAllowsX11(nullptr, "x11", nullptr));
    EXPECT_FALSE(X11Display::sessionAllowsX11("", nullptr, nullptr));
    EXPECT_FALSE(X11Display::sessionAllowsX11(":0", "wayland", nullptr));
    EXPECT_FALSE(X11Display::sessionAllowsX11(":0", nullptr, "wayland-0"));
}

TEST(X11DisplayTest, WithoutADisplayEveryOperationDoesNothing) {
    const QByteArray saved = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    X11Display display;
    if (!saved.isEmpty()) {
        qputenv("DISPLAY", saved);
    }
    EXPECT_FALSE(display.available());
    EXPECT_FALSE(display.windowManagerRunning());
    X11KeyInjector keys(display);
    EXPECT_FALSE(keys.available());
    EXPECT_EQ(keys.heldModifiers(), 0);
    EXPECT_FALSE(keys.capsLockOn());
    EXPECT_FALSE(keys.keyForChar(U'a'));
    keys.inject({KeyEvent{0x41, true, false}, KeyEvent{0x41, false, false}});
    X11WindowSystem windows(display);
    EXPECT_FALSE(windows.available());
    EXPECT_TRUE(windows.BuildWindowList().empty());
    windows.FocusWindow(42);
    windows.CloseWindow(42);
    EXPECT_EQ(windows.windowOfProcess(1), 0u);
    EXPECT_EQ(windows.focusedWindow(), 0u);
}

} // namespace
} // namespace velatask
