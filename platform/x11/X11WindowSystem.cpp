#include "platform/x11/X11WindowSystem.h"

#include "platform/x11/X11Display.h"

#include <QList>
#include <QString>

// Xlib last: its macros (None, Bool, Status) would break the Qt headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <string>

namespace velatask {

namespace {

constexpr long kWmStateWithdrawn = 0;
constexpr long kWmStateNormal = 1;
constexpr long kWmStateIconic = 3;
// How deep a manager may nest a client inside its frame.
constexpr int kMaxFrameDepth = 4;

Atom atom(Display* dpy, const char* name) {
    return XInternAtom(dpy, name, False);
}

// Reads a property of 8-, 32-bit or long items; empty when missing or on error.
std::string readProperty(Display* dpy, Window window, Atom property, Atom type, int* format,
                         unsigned long* items) {
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::string bytes;
    *items = 0;
    if (XGetWindowProperty(dpy, window, property, 0, 4096, False, type, &actualType, &actualFormat,
                           &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (actualType != 0 && (type == AnyPropertyType || actualType == type)) {
            const std::size_t itemSize =
                actualFormat == 8 ? 1 : (actualFormat == 16 ? sizeof(short) : sizeof(long));
            bytes.assign(reinterpret_cast<const char*>(data), count * itemSize);
            *format = actualFormat;
            *items = count;
        }
        XFree(data);
    }
    return bytes;
}

bool readCardinal(Display* dpy, Window window, Atom property, Atom type, long* value) {
    int format = 0;
    unsigned long items = 0;
    const std::string bytes = readProperty(dpy, window, property, type, &format, &items);
    if (items < 1 || format != 32) {
        return false;
    }
    // The bytes sit in a char buffer: copy them out instead of reading them through a cast.
    std::memcpy(value, bytes.data(), sizeof *value);
    return true;
}

long wmState(Display* dpy, Window window) {
    const Atom wmStateAtom = atom(dpy, "WM_STATE");
    long state = -1;
    if (!readCardinal(dpy, window, wmStateAtom, wmStateAtom, &state)) {
        return -1;
    }
    return state;
}

bool hasWmState(Display* dpy, Window window) {
    return wmState(dpy, window) >= kWmStateWithdrawn;
}

// The client inside a manager's frame: the first descendant carrying WM_STATE.
Window clientBelow(Display* dpy, Window window, int depth) {
    if (depth > kMaxFrameDepth) {
        return 0;
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(dpy, window, &root, &parent, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        if (hasWmState(dpy, children[i])) {
            found = children[i];
        }
    }
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        found = clientBelow(dpy, children[i], depth + 1);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

// The top-level windows as clients, front to back.
std::vector<Window> clientsFrontToBack(Display* dpy) {
    std::vector<Window> clients;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0) {
        return clients;
    }
    // XQueryTree lists bottom to top.
    for (unsigned int i = count; i-- > 0;) {
        const Window top = children[i];
        if (hasWmState(dpy, top)) {
            clients.push_back(top);
        } else if (const Window client = clientBelow(dpy, top, 1); client != 0) {
            clients.push_back(client);
        } else {
            clients.push_back(top);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return clients;
}

QString cutTitle(const QString& title) {
    const QList<uint> codePoints = title.toUcs4();
    if (codePoints.size() <= X11WindowSystem::kMaxTitleLength) {
        return title;
    }
    std::u32string kept;
    for (qsizetype i = 0; i < X11WindowSystem::kMaxTitleLength; ++i) {
        kept.push_back(static_cast<char32_t>(codePoints[i]));
    }
    return QString::fromStdU32String(kept);
}

// _NET_WM_NAME in UTF-8, else WM_NAME in whatever encoding it declares.
QString titleOf(Display* dpy, Window window) {
    int format = 0;
    unsigned long items = 0;
    const std::string utf8 = readProperty(dpy, window, atom(dpy, "_NET_WM_NAME"),
                                          atom(dpy, "UTF8_STRING"), &format, &items);
    if (format == 8 && !utf8.empty()) {
        return cutTitle(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }
    XTextProperty property{};
    if (XGetWMName(dpy, window, &property) == 0 || property.value == nullptr) {
        return {};
    }
    QString title;
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(dpy, &property, &list, &count) >= Success && count > 0 &&
        list != nullptr) {
        title = QString::fromUtf8(list[0]);
    } else if (property.format == 8) {
        title = QString::fromLatin1(reinterpret_cast<const char*>(property.value),
                                    static_cast<qsizetype>(property.nitems));
    }
    if (list != nullptr) {
        XFreeStringList(list);
    }
    XFree(property.value);
    return cutTitle(title);
}

bool windowExists(Display* dpy, Window window) {
    XWindowAttributes attributes{};
    return window != 0 && XGetWindowAttributes(dpy, window, &attributes) != 0;
}

void sendToRoot(Display* dpy, Window window, Atom type, long l0, long l1, long l2) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = l0;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// Maps an iconic window again before it is raised or asked to close; false when it is gone.
bool deIconify(Display* dpy, Window window) {
    if (!windowExists(dpy, window)) {
        return false;
    }
    if (wmState(dpy, window) == kWmStateIconic) {
        XMapWindow(dpy, window);
    }
    return true;
}

} // namespace

X11WindowSystem::X11WindowSystem(X11Display& display) : m_display(display) {}

bool X11WindowSystem::available() const {
    return m_display.available();
}

std::vector<WindowEntry> X11WindowSystem::BuildWindowList() {
    std::vector<WindowEntry> list;
    if (!available()) {
        return list;
    }
    Display* dpy = m_display.handle();
    for (const Window window : clientsFrontToBack(dpy)) {
        QString title = titleOf(dpy, window);
        if (!title.isEmpty()) {
            list.push_back(WindowEntry{window, std::move(title)});
        }
    }
    return list;
}

void X11WindowSystem::FocusWindow(WindowHandle handle) {
    Display* dpy = m_display.handle();
    const auto window = static_cast<Window>(handle);
    if (!available() || !deIconify(dpy, window)) {
        return;
    }
    if (m_display.windowManagerRunning()) {
        // Source 2: a pager-like tool acting for the user, which managers do not second-guess.
        sendToRoot(dpy, window, atom(dpy, "_NET_ACTIVE_WINDOW"), 2, CurrentTime, 0);
        XRaiseWindow(dpy, window);
    } else {
        XRaiseWindow(dpy, window);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(dpy, window, &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            XSetInputFocus(dpy, window, RevertToParent, CurrentTime);
        }
    }
    XFlush(dpy);
}

void X11WindowSystem::CloseWindow(WindowHandle handle) {
    Display* dpy = m_display.handle();
    const auto window = static_cast<Window>(handle);
    if (!available() || !deIconify(dpy, window)) {
        return;
    }
    Atom* protocols = nullptr;
    int count = 0;
    bool deletable = false;
    const Atom deleteAtom = atom(dpy, "WM_DELETE_WINDOW");
    if (XGetWMProtocols(dpy, window, &protocols, &count) != 0) {
        for (int i = 0; i < count; ++i) {
            deletable = deletable || protocols[i] == deleteAtom;
        }
        XFree(protocols);
    }
    if (deletable) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = atom(dpy, "WM_PROTOCOLS");
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(deleteAtom);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy, window, False, NoEventMask, &event);
    }
    XFlush(dpy);
}

WindowHandle X11WindowSystem::windowOfProcess(std::uint32_t pid) {
    if (!available() || pid == 0) {
        return 0;
    }
    Display* dpy = m_display.handle();
    const Atom pidAtom = atom(dpy, "_NET_WM_PID");
    Window hidden = 0;
    for (const Window window : clientsFrontToBack(dpy)) {
        long value = 0;
        if (!readCardinal(dpy, window, pidAtom, XA_CARDINAL, &value) ||
            static_cast<std::uint32_t>(value) != pid) {
            continue;
        }
        const long state = wmState(dpy, window);
        if (state == kWmStateNormal || state == kWmStateIconic) {
            return window;
        }
        if (hidden == 0) {
            hidden = window;
        }
    }
    return hidden;
}

WindowHandle X11WindowSystem::focusedWindow() {
    if (!available()) {
        return 0;
    }
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display.handle(), &focus, &revert);
    return focus > PointerRoot ? focus : 0;
}

WindowHandle X11WindowSystem::activeWindow() {
    if (!available()) {
        return 0;
    }
    Display* dpy = m_display.handle();
    long value = 0;
    if (!readCardinal(dpy, DefaultRootWindow(dpy), atom(dpy, "_NET_ACTIVE_WINDOW"), XA_WINDOW,
                      &value)) {
        return 0;
    }
    return static_cast<WindowHandle>(static_cast<unsigned long>(value));
}

} // namespace velatask
