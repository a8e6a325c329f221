#pragma once

#include "platform/Pause.h"

#include <functional>
#include <vector>

namespace velatask {

class FakeClock;

// A pause for tests: records each target instead of waiting, and moves a fake clock to it.
class RecordingPause : public Pause {
public:
    explicit RecordingPause(FakeClock* clock = nullptr) : m_clock(clock) {}

    void waitUntil(std::int32_t targetTime) override;

    // Called on every pause, after the clock has moved; lets a test log pauses among other calls.
    void setListener(std::function<void(std::int32_t)> listener) {
        m_listener = std::move(listener);
    }

    const std::vector<std::int32_t>& targets() const { return m_targets; }
    int count() const { return static_cast<int>(m_targets.size()); }

private:
    FakeClock* m_clock;
    std::function<void(std::int32_t)> m_listener;
    std::vector<std::int32_t> m_targets;
};

} // namespace velatask
