#include "platform/qt/SystemClock.h"

#include "core/Date.h"
#include "core/Time.h"

#include <QDateTime>

#include <chrono>

namespace velatask {

std::int32_t SystemClock::today() const {
    const QDate d = QDate::currentDate();
    return Date::fromYmd(d.year(), d.month(), d.day());
}

std::int32_t SystemClock::now() const {
    const QTime t = QTime::currentTime();
    return Time::fromClockReading(t.hour(), t.minute(), t.second(), t.msec() / 10);
}

std::int64_t SystemClock::wallMsecs() const {
    return QDateTime::currentMSecsSinceEpoch();
}

std::int64_t SystemClock::steadyMsecs() const {
    // CLOCK_MONOTONIC: not set, and not running during suspend.
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace velatask
