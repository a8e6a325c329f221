#include "scripting/KeyPlayback.h"

#include "platform/KeyInjector.h"
#include "scripting/DeliveryScheduler.h"
#include "scripting/KeyCode.h"

#include <QChar>
#include <QList>

namespace velatask {
namespace {

// Marks a pending code whose key is looked up when it is played; only playback sets it.
constexpr std::uint16_t kKeyWhenPlayed = 0x8000;
constexpr std::uint16_t kCodeBits = 0xFF | KeyCode::kModifiers;

} // namespace

KeyPlayback::KeyPlayback(KeyInjector& injector, DeliveryScheduler& scheduler)
    : m_injector(injector), m_scheduler(scheduler) {}

KeyPlayback::~KeyPlayback() = default;

std::vector<std::uint16_t> KeyPlayback::codesForText(const QString& text, bool capsLockOn,
                                                     std::vector<char32_t>& borrowed) {
    std::vector<std::uint16_t> codes;
    for (char32_t ch : text.toUcs4()) {
        const std::optional<KeyForChar> key = m_injector.keyForChar(ch);
        // Key part 0 is the mark of a restore entry, never a key to type.
        if (!key || key->virtualKey == 0) {
            continue;
        }
        bool shift = key->shift;
        if (capsLockOn && QChar::isLetter(ch)) {
            shift = !shift;
        }
        const std::uint16_t modifiers = shift ? KeyCode::kShift : 0;
        if (key->borrowed) {
            codes.push_back(kKeyWhenPlayed | modifiers);
            borrowed.push_back(ch);
        } else {
            codes.push_back(static_cast<std::uint16_t>(key->virtualKey | modifiers));
        }
    }
    return codes;
}

std::uint16_t KeyPlayback::userModifiers() {
    auto held = static_cast<std::uint16_t>(m_injector.heldModifiers() & KeyCode::kModifiers);
    if (m_playing && m_builder) {
        held ^= m_builder->pressedModifiers() ^ m_startModifiers;
    }
    return held;
}

bool KeyPlayback::TypeText(const QString& text) {
    if (!m_injector.available()) {
        return false;
    }
    const bool capsLock = m_injector.capsLockOn() != m_capsLockPending;
    std::vector<char32_t> borrowed;
    std::vector<std::uint16_t> codes = codesForText(text, capsLock, borrowed);
    codes.push_back(userModifiers());
    return appendAndStart(std::move(codes), borrowed);
}

bool KeyPlayback::PressKey(std::uint16_t code) {
    if (!m_injector.available()) {
        return false;
    }
    return appendAndStart({static_cast<std::uint16_t>(code & kCodeBits), userModifiers()}, {});
}

bool KeyPlayback::appendAndStart(std::vector<std::uint16_t> codes,
                                 const std::vector<char32_t>& borrowed) {
    // All or nothing: a call is never cut off before its restore entry, which would leave
    // modifiers pressed.
    if (!m_pending.append(codes)) {
        return false;
    }
    m_borrowedChars.insert(m_borrowedChars.end(), borrowed.begin(), borrowed.end());
    for (std::uint16_t code : codes) {
        if (KeyCode::virtualKey(code) == KeyCode::kVkCapsLock) {
            m_capsLockPending = !m_capsLockPending;
        }
    }
    if (!m_playing) {
        m_playing = true;
        m_builder.reset();
        postDelivery();
    }
    return true;
}

void KeyPlayback::deliverNext() {
    if (m_pending.isEmpty()) {
        m_playing = false;
        return;
    }
    if (!m_builder) {
        // Playback starts from the modifiers the keyboard holds now.
        m_startModifiers =
            static_cast<std::uint16_t>(m_injector.heldModifiers() & KeyCode::kModifiers);
        m_builder.emplace(m_startModifiers);
    }
    std::uint16_t code = m_pending.takeFirst();
    if ((code & kKeyWhenPlayed) != 0) {
        const char32_t ch = m_borrowedChars.front();
        m_borrowedChars.pop_front();
        // Every borrowed key before this one has been played, so the number is free to lend.
        const std::optional<KeyForChar> key = m_injector.keyForChar(ch);
        code = static_cast<std::uint16_t>(KeyCode::modifiers(code) | (key ? key->virtualKey : 0));
    }
    if (KeyCode::virtualKey(code) == KeyCode::kVkCapsLock) {
        m_capsLockPending = !m_capsLockPending;
    }
    const std::vector<KeyEvent> events = m_builder->eventsFor(code);
    if (!events.empty()) {
        m_injector.inject(events);
    }
    if (m_pending.isEmpty()) {
        m_playing = false;
        return;
    }
    postDelivery();
}

void KeyPlayback::postDelivery() {
    std::weak_ptr<bool> alive = m_alive;
    m_scheduler.post([this, alive] {
        if (!alive.expired()) {
            deliverNext();
        }
    });
}

} // namespace velatask
