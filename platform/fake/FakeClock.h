#pragma once

#include "platform/Clock.h"

namespace velatask {

// A clock that tests set and advance by hand. Time that passes moves the wall and the steady
// reading together; setting the clock moves only the wall.
class FakeClock : public Clock {
public:
    FakeClock() = default;
    FakeClock(std::int32_t today, std::int32_t now) : m_today(today), m_now(now) {}

    std::int32_t today() const override { return m_today; }
    std::int32_t now() const override { return m_now; }
    std::int64_t wallMsecs() const override;
    std::int64_t steadyMsecs() const override { return m_steady; }

    // Sets the clock to the start of that hundredth.
    void set(std::int32_t today, std::int32_t now) {
        m_today = today;
        m_now = now;
        m_msecs = 0;
    }
    // Lets time pass, carrying into the next days past midnight.
    void advance(std::int32_t hundredths) { advanceMsecs(hundredths * std::int64_t(10)); }
    void advanceMsecs(std::int64_t msecs);
    // Sets the wall clock forward (or back, when negative) by that much; no time passes.
    void jumpMsecs(std::int64_t msecs) { setWall(wallMsecs() + msecs); }

private:
    void setWall(std::int64_t msecs);

    std::int32_t m_today = 0;
    std::int32_t m_now = 0;
    std::int64_t m_msecs = 0; // milliseconds into the current hundredth
    std::int64_t m_steady = 0;
};

} // namespace velatask
