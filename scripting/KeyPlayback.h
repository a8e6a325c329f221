#pragma once

#include "scripting/KeyEventBuilder.h"
#include "scripting/KeyPlayer.h"
#include "scripting/PendingKeys.h"

#include <memory>
#include <optional>

namespace velatask {

class DeliveryScheduler;
class KeyInjector;

// Key playback: appends codes to the pending keys and plays them, one code per turn of the
// event loop, through the platform's key injector. The user's own held modifiers are restored
// after every call.
class KeyPlayback : public KeyPlayer {
public:
    KeyPlayback(KeyInjector& injector, DeliveryScheduler& scheduler);
    ~KeyPlayback() override;

    bool TypeText(const QString& text) override;
    bool PressKey(std::uint16_t code) override;

    // The codes that type `text` with the given layout, Shift inverted for letters when Caps Lock
    // is on; characters the layout cannot produce are left out.
    static std::vector<std::uint16_t> codesForText(const QString& text, KeyInjector& layout,
                                                   bool capsLockOn);

    bool isPlaying() const { return m_playing; }
    const PendingKeys& pending() const { return m_pending; }
    // A Caps Lock press is waiting in the pending keys.
    bool capsLockPending() const { return m_capsLockPending; }

private:
    bool appendAndStart(std::vector<std::uint16_t> codes);
    void postDelivery();
    void deliverNext();

    KeyInjector& m_injector;
    DeliveryScheduler& m_scheduler;
    PendingKeys m_pending;
    bool m_playing = false;
    bool m_capsLockPending = false;
    std::optional<KeyEventBuilder> m_builder;
    // Lets posted deliveries notice that the playback has gone away.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace velatask
