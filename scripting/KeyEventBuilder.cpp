#include "scripting/KeyEventBuilder.h"

#include "scripting/KeyCode.h"

namespace velatask {

namespace {

std::uint8_t modifierKey(std::uint16_t bit) {
    switch (bit) {
    case KeyCode::kShift:
        return KeyCode::kVkShift;
    case KeyCode::kCtrl:
        return KeyCode::kVkControl;
    default:
        return KeyCode::kVkAlt;
    }
}

bool altWithoutCtrl(std::uint16_t modifiers) {
    return (modifiers & KeyCode::kAlt) != 0 && (modifiers & KeyCode::kCtrl) == 0;
}

} // namespace

// Modifiers the user already holds are let go in the kind they were pressed in.
KeyEventBuilder::KeyEventBuilder(std::uint16_t heldModifiers)
    : m_pressed(heldModifiers), m_systemKeys(altWithoutCtrl(heldModifiers)) {}

void KeyEventBuilder::changeModifier(std::uint16_t bit, std::vector<KeyEvent>& out) {
    const bool press = (m_pressed & bit) == 0;
    m_pressed ^= bit;
    // A press decides the kind from the combination it makes (Ctrl makes normal keys, Alt alone
    // system keys); a release keeps the kind of the combination being let go, so that Alt is
    // released as it was pressed.
    if (press) {
        m_systemKeys = altWithoutCtrl(m_pressed);
    }
    out.push_back({modifierKey(bit), press, m_systemKeys});
}

void KeyEventBuilder::append(std::uint16_t code, std::vector<KeyEvent>& out) {
    const std::uint16_t wanted = KeyCode::modifiers(code);
    // Lowest differing bit first: Shift, then Ctrl, then Alt.
    for (std::uint16_t bit : {KeyCode::kShift, KeyCode::kCtrl, KeyCode::kAlt}) {
        if ((m_pressed & bit) != (wanted & bit)) {
            changeModifier(bit, out);
        }
    }
    const std::uint8_t key = KeyCode::virtualKey(code);
    if (key == 0) {
        return;
    }
    m_systemKeys = altWithoutCtrl(m_pressed);
    out.push_back({key, true, m_systemKeys});
    out.push_back({key, false, m_systemKeys});
}

std::vector<KeyEvent> KeyEventBuilder::eventsFor(std::uint16_t code) {
    std::vector<KeyEvent> events;
    append(code, events);
    return events;
}

} // namespace velatask
