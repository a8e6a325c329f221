#include "platform/fake/FakeClock.h"

#include "core/Time.h"

namespace velatask {

void FakeClock::advance(std::int32_t hundredths) {
    // Hundredths since midnight, carried whole days at a time.
    std::int64_t t = (m_now == 0 ? 0 : m_now - 1) + static_cast<std::int64_t>(hundredths);
    const std::int64_t days = t / Time::kDay;
    t -= days * Time::kDay;
    m_today += static_cast<std::int32_t>(days);
    m_now = t == 0 ? 0 : static_cast<std::int32_t>(t + 1);
}

} // namespace velatask
