#include "platform/qt/SystemClock.h"

#include "core/Date.h"
#include "core/Time.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace velatask {

SystemClock::Reading SystemClock::read() const {
    const std::int64_t steady = steadyMsecs();
    std::int64_t readAt = m_zoneReadAt.load(std::memory_order_relaxed);
    if (readAt == std::numeric_limits<std::int64_t>::min() || steady - readAt >= kZoneRereadMs) {
        if (m_zoneReadAt.compare_exchange_strong(readAt, steady, std::memory_order_relaxed)) {
            tzset(); // reads TZ and the zone file again; localtime_r below does not
        }
    }
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    localtime_r(&ts.tv_sec, &local);
    return {Date::fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
            Time::fromClockReading(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                                   int(ts.tv_nsec / 10000000))};
}

std::int32_t SystemClock::today() const {
    return read().date;
}

std::int32_t SystemClock::now() const {
    return read().time;
}

std::int64_t SystemClock::wallMsecs() const {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return std::int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

std::int64_t SystemClock::steadyMsecs() const {
    // CLOCK_MONOTONIC: not set, and not running during suspend.
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace velatask
