#pragma once

#include "platform/Pause.h"

namespace velatask {

class Clock;

// The real pause between keystroke chunks: keeps processing the thread's events (timers, key
// delivery) until the clock reaches the target, and ends when the day changes meanwhile.
class EventLoopPause : public Pause {
public:
    explicit EventLoopPause(const Clock& clock) : m_clock(clock) {}

    void waitUntil(std::int32_t targetTime) override;

private:
    const Clock& m_clock;
};

} // namespace velatask
