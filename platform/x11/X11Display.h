#pragma once

#include <cstdint>

// Xlib's connection type, named without including Xlib (its macros clash with Qt and GoogleTest).
struct _XDisplay;

namespace velatask {

// The program's own Xlib connection to the X server, shared by key playback and the window list.
// It also decides whether other programs' windows can be reached at all.
class X11Display {
public:
    // Connects to $DISPLAY unless the session is a Wayland one. Installs an error handler that
    // ignores protocol errors: a window may vanish between listing and use, and Xlib's default
    // handler would end the process for that.
    X11Display();
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    // True when connected: key playback and window control reach the desktop.
    bool available() const { return m_display != nullptr; }
    _XDisplay* handle() const { return m_display; }

    // Whether a session lets X11 clients act on the desktop's windows. A Wayland session
    // (XDG_SESSION_TYPE "wayland" or WAYLAND_DISPLAY set) runs native windows that XTest and X
    // window requests cannot reach, even though XWayland offers a DISPLAY; so it counts as none.
    static bool sessionAllowsX11(const char* display, const char* sessionType,
                                 const char* waylandDisplay);

    // True when a window manager runs (someone redirects the root window's substructure).
    bool windowManagerRunning() const;

    // Handles keyboard-map changes announced since the last call, so keysym lookups stay current.
    void refreshKeyboardMapping();

private:
    _XDisplay* m_display = nullptr;
};

} // namespace velatask
