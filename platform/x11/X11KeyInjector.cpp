#include "platform/x11/X11KeyInjector.h"

#include "platform/x11/VirtualKeyTable.h"
#include "platform/x11/X11Display.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <iterator>

namespace velatask {

namespace {

// Left and right keysyms of Shift, Ctrl and Alt.
constexpr KeySym kModifierKeysyms[3][2] = {
    {XK_Shift_L, XK_Shift_R}, {XK_Control_L, XK_Control_R}, {XK_Alt_L, XK_Alt_R}};
constexpr std::uint16_t kModifierBits[3] = {0x100, 0x200, 0x400};

bool keyIsDown(const char keys[32], unsigned keycode) {
    return (static_cast<unsigned char>(keys[keycode / 8]) >> (keycode % 8)) & 1u;
}

// Plain and shifted keysym of a keycode in group 1; a letter listed only in lower case shifts to
// its upper case, as Xlib's own lookup does.
struct Levels {
    KeySym plain = NoSymbol;
    KeySym shifted = NoSymbol;
};

Levels levelsOf(const KeySym* syms, int perKeycode) {
    Levels levels;
    levels.plain = syms[0];
    levels.shifted = perKeycode > 1 ? syms[1] : NoSymbol;
    if (levels.shifted == NoSymbol && levels.plain != NoSymbol) {
        KeySym lower = NoSymbol;
        KeySym upper = NoSymbol;
        XConvertCase(levels.plain, &lower, &upper);
        if (upper != lower) {
            levels.shifted = upper;
        }
    }
    return levels;
}

} // namespace

X11KeyInjector::X11KeyInjector(X11Display& display) : m_display(display) {}

bool X11KeyInjector::available() const {
    if (!m_display.available()) {
        return false;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    return XTestQueryExtension(m_display.handle(), &eventBase, &errorBase, &major, &minor) != 0;
}

std::uint16_t X11KeyInjector::heldModifiers() {
    if (!m_display.available()) {
        return 0;
    }
    std::uint16_t held = 0;
    for (int m = 0; m < ModifierCount; ++m) {
        if (!modifierKeycodesDown(static_cast<Modifier>(m)).empty()) {
            held |= kModifierBits[m];
        }
    }
    return held;
}

bool X11KeyInjector::capsLockOn() {
    if (!m_display.available()) {
        return false;
    }
    XkbStateRec state{};
    if (XkbGetState(m_display.handle(), XkbUseCoreKbd, &state) != Success) {
        return false;
    }
    return (state.locked_mods & LockMask) != 0;
}

std::optional<KeyForChar> X11KeyInjector::keyForChar(char32_t ch) {
    const KeySym wanted = VirtualKeyTable::keysymForChar(ch);
    if (!m_display.available() || wanted == 0) {
        return std::nullopt;
    }
    m_display.refreshKeyboardMapping();
    Display* dpy = m_display.handle();
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(dpy, &minKeycode, &maxKeycode);
    int perKeycode = 0;
    KeySym* map = XGetKeyboardMapping(dpy, static_cast<KeyCode>(minKeycode),
                                      maxKeycode - minKeycode + 1, &perKeycode);
    if (map == nullptr) {
        return std::nullopt;
    }
    // An exact keysym beats a keysym that merely yields the character (keypad "*" for "*"), and a
    // plain level anywhere beats a shifted one, so "1" is never typed as Shift+keypad key.
    int foundKeycode = 0;
    bool foundShift = false;
    KeySym foundPlain = NoSymbol;
    for (int pass = 0; pass < 4 && foundKeycode == 0; ++pass) {
        const bool shifted = pass % 2 == 1;
        const bool exact = pass < 2;
        for (int kc = minKeycode; kc <= maxKeycode; ++kc) {
            const Levels levels = levelsOf(map + (kc - minKeycode) * perKeycode, perKeycode);
            const KeySym sym = shifted ? levels.shifted : levels.plain;
            const bool matches = exact ? sym == wanted
                                       : sym != NoSymbol && ch >= 0x20 &&
                                             xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(sym)) ==
                                                 static_cast<std::uint32_t>(ch);
            if (matches) {
                foundKeycode = kc;
                foundShift = shifted;
                foundPlain = levels.plain;
                break;
            }
        }
    }
    XFree(map);
    if (foundKeycode == 0) {
        return std::nullopt;
    }
    const auto keycode = static_cast<std::uint8_t>(foundKeycode);
    if (const auto vk = VirtualKeyTable::virtualKeyFor(foundPlain);
        vk && keycodeFor(*vk) == keycode) {
        return KeyForChar{*vk, foundShift};
    }
    const std::uint8_t spare = bindSpareVirtualKey(keycode);
    if (spare == 0) {
        return std::nullopt;
    }
    return KeyForChar{spare, foundShift, true};
}

std::uint8_t X11KeyInjector::keycodeFor(std::uint8_t virtualKey) {
    if (!m_display.available()) {
        return 0;
    }
    if (const auto it = m_spareBindings.find(virtualKey); it != m_spareBindings.end()) {
        return it->second;
    }
    const KeySym keysym = VirtualKeyTable::keysymFor(virtualKey);
    if (keysym == 0) {
        return 0;
    }
    return XKeysymToKeycode(m_display.handle(), keysym);
}

void X11KeyInjector::inject(const std::vector<KeyEvent>& events) {
    if (!available() || events.empty()) {
        return;
    }
    m_display.refreshKeyboardMapping();
    Display* dpy = m_display.handle();
    for (const KeyEvent& event : events) {
        switch (event.virtualKey) {
        case 0x10:
            injectModifier(ShiftModifier, event.down);
            continue;
        case 0x11:
            injectModifier(ControlModifier, event.down);
            continue;
        case 0x12:
            injectModifier(AltModifier, event.down);
            continue;
        default:
            break;
        }
        const std::uint8_t keycode = keycodeFor(event.virtualKey);
        if (keycode != 0) {
            XTestFakeKeyEvent(dpy, keycode, event.down ? True : False, CurrentTime);
        }
    }
    // Wait until the server has taken every event, so nothing else overtakes them.
    XSync(dpy, False);
}

void X11KeyInjector::injectModifier(Modifier modifier, bool down) {
    Display* dpy = m_display.handle();
    std::vector<std::uint8_t>& released = m_releasedModifiers[modifier];
    if (down) {
        std::vector<std::uint8_t> keycodes = std::move(released);
        released.clear();
        if (keycodes.empty()) {
            keycodes.push_back(XKeysymToKeycode(dpy, kModifierKeysyms[modifier][0]));
        }
        for (const std::uint8_t keycode : keycodes) {
            if (keycode != 0) {
                XTestFakeKeyEvent(dpy, keycode, True, CurrentTime);
            }
        }
        return;
    }
    // Release whichever of the left and right keys is down, and remember them for the restore.
    std::vector<std::uint8_t> keycodes = modifierKeycodesDown(modifier);
    if (keycodes.empty()) {
        keycodes.push_back(XKeysymToKeycode(dpy, kModifierKeysyms[modifier][0]));
    }
    for (const std::uint8_t keycode : keycodes) {
        if (keycode != 0) {
            XTestFakeKeyEvent(dpy, keycode, False, CurrentTime);
        }
    }
    released = std::move(keycodes);
}

std::vector<std::uint8_t> X11KeyInjector::modifierKeycodesDown(Modifier modifier) {
    Display* dpy = m_display.handle();
    char keys[32] = {};
    XQueryKeymap(dpy, keys);
    std::vector<std::uint8_t> down;
    for (const KeySym keysym : kModifierKeysyms[modifier]) {
        const KeyCode keycode = XKeysymToKeycode(dpy, keysym);
        if (keycode != 0 && keyIsDown(keys, keycode)) {
            bool listed = false;
            for (const std::uint8_t known : down) {
                listed = listed || known == keycode;
            }
            if (!listed) {
                down.push_back(keycode);
            }
        }
    }
    return down;
}

std::uint8_t X11KeyInjector::bindSpareVirtualKey(std::uint8_t keycode) {
    for (const auto& [vk, bound] : m_spareBindings) {
        if (bound == keycode) {
            return vk;
        }
    }
    constexpr std::size_t count = std::size(VirtualKeyTable::kSpareVirtualKeys);
    // When all are taken, the oldest binding is reused: callers play a borrowed key before they
    // ask for the next character.
    const std::uint8_t vk = VirtualKeyTable::kSpareVirtualKeys[m_nextSpare % count];
    m_nextSpare = (m_nextSpare + 1) % count;
    m_spareBindings[vk] = keycode;
    return vk;
}

} // namespace velatask
