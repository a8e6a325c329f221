#include "platform/x11/X11Display.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>

namespace velatask {

namespace {

// Protocol errors are expected (windows vanish at any time); callers check results instead.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

bool isSet(const char* value) {
    return value != nullptr && *value != '\0';
}

} // namespace

X11Display::X11Display() {
    const char* display = std::getenv("DISPLAY");
    if (!sessionAllowsX11(display, std::getenv("XDG_SESSION_TYPE"),
                          std::getenv("WAYLAND_DISPLAY"))) {
        return;
    }
    XSetErrorHandler(ignoreXError);
    m_display = XOpenDisplay(display);
}

X11Display::~X11Display() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
}

bool X11Display::sessionAllowsX11(const char* display, const char* sessionType,
                                  const char* waylandDisplay) {
    if (!isSet(display)) {
        return false;
    }
    if (isSet(sessionType) && std::strcmp(sessionType, "wayland") == 0) {
        return false;
    }
    return !isSet(waylandDisplay);
}

bool X11Display::windowManagerRunning() const {
    if (m_display == nullptr) {
        return false;
    }
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(m_display, DefaultRootWindow(m_display), &attributes) == 0) {
        return false;
    }
    return (attributes.all_event_masks & SubstructureRedirectMask) != 0;
}

void X11Display::refreshKeyboardMapping() {
    if (m_display == nullptr) {
        return;
    }
    // Only MappingNotify reaches this connection: it selects no events on any window.
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        }
    }
}

} // namespace velatask
