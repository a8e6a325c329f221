#pragma once

#include "platform/WindowSystem.h"

#include <map>

namespace velatask {

// A window system for tests: a list of windows the test sets, and a record of focus and close
// requests.
class FakeWindowSystem : public WindowSystem {
public:
    bool available() const override { return m_available; }
    std::vector<WindowEntry> BuildWindowList() override;
    void FocusWindow(WindowHandle window) override { m_focused.push_back(window); }
    void CloseWindow(WindowHandle window) override { m_closed.push_back(window); }
    WindowHandle windowOfProcess(std::uint32_t pid) override;

    void setAvailable(bool available) { m_available = available; }
    // The windows front to back, as BuildWindowList reports them.
    void setWindows(std::vector<WindowEntry> windows) { m_windows = std::move(windows); }
    void setProcessWindow(std::uint32_t pid, WindowHandle window) {
        m_processWindows[pid] = window;
    }

    const std::vector<WindowHandle>& focused() const { return m_focused; }
    const std::vector<WindowHandle>& closed() const { return m_closed; }
    int listBuilds() const { return m_listBuilds; }

private:
    bool m_available = true;
    std::vector<WindowEntry> m_windows;
    std::map<std::uint32_t, WindowHandle> m_processWindows;
    std::vector<WindowHandle> m_focused;
    std::vector<WindowHandle> m_closed;
    int m_listBuilds = 0;
};

} // namespace velatask
