#include "XProbeWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace velatask::test {

namespace {

using Clock = std::chrono::steady_clock;

// Waits for the connection to have input, at most until `deadline`.
void waitForInput(Display* dpy, Clock::time_point deadline) {
    if (XPending(dpy) > 0) {
        return;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
        return;
    }
    pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left));
}

} // namespace

XProbeWindow::XProbeWindow(const Options& options) {
    m_display = XOpenDisplay(nullptr);
    if (m_display == nullptr) {
        return;
    }
    Display* dpy = m_display;
    XSetWindowAttributes attributes{};
    attributes.event_mask = KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask;
    attributes.background_pixel = WhitePixel(dpy, DefaultScreen(dpy));
    m_window = XCreateWindow(dpy, DefaultRootWindow(dpy), 40, 40, 300, 120, 0, CopyFromParent,
                             InputOutput, CopyFromParent, CWEventMask | CWBackPixel, &attributes);
    if (!options.title.empty()) {
        XStoreName(dpy, m_window, options.title.c_str());
        if (options.utf8Title) {
            XChangeProperty(dpy, m_window, XInternAtom(dpy, "_NET_WM_NAME", False),
                            XInternAtom(dpy, "UTF8_STRING", False), 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(options.title.data()),
                            static_cast<int>(options.title.size()));
        }
    }
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(dpy, m_window, &hints);
    if (options.mapped) {
        XMapWindow(dpy, m_window);
    }
    XSync(dpy, False);
}

XProbeWindow::~XProbeWindow() {
    if (m_display != nullptr) {
        if (m_window != 0) {
            XDestroyWindow(m_display, m_window);
        }
        XCloseDisplay(m_display);
    }
}

void XProbeWindow::pump() {
    if (m_display == nullptr) {
        return;
    }
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            continue;
        }
        if (event.type != KeyPress && event.type != KeyRelease) {
            continue;
        }
        ReceivedKey key;
        key.keysym = static_cast<std::uint32_t>(XLookupKeysym(&event.xkey, 0));
        key.press = event.type == KeyPress;
        key.state = event.xkey.state;
        if (key.press) {
            char buffer[16] = {};
            KeySym ignored = 0;
            const int n = XLookupString(&event.xkey, buffer, sizeof buffer, &ignored, nullptr);
            key.text.assign(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
        }
        m_keys.push_back(key);
    }
}

bool XProbeWindow::waitViewable(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_display != nullptr) {
        pump();
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(m_display, m_window, &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        waitForInput(m_display, std::min(deadline, Clock::now() + std::chrono::milliseconds(20)));
    }
    return false;
}

bool XProbeWindow::iconify(int timeoutMs) {
    if (m_display == nullptr) {
        return false;
    }
    XIconifyWindow(m_display, m_window, DefaultScreen(m_display));
    XFlush(m_display);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        pump();
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(m_display, m_window, &attributes) != 0 &&
            attributes.map_state != IsViewable) {
            return true;
        }
        waitForInput(m_display, std::min(deadline, Clock::now() + std::chrono::milliseconds(20)));
    }
    return false;
}

bool XProbeWindow::waitForRelease(std::uint32_t keysym, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_display != nullptr) {
        pump();
        for (const ReceivedKey& key : m_keys) {
            if (!key.press && key.keysym == keysym) {
                return true;
            }
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        waitForInput(m_display, deadline);
    }
    return false;
}

std::string XProbeWindow::typedText() const {
    std::string text;
    for (const ReceivedKey& key : m_keys) {
        text += key.text;
    }
    return text;
}

void XProbeWindow::fakeKey(std::uint32_t keysym, bool down) {
    const KeyCode keycode = XKeysymToKeycode(m_display, keysym);
    XTestFakeKeyEvent(m_display, keycode, down ? True : False, CurrentTime);
    XSync(m_display, False);
}

bool XProbeWindow::keyDown(std::uint32_t keysym) {
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    const KeyCode keycode = XKeysymToKeycode(m_display, keysym);
    return (static_cast<unsigned char>(keys[keycode / 8]) >> (keycode % 8)) & 1u;
}

int XProbeWindow::bindSpareKeycode(std::uint32_t plain, std::uint32_t shifted) {
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(m_display, &minKeycode, &maxKeycode);
    int perKeycode = 0;
    KeySym* map = XGetKeyboardMapping(m_display, static_cast<KeyCode>(minKeycode),
                                      maxKeycode - minKeycode + 1, &perKeycode);
    int free = 0;
    for (int kc = maxKeycode; kc >= minKeycode && free == 0; --kc) {
        bool empty = true;
        for (int i = 0; i < perKeycode; ++i) {
            empty = empty && map[(kc - minKeycode) * perKeycode + i] == NoSymbol;
        }
        if (empty) {
            free = kc;
        }
    }
    XFree(map);
    if (free != 0) {
        KeySym syms[2] = {plain, shifted};
        XChangeKeyboardMapping(m_display, free, 2, syms, 1);
        XSync(m_display, False);
    }
    return free;
}

void XProbeWindow::unbindKeycode(int keycode) {
    KeySym syms[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(m_display, keycode, 2, syms, 1);
    XSync(m_display, False);
}

} // namespace velatask::test
