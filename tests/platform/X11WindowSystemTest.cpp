#include "PlatformTestSupport.h"
#include "XProbeWindow.h"

#include "platform/qt/ProcessStarter.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11WindowSystem.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

namespace velatask {
namespace {

using test::XProbeWindow;

// Windows opened by the test on a real X server, listed, raised and closed.
class X11WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::haveDisplay()) {
            GTEST_SKIP() << "no X display";
        }
        m_display = std::make_unique<X11Display>();
        ASSERT_TRUE(m_display->available());
        m_windows = std::make_unique<X11WindowSystem>(*m_display);
        ASSERT_TRUE(m_windows->available());
    }

    void TearDown() override {
        for (const std::uint32_t pid : m_started) {
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        }
    }

    // The positions of `handles` in the window list, front first; -1 for a missing one.
    std::vector<int> positions(const std::vector<WindowHandle>& handles) {
        const auto list = m_windows->BuildWindowList();
        std::vector<int> result;
        for (const WindowHandle handle : handles) {
            int found = -1;
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (list[i].handle == handle) {
                    found = static_cast<int>(i);
                }
            }
            result.push_back(found);
        }
        return result;
    }

    bool listed(WindowHandle handle) { return positions({handle}).front() >= 0; }

    QString titleOf(WindowHandle handle) {
        for (const WindowEntry& entry : m_windows->BuildWindowList()) {
            if (entry.handle == handle) {
                return entry.title;
            }
        }
        return {};
    }

    // Starts the probe client with a title and close behaviour; returns its window.
    WindowHandle startClient(const QString& title, const char* mode, const QString& report) {
        ProcessStarter starter;
        const StartResult result = starter.start(
            QStringLiteral("'%1' '%2' %3 '%4'")
                .arg(QStringLiteral(VELATASK_PROBE_CLIENT), title, QLatin1String(mode), report),
            QString());
        EXPECT_TRUE(result.started) << result.reason.toStdString();
        if (!result.started) {
            return 0;
        }
        m_started.push_back(result.value);
        WindowHandle window = 0;
        EXPECT_TRUE(test::waitUntil([&] {
            window = m_windows->windowOfProcess(result.value);
            return window != 0 && listed(window);
        })) << "no window for process "
            << result.value;
        return window;
    }

    std::unique_ptr<X11Display> m_display;
    std::unique_ptr<X11WindowSystem> m_windows;
    std::vector<std::uint32_t> m_started;
};

TEST_F(X11WindowSystemTest, ListsWindowsFrontToBackAndFocusBringsOneForward) {
    XProbeWindow a({"Velatask list A"});
    ASSERT_TRUE(a.waitViewable(test::kWaitMs));
    XProbeWindow b({"Velatask list B"});
    ASSERT_TRUE(b.waitViewable(test::kWaitMs));
    XProbeWindow c({"Velatask list C"});
    ASSERT_TRUE(c.waitViewable(test::kWaitMs));
    // Each new window opens on top of the others.
    ASSERT_TRUE(test::waitUntil([&] {
        const auto p = positions({c.id(), b.id(), a.id()});
        return p[0] >= 0 && p[0] < p[1] && p[1] < p[2];
    })) << "list order C, B, A expected";
    EXPECT_EQ(titleOf(b.id()), QStringLiteral("Velatask list B"));

    m_windows->FocusWindow(a.id());
    EXPECT_TRUE(test::waitUntil([&] {
        const auto p = positions({a.id(), c.id(), b.id()});
        return m_windows->focusedWindow() == a.id() && p[0] >= 0 && p[0] < p[1] && p[1] < p[2];
    })) << "A should be focused and in front of C and B";
    if (m_display->windowManagerRunning()) {
        EXPECT_TRUE(test::waitUntil([&] { return m_windows->activeWindow() == a.id(); }));
    }
}

