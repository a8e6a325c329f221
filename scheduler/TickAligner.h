#pragma once

#include <cstdint>
#include <optional>

namespace velatask {

class Clock;

// Times the one-second timer to the wall clock: a tick comes just after each whole second, so
// that a task due on a second is performed within a few hundredths of it. When the wall clock is
// set (by hand, by a time server, on waking from sleep) the next tick again comes just after a
// whole second: each whole second the clock passes gets one tick, a second it jumps over gets
// none, and the second of the last tick is not ticked again after a step back.
class TickAligner {
public:
    // A hundredth must have passed after the second, or the due test still reads the second
    // itself. The timer never fires early on its own (steady) clock; the two milliseconds more
    // absorb a wall clock that a time server slews against it. Every millisecond more would
    // make each task start that much later.
    static constexpr int kEarliestMs = 10;
    static constexpr int kTargetMs = 12;
    // Wall and steady clocks that drift apart by more than this between wake-ups mean that the
    // wall clock was set.
    static constexpr int kJumpToleranceMs = 50;

    struct Wake {
        bool tick = false;
        // How long to sleep until the next wake-up.
        int delayMs = 0;
    };

    explicit TickAligner(const Clock& clock) : m_clock(clock) {}

    // Called when the timer wakes (and once at start): whether this wake-up is a tick, and when
    // to wake next.
    Wake wake();

private:
    const Clock& m_clock;
    bool m_started = false;
    std::int64_t m_wall = 0;
    std::int64_t m_steady = 0;
    std::optional<std::int64_t> m_tickedSecond;
};

} // namespace velatask
