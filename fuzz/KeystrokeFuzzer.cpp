// Sends any keystroke notation through the real sender and playback into a recording keyboard:
// nothing crashes, and once everything is played no modifier is left held that the user did not
// hold. The first byte chooses the modifiers the user holds.
#include "FuzzCheck.h"

#include "platform/fake/FakeClock.h"
#include "platform/fake/RecordingKeyInjector.h"
#include "platform/fake/RecordingPause.h"
#include "scripting/DeliveryScheduler.h"
#include "scripting/KeyPlayback.h"
#include "scripting/KeystrokeSender.h"

#include "core/Date.h"
#include "core/Time.h"

#include <cstddef>
#include <cstdint>
#include <deque>

using namespace velatask;

namespace {

// Holds posted playback until a pause lets the event loop turn.
class QueuedDelivery : public DeliveryScheduler {
public:
    void post(std::function<void()> work) override { m_work.push_back(std::move(work)); }
    void runAll() {
        while (!m_work.empty()) {
            std::function<void()> work = std::move(m_work.front());
            m_work.pop_front();
            work();
        }
    }

private:
    std::deque<std::function<void()>> m_work;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto userHeld = static_cast<std::uint16_t>((data[0] & 0x7) << 8);
    FakeClock clock(Date::fromYmd(1999, 1, 6), Time::fromHms(12, 0));
    RecordingKeyInjector keyboard;
    keyboard.setHeldModifiers(userHeld);
    keyboard.lendSpareKeys(U"\u03b1\u03b2\u03b3\u03b4", {0x88, 0x89});
    QueuedDelivery delivery;
    KeyPlayback playback(keyboard, delivery);
    RecordingPause pause(&clock);
    pause.setListener([&](std::int32_t) { delivery.runAll(); });
    KeystrokeSender sender(playback, clock, pause);
    sender.SendKeystrokes(QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                            static_cast<qsizetype>(size - 1)));
    delivery.runAll();
    check(!playback.isPlaying() && keyboard.heldModifiers() == userHeld);
    return 0;
}
