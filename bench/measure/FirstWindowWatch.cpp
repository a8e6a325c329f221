#include "bench/measure/FirstWindowWatch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

struct FirstWindowWatch::Impl {
    Display* display = nullptr;
    Window root = 0;
    Atom clientList = 0;
    Atom wmPid = 0;

    long cardinal(Window w, Atom property) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        long value = -1;
        if (XGetWindowProperty(display, w, property, 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr) {
            if (format == 32 && count == 1) {
                value = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
            }
        }
        if (data != nullptr) {
            XFree(data);
        }
        return value;
    }

    bool listed(long pid) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        bool found = false;
        if (XGetWindowProperty(display, root, clientList, 0, 4096, False, XA_WINDOW, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr) {
            const auto* windows = reinterpret_cast<const unsigned long*>(data);
            for (unsigned long i = 0; i < count && !found; ++i) {
                found = cardinal(windows[i], wmPid) == pid;
            }
        }
        if (data != nullptr) {
            XFree(data);
        }
        return found;
    }
};

namespace {

// A window that disappears while it is examined is no reason to stop.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

FirstWindowWatch::FirstWindowWatch() : m_impl(std::make_unique<Impl>()) {
    m_impl->display = XOpenDisplay(nullptr);
    if (m_impl->display == nullptr) {
        return;
    }
    XSetErrorHandler(ignoreErrors);
    m_impl->root = DefaultRootWindow(m_impl->display);
    m_impl->clientList = XInternAtom(m_impl->display, "_NET_CLIENT_LIST", False);
    m_impl->wmPid = XInternAtom(m_impl->display, "_NET_WM_PID", False);
    XSelectInput(m_impl->display, m_impl->root, PropertyChangeMask);
    XSync(m_impl->display, False);
}

FirstWindowWatch::~FirstWindowWatch() {
    if (m_impl->display != nullptr) {
        XCloseDisplay(m_impl->display);
    }
}

bool FirstWindowWatch::connected() const {
    return m_impl->display != nullptr;
}

std::optional<std::chrono::steady_clock::time_point>
FirstWindowWatch::waitFor(long pid, std::chrono::milliseconds timeout) {
    if (m_impl->display == nullptr) {
        return std::nullopt;
    }
    Display* d = m_impl->display;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            if (event.type == PropertyNotify && event.xproperty.atom == m_impl->clientList) {
                const auto seen = std::chrono::steady_clock::now();
                if (m_impl->listed(pid)) {
                    return seen;
                }
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
}
