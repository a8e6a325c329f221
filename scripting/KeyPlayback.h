#pragma once

#include "scripting/KeyEventBuilder.h"
#include "scripting/KeyPlayer.h"
#include "scripting/PendingKeys.h"

#include <deque>
#include <memory>
#include <optional>

namespace velatask {

class DeliveryScheduler;
class KeyInjector;

// Key playback: appends codes to the pending keys and plays them, one code per turn of the
// event loop, through the platform's key injector. The user's own held modifiers are restored
// after every call.
//
// A character whose key has no virtual key of its own (another layout's letters) borrows one of
// a few spare numbers, which later characters take back. Such a character waits in the pending
// keys as itself and gets its key only when it is played, so a long text of many distinct
// characters never plays an earlier one with a later one's key.
class KeyPlayback : public KeyPlayer {
public:
    KeyPlayback(KeyInjector& injector, DeliveryScheduler& scheduler);
    ~KeyPlayback() override;

    bool TypeText(const QString& text) override;
    bool PressKey(std::uint16_t code) override;

    bool isPlaying() const { return m_playing; }
    const PendingKeys& pending() const { return m_pending; }
    // A Caps Lock press is waiting in the pending keys.
    bool capsLockPending() const { return m_capsLockPending; }

private:
    // The codes that type `text`, Shift inverted for letters when Caps Lock is on; characters the
    // layout cannot produce are left out. Characters with borrowed keys are marked and listed in
    // `borrowed`, in order.
    std::vector<std::uint16_t> codesForText(const QString& text, bool capsLockOn,
                                            std::vector<char32_t>& borrowed);
    // The modifiers the user holds: what the keyboard reports, less what playback has pressed
    // and plus what it has let go of the user's keys.
    std::uint16_t userModifiers();
    bool appendAndStart(std::vector<std::uint16_t> codes, const std::vector<char32_t>& borrowed);
    void postDelivery();
    void deliverNext();

    KeyInjector& m_injector;
    DeliveryScheduler& m_scheduler;
    PendingKeys m_pending;
    // The characters of the marked pending codes, in order.
    std::deque<char32_t> m_borrowedChars;
    bool m_playing = false;
    bool m_capsLockPending = false;
    std::optional<KeyEventBuilder> m_builder;
    // The modifiers that were down when the builder started.
    std::uint16_t m_startModifiers = 0;
    // Lets posted deliveries notice that the playback has gone away.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace velatask
