#pragma once

#include "platform/KeyInjector.h"

#include <cstdint>
#include <vector>

namespace velatask {

// Turns key codes into the exact modifier and key events that play them. It remembers which
// modifiers the playback holds and whether events go out as system keys, from one code to the
// next. A code whose key part is 0 only moves the modifiers (the restore entry).
class KeyEventBuilder {
public:
    // `heldModifiers`: the modifier bits already down when playback starts.
    explicit KeyEventBuilder(std::uint16_t heldModifiers = 0);

    // Appends the events of one code to `out`.
    void append(std::uint16_t code, std::vector<KeyEvent>& out);
    std::vector<KeyEvent> eventsFor(std::uint16_t code);

    std::uint16_t pressedModifiers() const { return m_pressed; }

private:
    void changeModifier(std::uint16_t bit, std::vector<KeyEvent>& out);

    std::uint16_t m_pressed;
    bool m_systemKeys;
};

} // namespace velatask
