#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

namespace velatask::test {

// One key event as a test window received it.
struct ReceivedKey {
    std::uint32_t keysym = 0; // the key's plain keysym
    bool press = false;
    unsigned int state = 0; // modifier mask before the event
    std::string text;       // what the event types (presses only)
};

// X modifier mask bits as the received state carries them.
inline constexpr unsigned int kShiftMask = 1u << 0;
inline constexpr unsigned int kLockMask = 1u << 1;
inline constexpr unsigned int kControlMask = 1u << 2;
inline constexpr unsigned int kAltMask = 1u << 3;

// A real X client window in the test process, on its own connection, that records the key events
// it receives. Xlib stays inside its .cpp file.
class XProbeWindow {
public:
    struct Options {
        std::string title;
        bool mapped = true;
        bool utf8Title = true; // _NET_WM_NAME as well as WM_NAME
    };

    explicit XProbeWindow(const Options& options);
    ~XProbeWindow();
    XProbeWindow(const XProbeWindow&) = delete;
    XProbeWindow& operator=(const XProbeWindow&) = delete;

    bool isOpen() const { return m_window != 0; }
    std::uint64_t id() const { return m_window; }

    // Reads every event that has arrived.
    void pump();
    bool waitViewable(int timeoutMs);
    // Asks the window manager to iconify the window and waits until it is no longer shown.
    bool iconify(int timeoutMs);
    // Waits until a release of `keysym` arrives.
    bool waitForRelease(std::uint32_t keysym, int timeoutMs);

    std::vector<ReceivedKey>& keys() { return m_keys; }
    std::string typedText() const;

    // Presses or releases a key as if the user did, through XTest on the probe's connection.
    void fakeKey(std::uint32_t keysym, bool down);
    bool keyDown(std::uint32_t keysym);

    // Gives an unused keycode the two keysyms, as another keyboard layout would; 0 when none is
    // free. unbindKeycode empties it again.
    int bindSpareKeycode(std::uint32_t plain, std::uint32_t shifted);
    void unbindKeycode(int keycode);

private:
    _XDisplay* m_display = nullptr;
    unsigned long m_window = 0;
    std::vector<ReceivedKey> m_keys;
};

} // namespace velatask::test
