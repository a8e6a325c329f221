#include "platform/Clock.h"

namespace velatask {

std::int64_t Clock::wallMsecs() const {
    const std::int32_t time = now();
    return today() * kDayMsecs + (time == 0 ? 0 : (time - 1) * std::int64_t(10));
}

} // namespace velatask