TEST_F(X11WindowSystemTest, FocusBringsBackAnIconifiedWindow) {
    if (!m_display->windowManagerRunning()) {
        GTEST_SKIP() << "iconifying needs a window manager";
    }
    XProbeWindow probe({"Velatask iconified probe"});
    ASSERT_TRUE(probe.waitViewable(test::kWaitMs));
    ASSERT_TRUE(probe.iconify(test::kWaitMs));
    // An iconified window is still listed.
    EXPECT_TRUE(listed(probe.id()));
    m_windows->FocusWindow(probe.id());
    ASSERT_TRUE(probe.waitViewable(test::kWaitMs));
    EXPECT_TRUE(test::waitUntil([&] { return m_windows->focusedWindow() == probe.id(); }));
}

TEST_F(X11WindowSystemTest, TitlesAreUtf8CutAt123AndEmptyOnesSkipped) {
    const std::string longTitle = "Velatask \xC3\xA9t\xC3\xA9 " + std::string(200, 'x');
    XProbeWindow longOne({longTitle});
    XProbeWindow untitled({""});
    XProbeWindow hidden({"Velatask hidden window", false});
    XProbeWindow plain({"Velatask plain title", true, false});
    ASSERT_TRUE(longOne.waitViewable(test::kWaitMs));
    ASSERT_TRUE(untitled.waitViewable(test::kWaitMs));
    ASSERT_TRUE(plain.waitViewable(test::kWaitMs));

    ASSERT_TRUE(test::waitUntil([&] { return listed(longOne.id()); }));
    const QString title = titleOf(longOne.id());
    EXPECT_EQ(title.size(), X11WindowSystem::kMaxTitleLength);
    EXPECT_TRUE(title.startsWith(QStringLiteral("Velatask \u00E9t\u00E9 xxx")));
    EXPECT_FALSE(listed(untitled.id()));
    EXPECT_EQ(titleOf(hidden.id()), QStringLiteral("Velatask hidden window"));
    // A window with only WM_NAME is listed under that name.
    EXPECT_EQ(titleOf(plain.id()), QStringLiteral("Velatask plain title"));
}

TEST_F(X11WindowSystemTest, CloseRequestClosesAWindowThatAcceptsIt) {
    QTemporaryDir dir;
    const QString report = dir.filePath(QStringLiteral("report"));
    const WindowHandle window =
        startClient(QStringLiteral("Velatask closing probe"), "close", report);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(titleOf(window), QStringLiteral("Velatask closing probe"));
    m_windows->CloseWindow(window);
    EXPECT_TRUE(test::waitUntil([&] { return !listed(window); }));
}

TEST_F(X11WindowSystemTest, CloseRequestLeavesAWindowThatIgnoresItOpen) {
    QTemporaryDir dir;
    const QString report = dir.filePath(QStringLiteral("report"));
    const WindowHandle window =
        startClient(QStringLiteral("Velatask stubborn probe"), "ignore", report);
    ASSERT_NE(window, 0u);
    m_windows->CloseWindow(window);
    ASSERT_TRUE(test::waitUntil([&] { return QFile::exists(report); }))
        << "the close request never arrived";
    EXPECT_TRUE(listed(window));
    EXPECT_EQ(m_windows->windowOfProcess(m_started.front()), window);
}

TEST_F(X11WindowSystemTest, VanishedOrUnknownWindowsAreHarmless) {
    WindowHandle gone = 0;
    {
        XProbeWindow probe({"Velatask short-lived"});
        ASSERT_TRUE(probe.waitViewable(test::kWaitMs));
        gone = probe.id();
    }
    ASSERT_TRUE(test::waitUntil([&] { return !listed(gone); }));
    m_windows->FocusWindow(gone);
    m_windows->CloseWindow(gone);
    m_windows->FocusWindow(0);
    EXPECT_EQ(m_windows->windowOfProcess(0x7FFFFFF0u), 0u);
    EXPECT_FALSE(m_windows->BuildWindowList().empty());
}

} // namespace
} // namespace velatask
