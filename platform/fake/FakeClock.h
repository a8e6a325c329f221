#pragma once

#include "platform/Clock.h"

namespace velatask {

// A clock that tests set and advance by hand.
class FakeClock : public Clock {
public:
    FakeClock() = default;
    FakeClock(std::int32_t today, std::int32_t now) : m_today(today), m_now(now) {}

    std::int32_t today() const override { return m_today; }
    std::int32_t now() const override { return m_now; }

    void set(std::int32_t today, std::int32_t now) {
        m_today = today;
        m_now = now;
    }
    // Moves the clock on, carrying into the next days past midnight.
    void advance(std::int32_t hundredths);

private:
    std::int32_t m_today = 0;
    std::int32_t m_now = 0;
};

} // namespace velatask
