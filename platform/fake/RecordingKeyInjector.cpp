#include "platform/fake/RecordingKeyInjector.h"

namespace velatask {

RecordingKeyInjector::RecordingKeyInjector() {
    for (char32_t c = U'a'; c <= U'z'; ++c) {
        m_layout[c] = {static_cast<std::uint8_t>(c - U'a' + 0x41), false};
        m_layout[c - U'a' + U'A'] = {static_cast<std::uint8_t>(c - U'a' + 0x41), true};
    }
    const char32_t shiftedDigits[] = U")!@#$%^&*(";
    for (char32_t c = U'0'; c <= U'9'; ++c) {
        m_layout[c] = {static_cast<std::uint8_t>(c), false};
        m_layout[shiftedDigits[c - U'0']] = {static_cast<std::uint8_t>(c), true};
    }
    m_layout[U' '] = {0x20, false};
    m_layout[U'\t'] = {0x09, false};
    m_layout[U'\n'] = {0x0D, false};
    // Punctuation keys of the US layout (OEM virtual keys), plain and shifted.
    const struct {
        char32_t plain;
        char32_t shifted;
        std::uint8_t vk;
    } oem[] = {{U';', U':', 0xBA},  {U'=', U'+', 0xBB}, {U',', U'<', 0xBC}, {U'-', U'_', 0xBD},
               {U'.', U'>', 0xBE},  {U'/', U'?', 0xBF}, {U'`', U'~', 0xC0}, {U'[', U'{', 0xDB},
               {U'\\', U'|', 0xDC}, {U']', U'}', 0xDD}, {U'\'', U'"', 0xDE}};
    for (const auto& k : oem) {
        m_layout[k.plain] = {k.vk, false};
        m_layout[k.shifted] = {k.vk, true};
    }
}

std::optional<KeyForChar> RecordingKeyInjector::keyForChar(char32_t ch) {
    const auto it = m_layout.find(ch);
    if (it == m_layout.end()) {
        return std::nullopt;
    }
    return it->second;
}

void RecordingKeyInjector::inject(const std::vector<KeyEvent>& events) {
    ++m_injectCalls;
    m_events.insert(m_events.end(), events.begin(), events.end());
}

} // namespace velatask
