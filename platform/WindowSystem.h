#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace velatask {

using WindowHandle = std::uint64_t;

// A top-level window and its title (at most 123 characters, never empty).
struct WindowEntry {
    WindowHandle handle = 0;
    QString title;
};

// The desktop's top-level windows.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // False when windows of other programs cannot be reached (no X11 display, Wayland session).
    virtual bool available() const = 0;
    // Top-level windows front to back; windows without a title are left out, hidden ones kept.
    virtual std::vector<WindowEntry> BuildWindowList() = 0;
    // De-iconifies, activates and raises the window; refusals are ignored.
    virtual void FocusWindow(WindowHandle window) = 0;
    // Posts a polite close request; never waits, never kills.
    virtual void CloseWindow(WindowHandle window) = 0;
    // The top-level window that belongs to a process id, or 0.
    virtual WindowHandle windowOfProcess(std::uint32_t pid) = 0;
};

} // namespace velatask
