#pragma once

#include "platform/KeyInjector.h"

#include <map>
#include <string>
#include <vector>

namespace velatask {

// A key injector for tests: a settable keyboard state and layout, and a record of every event.
// Modifier events it is given change the held modifiers it reports, as a real keyboard's state
// would change.
class RecordingKeyInjector : public KeyInjector {
public:
    // Starts with a US-like layout for printable ASCII.
    RecordingKeyInjector();

    bool available() const override { return m_available; }
    std::uint16_t heldModifiers() override { return m_heldModifiers; }
    bool capsLockOn() override { return m_capsLockOn; }
    std::optional<KeyForChar> keyForChar(char32_t ch) override;
    void inject(const std::vector<KeyEvent>& events) override;

    void setAvailable(bool available) { m_available = available; }
    void setHeldModifiers(std::uint16_t bits) { m_heldModifiers = bits; }
    void setCapsLockOn(bool on) { m_capsLockOn = on; }
    // Makes the layout unable (nullopt) or able to produce a character.
    void removeChar(char32_t ch) { m_layout.erase(ch); }
    void setKeyForChar(char32_t ch, KeyForChar key) { m_layout[ch] = key; }
    // Makes `chars` (lower case, Shift for their capitals) reachable only through borrowed keys:
    // the `spareKeys` numbers are lent in turn, the oldest loan taken back first.
    void lendSpareKeys(const std::u32string& chars, const std::vector<std::uint8_t>& spareKeys);
    // What the borrowed keys typed, each key-down read with the loan in force when it was played.
    const std::u32string& typedWithBorrowedKeys() const { return m_typedWithBorrowed; }

    const std::vector<KeyEvent>& events() const { return m_events; }
    int injectCalls() const { return m_injectCalls; }
    void clearEvents() {
        m_events.clear();
        m_injectCalls = 0;
    }

private:
    bool m_available = true;
    std::uint16_t m_heldModifiers = 0;
    bool m_capsLockOn = false;
    std::map<char32_t, KeyForChar> m_layout;
    std::vector<KeyEvent> m_events;
    int m_injectCalls = 0;
    std::u32string m_borrowable;
    std::vector<std::uint8_t> m_spareKeys;
    std::map<std::uint8_t, char32_t> m_loans;
    std::size_t m_nextSpare = 0;
    std::u32string m_typedWithBorrowed;
};

} // namespace velatask
