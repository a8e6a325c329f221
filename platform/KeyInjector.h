#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace velatask {

// One synthetic key event; virtualKey uses the Windows virtual-key numbering of key codes.
struct KeyEvent {
    std::uint8_t virtualKey = 0;
    bool down = false;
    bool systemKey = false; // delivered as a system key (Alt held without Ctrl)
    bool operator==(const KeyEvent&) const = default;
};

// The key that produces a character in the current keyboard layout.
struct KeyForChar {
    std::uint8_t virtualKey = 0;
    bool shift = false;
    // The virtual key is a spare number lent to the character's key; the next character that
    // needs one may take it back, so it holds only until then.
    bool borrowed = false;
};

// Key playback into the desktop's input stream. The event order is decided by the scripting
// logic; the injector only delivers the events it is given, in that order.
class KeyInjector {
public:
    virtual ~KeyInjector() = default;
    // False when keys cannot be played (no X11 display, Wayland session).
    virtual bool available() const = 0;
    // Modifiers the user physically holds, as key-code bits 0x100 Shift, 0x200 Ctrl, 0x400 Alt.
    virtual std::uint16_t heldModifiers() = 0;
    virtual bool capsLockOn() = 0;
    // Which virtual key (and whether Shift) types `ch`; nullopt when the layout cannot produce it.
    // A borrowed key must be played before keyForChar is asked again.
    virtual std::optional<KeyForChar> keyForChar(char32_t ch) = 0;
    virtual void inject(const std::vector<KeyEvent>& events) = 0;
};

} // namespace velatask
