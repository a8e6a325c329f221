#include "platform/fake/FakeClock.h"

namespace velatask {

std::int64_t FakeClock::wallMsecs() const {
    return Clock::wallMsecs() + m_msecs;
}

void FakeClock::advanceMsecs(std::int64_t msecs) {
    m_steady += msecs;
    setWall(wallMsecs() + msecs);
}

void FakeClock::setWall(std::int64_t msecs) {
    std::int64_t day = msecs / kDayMsecs;
    std::int64_t into = msecs % kDayMsecs;
    if (into < 0) {
        into += kDayMsecs;
        --day;
    }
    const std::int64_t hundredths = into / 10;
    m_today = static_cast<std::int32_t>(day);
    // As the real clock reads it: exactly midnight is 0.
    m_now = hundredths == 0 ? 0 : static_cast<std::int32_t>(hundredths + 1);
    m_msecs = into % 10;
}

} // namespace velatask
