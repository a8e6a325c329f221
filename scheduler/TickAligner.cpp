#include "scheduler/TickAligner.h"

#include "platform/Clock.h"

#include <cstdlib>

namespace velatask {

TickAligner::Wake TickAligner::wake() {
    const std::int64_t wall = m_clock.wallMsecs();
    const std::int64_t steady = m_clock.steadyMsecs();
    const bool jumped =
        m_started && std::llabs((wall - m_wall) - (steady - m_steady)) > kJumpToleranceMs;
    const bool first = !m_started;
    m_started = true;
    m_wall = wall;
    m_steady = steady;

    std::int64_t second = wall / 1000;
    if (wall % 1000 < 0) {
        --second;
    }
    const std::int64_t into = wall - second * 1000;

    Wake result;
    // A wake-up that follows a setting of the clock only re-aligns: the seconds jumped over get
    // no tick, and a late wake-up in the new time would not come just after its second.
    result.tick = !first && !jumped && into >= kEarliestMs && m_tickedSecond != second;
    if (result.tick) {
        m_tickedSecond = second;
    }
    std::int64_t next = second * 1000 + kTargetMs;
    if (next <= wall || m_tickedSecond == second) {
        next += 1000;
    }
    result.delayMs = static_cast<int>(next - wall);
    return result;
}

} // namespace velatask
