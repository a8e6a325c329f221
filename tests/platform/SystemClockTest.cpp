#include "platform/qt/SystemClock.h"

#include "core/Date.h"
#include "core/Time.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace velatask {
namespace {

std::int32_t dateOf(const QDateTime& t) {
    return Date::fromYmd(t.date().year(), t.date().month(), t.date().day());
}

std::int32_t timeOf(const QDateTime& t) {
    return Time::fromClockReading(t.time().hour(), t.time().minute(), t.time().second(),
                                  t.time().msec() / 10);
}

// The clock's local date and time agree with Qt's reading of the same zone, whole hour, half
// hour and summer time alike; a clock made after a change of zone reads the new zone.
TEST(SystemClockTest, ReadsTheLocalDateAndTimeOfTheZone) {
    const QByteArray kept = qgetenv("TZ");
    for (const char* zone : {"UTC0", "IST-5:30", "EST5EDT,M3.2.0,M11.1.0", "NZST-12NZDT"}) {
        qputenv("TZ", zone);
        SystemClock clock;
        // A reading that straddles midnight is taken again.
        for (int attempt = 0; attempt < 3; ++attempt) {
            // Qt looks the zone up again when it converts, so it converts only after the clock
            // has read.
            const std::int64_t wallBefore = QDateTime::currentMSecsSinceEpoch();
            const std::int32_t today = clock.today();
            const std::int32_t now = clock.now();
            const std::int64_t wall = clock.wallMsecs();
            const std::int64_t wallAfter = QDateTime::currentMSecsSinceEpoch();
            const QDateTime before = QDateTime::fromMSecsSinceEpoch(wallBefore);
            const QDateTime after = QDateTime::fromMSecsSinceEpoch(wallAfter);
            if (before.date() != after.date()) {
                continue;
            }
            EXPECT_EQ(today, dateOf(before)) << zone;
            EXPECT_GE(now, timeOf(before)) << zone;
            EXPECT_LE(now, timeOf(after)) << zone;
            EXPECT_GE(wall, wallBefore) << zone;
            EXPECT_LE(wall, wallAfter) << zone;
            break;
        }
    }
    if (kept.isNull()) {
        qunsetenv("TZ");
    } else {
        qputenv("TZ", kept);
    }
    tzset();
}

} // namespace
} // namespace velatask
