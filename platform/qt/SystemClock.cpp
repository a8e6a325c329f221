#include "platform/qt/SystemClock.h"

#include "core/Date.h"
#include "core/Time.h"

#include <QDateTime>

namespace velatask {

std::int32_t SystemClock::today() const {
    const QDate d = QDate::currentDate();
    return Date::fromYmd(d.year(), d.month(), d.day());
}

std::int32_t SystemClock::now() const {
    const QTime t = QTime::currentTime();
    return Time::fromClockReading(t.hour(), t.minute(), t.second(), t.msec() / 10);
}

} // namespace velatask
