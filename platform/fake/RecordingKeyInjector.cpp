#include "platform/fake/RecordingKeyInjector.h"

#include <QChar>

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

void RecordingKeyInjector::lendSpareKeys(const std::u32string& chars,
                                         const std::vector<std::uint8_t>& spareKeys) {
    m_borrowable = chars;
    m_spareKeys = spareKeys;
}

std::optional<KeyForChar> RecordingKeyInjector::keyForChar(char32_t ch) {
    const char32_t lower = QChar::toLower(ch);
    if (!m_spareKeys.empty() && m_borrowable.find(lower) != std::u32string::npos) {
        const bool shift = lower != ch;
        for (const auto& [vk, loaned] : m_loans) {
            if (loaned == lower) {
                return KeyForChar{vk, shift, true};
            }
        }
        const std::uint8_t vk = m_spareKeys[m_nextSpare++ % m_spareKeys.size()];
        m_loans[vk] = lower;
        return KeyForChar{vk, shift, true};
    }
    const auto it = m_layout.find(ch);
    if (it == m_layout.end()) {
        return std::nullopt;
    }
    return it->second;
}

void RecordingKeyInjector::inject(const std::vector<KeyEvent>& events) {
    ++m_injectCalls;
    m_events.insert(m_events.end(), events.begin(), events.end());
    for (const KeyEvent& e : events) {
        const std::uint16_t bit = e.virtualKey == 0x10   ? 0x100
                                  : e.virtualKey == 0x11 ? 0x200
                                  : e.virtualKey == 0x12 ? 0x400
                                                         : 0;
        if (bit != 0) {
            m_heldModifiers = e.down ? (m_heldModifiers | bit) : (m_heldModifiers & ~bit);
            continue;
        }
        const auto loan = m_loans.find(e.virtualKey);
        if (e.down && loan != m_loans.end()) {
            const bool shifted = (m_heldModifiers & 0x100) != 0;
            m_typedWithBorrowed += shifted ? QChar::toUpper(loan->second) : loan->second;
        }
    }
}

} // namespace velatask
