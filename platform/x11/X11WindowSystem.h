#pragma once

#include "platform/WindowSystem.h"

namespace velatask {

class X11Display;

// The desktop's top-level windows through Xlib and the window manager's EWMH hints. Window
// handles are X window ids of the client windows (not of the manager's frames).
//
// Front-to-back order comes from the stacking of the root window's children, which holds with any
// window manager and without one. Closing sends WM_DELETE_WINDOW straight to windows that take
// part in that protocol and does nothing to others: the manager's close request would fall back
// to killing such a client, and this program never kills.
class X11WindowSystem : public WindowSystem {
public:
    explicit X11WindowSystem(X11Display& display);

    bool available() const override;
    std::vector<WindowEntry> BuildWindowList() override;
    // Maps an iconified window again, asks the window manager to activate it, raises it, and sets
    // the input focus directly when no window manager runs. Hidden (withdrawn) windows stay hidden.
    void FocusWindow(WindowHandle window) override;
    void CloseWindow(WindowHandle window) override;
    // The front-most window whose _NET_WM_PID is `pid`; a window the user can see (shown or
    // iconified) is preferred over a hidden one.
    WindowHandle windowOfProcess(std::uint32_t pid) override;

    // The window that has the input focus, or 0.
    WindowHandle focusedWindow();
    // The window that the window manager reports as active (_NET_ACTIVE_WINDOW), or 0.
    WindowHandle activeWindow();

    // Longest title kept, in characters.
    static constexpr int kMaxTitleLength = 123;

private:
    X11Display& m_display;
};

} // namespace velatask
