#include "scripting/KeyPlayback.h"

#include "platform/KeyInjector.h"
#include "scripting/DeliveryScheduler.h"
#include "scripting/KeyCode.h"

#include <QChar>
#include <QList>

namespace velatask {

KeyPlayback::KeyPlayback(KeyInjector& injector, DeliveryScheduler& scheduler)
    : m_injector(injector), m_scheduler(scheduler) {}

KeyPlayback::~KeyPlayback() = default;

std::vector<std::uint16_t> KeyPlayback::codesForText(const QString& text, KeyInjector& layout,
                                                     bool capsLockOn) {
    std::vector<std::uint16_t> codes;
    for (char32_t ch : text.toUcs4()) {
        const std::optional<KeyForChar> key = layout.keyForChar(ch);
        // Key part 0 is the mark of a restore entry, never a key to type.
        if (!key || key->virtualKey == 0) {
            continue;
        }
        bool shift = key->shift;
        if (capsLockOn && QChar::isLetter(ch)) {
            shift = !shift;
        }
        codes.push_back(
            static_cast<std::uint16_t>(key->virtualKey | (shift ? KeyCode::kShift : 0)));
    }
    return codes;
}

bool KeyPlayback::TypeText(const QString& text) {
    if (!m_injector.available()) {
        return false;
    }
    const bool capsLock = m_injector.capsLockOn() != m_capsLockPending;
    std::vector<std::uint16_t> codes = codesForText(text, m_injector, capsLock);
    codes.push_back(m_injector.heldModifiers() & KeyCode::kModifiers);
    return appendAndStart(std::move(codes));
}

bool KeyPlayback::PressKey(std::uint16_t code) {
    if (!m_injector.available()) {
        return false;
    }
    const auto restore =
        static_cast<std::uint16_t>(m_injector.heldModifiers() & KeyCode::kModifiers);
    return appendAndStart({code, restore});
}

bool KeyPlayback::appendAndStart(std::vector<std::uint16_t> codes) {
    // All or nothing: a call is never cut off before its restore entry, which would leave
    // modifiers pressed.
    if (!m_pending.append(codes)) {
        return false;
    }
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
        m_builder.emplace(
            static_cast<std::uint16_t>(m_injector.heldModifiers() & KeyCode::kModifiers));
    }
    const std::uint16_t code = m_pending.takeFirst();
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
