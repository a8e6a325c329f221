// A small X client for window tests: opens a titled window that carries its process id and
// takes part in WM_DELETE_WINDOW. Usage: probe_client TITLE close|ignore REPORT_FILE
// Each close request appends a line to REPORT_FILE; "close" then ends the program, "ignore" keeps
// the window open. The program ends by itself after a minute so it never outlives a test run.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s TITLE close|ignore REPORT_FILE\n", argv[0]);
        return 2;
    }
    const bool closes = std::strcmp(argv[2], "close") == 0;
    Display* dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr) {
        return 1;
    }
    // Atoms first: a round trip after the window exists would let a test find it by title and
    // process before it takes part in WM_DELETE_WINDOW.
    Atom deleteAtom = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
    const Window window = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 60, 60, 240, 80, 0,
                                              BlackPixel(dpy, 0), WhitePixel(dpy, 0));
    XSetWMProtocols(dpy, window, &deleteAtom, 1);
    const long pid = static_cast<long>(getpid());
    XChangeProperty(dpy, window, pidAtom, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    XStoreName(dpy, window, argv[1]);
    XMapWindow(dpy, window);
    XFlush(dpy);

    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < end) {
        if (XPending(dpy) == 0) {
            pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
            poll(&fd, 1, 500);
            continue;
        }
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type != ClientMessage ||
            static_cast<Atom>(event.xclient.data.l[0]) != deleteAtom) {
            continue;
        }
        if (FILE* report = std::fopen(argv[3], "a")) {
            std::fputs("close-request\n", report);
            std::fclose(report);
        }
        if (closes) {
            XDestroyWindow(dpy, window);
            XCloseDisplay(dpy);
            return 0;
        }
    }
    XCloseDisplay(dpy);
    return 0;
}
