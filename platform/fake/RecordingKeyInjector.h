#pragma once

#include "platform/KeyInjector.h"

#include <map>
#include <vector>

namespace velatask {

// A key injector for tests: a settable keyboard state and layout, and a record of every event.
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
};

} // namespace velatask
