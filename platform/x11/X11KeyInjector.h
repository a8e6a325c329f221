#pragma once

#include "platform/KeyInjector.h"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace velatask {

class X11Display;

// Key playback through the XTest extension: each event becomes one fake key press or release of
// the X keycode that the keyboard map gives the virtual key's keysym.
//
// What does not carry over from the desktop the codes come from: the system-key flag has no X
// counterpart (the receiving window sees the Alt state itself), mouse codes and keys without a
// keycode in the current map (F13 to F24 on many maps) type nothing, and the number-pad keys
// produce digits or navigation keys according to the Num Lock state, as a real keypad does.
// A character is found by its keysym or by the character a keysym types (so layouts that name
// letters by legacy keysyms work too). A character that the keyboard map cannot produce at its
// plain or shifted level has no key:
// keyForChar answers nullopt and typing it sends nothing.
class X11KeyInjector : public KeyInjector {
public:
    explicit X11KeyInjector(X11Display& display);

    bool available() const override;
    std::uint16_t heldModifiers() override;
    bool capsLockOn() override;
    std::optional<KeyForChar> keyForChar(char32_t ch) override;
    void inject(const std::vector<KeyEvent>& events) override;

    // The X keycode that `virtualKey` presses, or 0 when the map has none.
    std::uint8_t keycodeFor(std::uint8_t virtualKey);

private:
    enum Modifier { ShiftModifier, ControlModifier, AltModifier, ModifierCount };

    void injectModifier(Modifier modifier, bool down);
    std::vector<std::uint8_t> modifierKeycodesDown(Modifier modifier);
    std::uint8_t bindSpareVirtualKey(std::uint8_t keycode);

    X11Display& m_display;
    // Keycodes of modifier keys that playback released, pressed again by the matching key-down
    // so that the user's own key (left or right) is the one held afterwards.
    std::array<std::vector<std::uint8_t>, ModifierCount> m_releasedModifiers;
    // Borrowed virtual keys, each bound to a keycode whose plain keysym has no virtual key.
    std::map<std::uint8_t, std::uint8_t> m_spareBindings;
    std::size_t m_nextSpare = 0;
};

} // namespace velatask
