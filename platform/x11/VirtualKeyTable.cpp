#include "platform/x11/VirtualKeyTable.h"

// keysym.h only defines XK_ numbers; it pulls in none of Xlib's clashing macros.
#include <X11/keysym.h>

#include <array>
#include <utility>

namespace velatask::VirtualKeyTable {

namespace {

struct Entry {
    std::uint8_t vk;
    std::uint32_t keysym;
};

// Keys other than letters, digits and function keys.
constexpr std::array kNamedKeys{
    Entry{0x08, XK_BackSpace},
    Entry{0x09, XK_Tab},
    Entry{0x0C, XK_Clear},
    Entry{0x0D, XK_Return},
    Entry{0x10, XK_Shift_L},
    Entry{0x11, XK_Control_L},
    Entry{0x12, XK_Alt_L},
    Entry{0x13, XK_Pause},
    Entry{0x14, XK_Caps_Lock},
    Entry{0x1B, XK_Escape},
    Entry{0x20, XK_space},
    Entry{0x21, XK_Prior},
    Entry{0x22, XK_Next},
    Entry{0x23, XK_End},
    Entry{0x24, XK_Home},
    Entry{0x25, XK_Left},
    Entry{0x26, XK_Up},
    Entry{0x27, XK_Right},
    Entry{0x28, XK_Down},
    Entry{0x29, XK_Select},
    Entry{0x2C, XK_Print},
    Entry{0x2B, XK_Execute},
    Entry{0x2D, XK_Insert},
    Entry{0x2E, XK_Delete},
    Entry{0x2F, XK_Help},
    Entry{0x5B, XK_Super_L},
    Entry{0x5C, XK_Super_R},
    Entry{0x5D, XK_Menu},
    Entry{0x6A, XK_KP_Multiply},
    Entry{0x6B, XK_KP_Add},
    Entry{0x6C, XK_KP_Separator},
    Entry{0x6D, XK_KP_Subtract},
    Entry{0x6E, XK_KP_Decimal},
    Entry{0x6F, XK_KP_Divide},
    Entry{0x90, XK_Num_Lock},
    Entry{0x91, XK_Scroll_Lock},
    Entry{0xA0, XK_Shift_L},
    Entry{0xA1, XK_Shift_R},
    Entry{0xA2, XK_Control_L},
    Entry{0xA3, XK_Control_R},
    Entry{0xA4, XK_Alt_L},
    Entry{0xA5, XK_Alt_R},
    Entry{0xBA, XK_semicolon},
    Entry{0xBB, XK_equal},
    Entry{0xBC, XK_comma},
    Entry{0xBD, XK_minus},
    Entry{0xBE, XK_period},
    Entry{0xBF, XK_slash},
    Entry{0xC0, XK_grave},
    Entry{0xDB, XK_bracketleft},
    Entry{0xDC, XK_backslash},
    Entry{0xDD, XK_bracketright},
    Entry{0xDE, XK_apostrophe},
    // The old Print key shares its keysym with Print Screen, which answers for it.
    Entry{0x2A, XK_Print},
};

} // namespace

std::uint32_t keysymFor(std::uint8_t vk) {
    if (vk >= 'A' && vk <= 'Z') {
        return XK_a + (vk - 'A');
    }
    if (vk >= '0' && vk <= '9') {
        return XK_0 + (vk - '0');
    }
    if (vk >= 0x60 && vk <= 0x69) {
        return XK_KP_0 + (vk - 0x60);
    }
    if (vk >= 0x70 && vk <= 0x87) {
        return XK_F1 + (vk - 0x70);
    }
    for (const Entry& e : kNamedKeys) {
        if (e.vk == vk) {
            return e.keysym;
        }
    }
    return 0;
}

std::optional<std::uint8_t> virtualKeyFor(std::uint32_t keysym) {
    if (keysym >= XK_a && keysym <= XK_z) {
        return static_cast<std::uint8_t>('A' + (keysym - XK_a));
    }
    if (keysym >= XK_A && keysym <= XK_Z) {
        return static_cast<std::uint8_t>('A' + (keysym - XK_A));
    }
    if (keysym >= XK_0 && keysym <= XK_9) {
        return static_cast<std::uint8_t>('0' + (keysym - XK_0));
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
        return static_cast<std::uint8_t>(0x60 + (keysym - XK_KP_0));
    }
    if (keysym >= XK_F1 && keysym <= XK_F24) {
        return static_cast<std::uint8_t>(0x70 + (keysym - XK_F1));
    }
    // The first entry wins, so Shift_L answers 0x10 rather than 0xA0.
    for (const Entry& e : kNamedKeys) {
        if (e.keysym == keysym) {
            return e.vk;
        }
    }
    return std::nullopt;
}

std::uint32_t keysymForChar(char32_t ch) {
    switch (ch) {
    case U'\t':
        return XK_Tab;
    case U'\r':
    case U'\n':
        return XK_Return;
    case U'\b':
        return XK_BackSpace;
    case 0x1B:
        return XK_Escape;
    default:
        break;
    }
    if ((ch >= 0x20 && ch <= 0x7E) || (ch >= 0xA0 && ch <= 0xFF)) {
        return static_cast<std::uint32_t>(ch);
    }
    if (ch > 0xFF && ch <= 0x10FFFF && !(ch >= 0xD800 && ch <= 0xDFFF)) {
        return 0x01000000u | static_cast<std::uint32_t>(ch);
    }
    return 0;
}

} // namespace velatask::VirtualKeyTable
