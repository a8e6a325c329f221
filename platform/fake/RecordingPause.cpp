#include "platform/fake/RecordingPause.h"

#include "platform/fake/FakeClock.h"

namespace velatask {

void RecordingPause::waitUntil(std::int32_t targetTime) {
    m_targets.push_back(targetTime);
    if (m_clock != nullptr && m_clock->now() < targetTime) {
        m_clock->set(m_clock->today(), targetTime);
    }
    if (m_listener) {
        m_listener(targetTime);
    }
}

} // namespace velatask
