#include "core/Date.h"
#include "core/Time.h"
#include "platform/fake/FakeClock.h"

#include <gtest/gtest.h>

using namespace velatask;

TEST(Date, EpochAndKnownDays) {
    EXPECT_EQ(Date::fromYmd(1801, 1, 1), 4);
    EXPECT_EQ(Date::weekday(Date::fromYmd(1801, 1, 1)), 4); // a Thursday
    EXPECT_EQ(Date::weekday(Date::fromYmd(1999, 1, 4)), 1); // Monday
    EXPECT_EQ(Date::weekday(Date::fromYmd(2026, 12, 8)), 2); // Tuesday
    EXPECT_EQ(Date::weekday(Date::fromYmd(2000, 2, 29)), 2);
    // The day after 28 February 1900 is 1 March: 1900 is not a leap year.
    EXPECT_EQ(Date::fromYmd(1900, 3, 1) - Date::fromYmd(1900, 2, 28), 1);
    EXPECT_EQ(Date::fromYmd(1900, 2, 29), Date::kNone);
    EXPECT_EQ(Date::fromYmd(2000, 3, 1) - Date::fromYmd(2000, 2, 28), 2);
}

TEST(Date, ConversionRoundTripsEveryDayOfTheSupportedYears) {
    std::int32_t expected = Date::fromYmd(1801, 1, 1);
    for (int y = Date::kFirstYear; y <= Date::kLastYear; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= Date::monthLength(m, y); ++d) {
                const std::int32_t n = Date::fromYmd(y, m, d);
                ASSERT_EQ(n, expected) << y << '-' << m << '-' << d;
                ASSERT_EQ(Date::toYmd(n), (Ymd{y, m, d}));
                ++expected;
            }
        }
    }
}

TEST(Date, WeekdayOfNegativeNumbers) {
    EXPECT_EQ(Date::weekday(0), 0);
    EXPECT_EQ(Date::weekday(-1), 6);
    EXPECT_EQ(Date::weekday(-7), 0);
    EXPECT_EQ(Date::weekday(-8), 6);
    EXPECT_EQ(Date::weekday(-13), 1);
}

TEST(Date, CarryingConstructor) {
    EXPECT_EQ(Date::make(2, 31, 1999), Date::fromYmd(1999, 3, 3));
    EXPECT_EQ(Date::make(2, 30, 2000), Date::fromYmd(2000, 3, 1));
    EXPECT_EQ(Date::make(13, 1, 1999), Date::fromYmd(2000, 1, 1));
    EXPECT_EQ(Date::make(15, 15, 1999), Date::fromYmd(2000, 3, 15));
    EXPECT_EQ(Date::make(25, 1, 1999), Date::fromYmd(2001, 1, 1));
    EXPECT_EQ(Date::make(12, 32, 1999), Date::fromYmd(2000, 1, 1));
    EXPECT_EQ(Date::make(1, 0, 2000), Date::fromYmd(1999, 12, 31));
    EXPECT_EQ(Date::make(1, 400, 1999), Date::fromYmd(2000, 2, 4));
}

TEST(Date, MonthLengthsAndBounds) {
    EXPECT_EQ(Date::monthLength(2, 1999), 28);
    EXPECT_EQ(Date::monthLength(2, 2000), 29);
    EXPECT_EQ(Date::monthLength(2, 1900), 28);
    EXPECT_EQ(Date::monthLength(2, 1804), 29);
    EXPECT_EQ(Date::monthLength(4, 2020), 30);
    EXPECT_EQ(Date::lastOfMonth(Date::fromYmd(1999, 2, 10)), Date::fromYmd(1999, 2, 28));
    EXPECT_EQ(Date::firstOfMonth(Date::fromYmd(1999, 12, 31)), Date::fromYmd(1999, 12, 1));
    EXPECT_FALSE(Date::isValid(1800, 12, 31));
    EXPECT_FALSE(Date::isValid(2100, 1, 1));
    EXPECT_FALSE(Date::isValid(1999, 4, 31));
}

TEST(Time, ValuesAndNormalisation) {
    EXPECT_EQ(Time::fromHms(1, 0), 360001);
    EXPECT_EQ(Time::fromHms(23, 59, 59, 99), 8640000);
    EXPECT_EQ(Time::fromClockReading(0, 0, 0, 0), 0);
    EXPECT_EQ(Time::fromClockReading(0, 0, 0, 1), 2);
    EXPECT_EQ(Time::hours(Time::fromHms(21, 5)), 21);
    EXPECT_EQ(Time::minutes(Time::fromHms(21, 5)), 5);

    std::int32_t date = 100;
    std::int32_t time = 8640000;
    Time::normalise(date, time);
    EXPECT_EQ(date, 100);
    EXPECT_EQ(time, 8640000);

    time = 9000001; // 23:30 plus 90 minutes
    Time::normalise(date, time);
    EXPECT_EQ(date, 101);
    EXPECT_EQ(time, 360001);

    time = 2 * Time::kDay + 5;
    Time::normalise(date, time);
    EXPECT_EQ(date, 103);
    EXPECT_EQ(time, 5);
}

TEST(FakeClock, AdvancesAcrossMidnight) {
    FakeClock clock(500, Time::fromHms(23, 59, 59, 50));
    clock.advance(50);
    EXPECT_EQ(clock.today(), 501);
    EXPECT_EQ(clock.now(), 0);
    clock.advance(100);
    EXPECT_EQ(clock.now(), Time::fromHms(0, 0, 1));
}
