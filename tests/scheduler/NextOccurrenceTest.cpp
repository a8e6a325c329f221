#include "scheduler/NextOccurrence.h"
#include "core/Date.h"
#include "core/Time.h"
#include "platform/fake/ScriptedUi.h"
#include "store/ScheduleRecord.h"

#include <gtest/gtest.h>

#include <random>

using namespace velatask;

namespace {

std::int32_t ymd(int y, int m, int d) {
    return Date::fromYmd(y, m, d);
}

ScheduleRecord task(const char* scheduleType, std::int32_t date, std::int32_t time = 0) {
    ScheduleRecord r;
    r.ScheduleType = QString::fromLatin1(scheduleType);
    r.Date = date;
    r.Time = time;
    return r;
}

ScheduleRecord custom(int every, const char* unit, std::int32_t date, std::int32_t time) {
    ScheduleRecord r = task("Custom", date, time);
    r.Every = every;
    r.EveryType = QString::fromLatin1(unit);
    return r;
}

class NextOccurrence : public ::testing::Test {
protected:
    ScriptedUi ui;
    void next(ScheduleRecord& r, std::int32_t today, std::int32_t now = Time::fromHms(12, 0)) {
        ComputeNextOccurrence(r, today, now, ui);
    }
};

} // namespace

TEST_F(NextOccurrence, WorkedExamples) {
    ScheduleRecord monthly = task("Monthly", ymd(1999, 1, 31));
    next(monthly, ymd(1999, 1, 31));
    EXPECT_EQ(monthly.Date, ymd(1999, 3, 3));
    next(monthly, monthly.Date);
    EXPECT_EQ(monthly.Date, ymd(1999, 4, 3));

    ScheduleRecord dow = task("Day of Week", ymd(1999, 1, 6));
    dow.Monday = dow.Friday = 1;
    next(dow, ymd(1999, 1, 6));
    EXPECT_EQ(dow.Date, ymd(1999, 1, 8));

    ScheduleRecord firstMonday = task("Day of Month", ymd(1999, 1, 4));
    firstMonday.Monday = firstMonday.Every1st = 1;
    next(firstMonday, ymd(1999, 1, 4));
    EXPECT_EQ(firstMonday.Date, ymd(1999, 2, 1));

    ScheduleRecord lastWednesday = task("Day of Month", ymd(1999, 3, 1));
    lastWednesday.Wednesday = lastWednesday.EveryLast = 1;
    next(lastWednesday, ymd(1999, 3, 1));
    EXPECT_EQ(lastWednesday.Date, ymd(1999, 3, 31));

    const std::int32_t d = ymd(1999, 6, 1);
    ScheduleRecord minutes = custom(90, "minute(s)", d, 8460001);
    next(minutes, d, Time::fromHms(23, 31));
    EXPECT_EQ(minutes.Date, d + 1);
    EXPECT_EQ(minutes.Time, 360001);

    ScheduleRecord months = custom(5, "month(s)", ymd(1999, 10, 15), 0);
    next(months, ymd(1999, 10, 15));
    EXPECT_EQ(months.Date, ymd(2000, 3, 15));

    ScheduleRecord blank = custom(1, "", ymd(1999, 10, 15), Time::fromHms(8, 0));
    next(blank, ymd(1999, 10, 15));
    EXPECT_EQ(blank.Date, ymd(1999, 10, 16));
    EXPECT_EQ(blank.Time, Time::fromHms(8, 0));
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text,
              QStringLiteral("Custom repetition is not set up properly.  Select units."));
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Invalid Units"));
    EXPECT_EQ(ui.boxes()[0].icon, Ui::NoIcon);
    EXPECT_EQ(ui.boxes()[0].buttons, Ui::Ok);
}

TEST_F(NextOccurrence, OnceIsCompletedWhereItStands) {
    ScheduleRecord once = task("Once", ymd(1999, 1, 6), Time::fromHms(9, 0));
    next(once, ymd(1999, 1, 6));
    EXPECT_EQ(once.Completed, 1);
    EXPECT_EQ(once.Date, ymd(1999, 1, 6));
    EXPECT_EQ(once.Time, Time::fromHms(9, 0));
}

TEST_F(NextOccurrence, YearlyFromLeapDayStaysOnFirstOfMarch) {
    ScheduleRecord yearly = task("Yearly", ymd(2000, 2, 29));
    next(yearly, ymd(2000, 2, 29));
    EXPECT_EQ(yearly.Date, ymd(2001, 3, 1));
    next(yearly, ymd(2004, 2, 29));
    EXPECT_EQ(yearly.Date, ymd(2004, 3, 1));
}

TEST_F(NextOccurrence, DateBasedTypesNeverStayOnTodayOrMoveFutureDates) {
    ScheduleRecord noFlags = task("Day of Week", ymd(1999, 1, 6), Time::fromHms(8, 0));
    next(noFlags, ymd(1999, 1, 6), Time::fromHms(23, 0));
    EXPECT_EQ(noFlags.Date, ymd(1999, 1, 7));
    EXPECT_EQ(noFlags.Time, Time::fromHms(8, 0));

    ScheduleRecord future = task("Monthly", ymd(1999, 5, 1));
    next(future, ymd(1999, 1, 6));
    EXPECT_EQ(future.Date, ymd(1999, 5, 1));

    ScheduleRecord days = custom(3, "day(s)", ymd(1999, 1, 1), 0);
    next(days, ymd(1999, 1, 6));
    EXPECT_EQ(days.Date, ymd(1999, 1, 7));

    ScheduleRecord weeks = custom(2, "week(s)", ymd(1999, 1, 1), 0);
    next(weeks, ymd(1999, 1, 1));
    EXPECT_EQ(weeks.Date, ymd(1999, 1, 15));

    ScheduleRecord years = custom(2, "YEAR(S)", ymd(1999, 1, 1), 0);
    next(years, ymd(1999, 1, 1));
    EXPECT_EQ(years.Date, ymd(2001, 1, 1));
}

TEST_F(NextOccurrence, DayOfMonthOrdinals) {
    // Weekday flags without ordinals behave like "Day of Week".
    ScheduleRecord anyTuesday = task("Day of Month", ymd(1999, 1, 4));
    anyTuesday.Tuesday = 1;
    next(anyTuesday, ymd(1999, 1, 4));
    EXPECT_EQ(anyTuesday.Date, ymd(1999, 1, 5));

    // February 1999: Thursdays 4, 11, 18, 25; the 25th is both fourth and in the last week.
    ScheduleRecord fourth = task("Day of Month", ymd(1999, 2, 18));
    fourth.Thursday = fourth.Every4th = fourth.EveryLast = 1;
    next(fourth, ymd(1999, 2, 18));
    EXPECT_EQ(fourth.Date, ymd(1999, 2, 25));
    EXPECT_TRUE(IsOccurrenceDate(fourth, 0));
    ScheduleRecord onlyLast = fourth;
    onlyLast.Every4th = 0;
    EXPECT_TRUE(IsOccurrenceDate(onlyLast, ymd(1999, 2, 25)));
    ScheduleRecord onlyFourth = fourth;
    onlyFourth.EveryLast = 0;
    EXPECT_TRUE(IsOccurrenceDate(onlyFourth, ymd(1999, 2, 25)));
    EXPECT_FALSE(IsOccurrenceDate(onlyFourth, ymd(1999, 2, 18)));
    EXPECT_FALSE(IsOccurrenceDate(anyTuesday, ymd(1999, 1, 5))) << "no ordinal: no date";
}

TEST_F(NextOccurrence, CustomMinutesAndHours) {
    const std::int32_t d = ymd(1999, 6, 1);
    ScheduleRecord hours = custom(25, "hour(s)", d, Time::fromHms(10, 0));
    next(hours, d, Time::fromHms(10, 0, 0, 50));
    EXPECT_EQ(hours.Date, d + 1);
    EXPECT_EQ(hours.Time, Time::fromHms(11, 0));

    // An occurrence exactly at the current moment counts as the next one.
    ScheduleRecord exact = custom(15, "minute(s)", d, Time::fromHms(10, 0));
    next(exact, d, Time::fromHms(10, 15));
    EXPECT_EQ(exact.Time, Time::fromHms(10, 15));

    ScheduleRecord longMinutes = custom(1440 * 2 + 30, "minutes", d, Time::fromHms(10, 0));
    next(longMinutes, d, Time::fromHms(10, 0, 0, 1));
    EXPECT_EQ(longMinutes.Date, d + 2);
    EXPECT_EQ(longMinutes.Time, Time::fromHms(10, 30));

    // Normalising keeps exactly one day's worth: 23:59:59.99 stays on the same date.
    ScheduleRecord edge = custom(1, "hour(s)", d, Time::fromHms(22, 59, 59, 99));
    next(edge, d, Time::fromHms(23, 0));
    EXPECT_EQ(edge.Date, d);
    EXPECT_EQ(edge.Time, Time::kDay);
}

TEST_F(NextOccurrence, EveryBelowOneBecomesOne) {
    for (int every : {0, -5}) {
        ScheduleRecord r = custom(every, "day(s)", ymd(1999, 1, 1), 0);
        next(r, ymd(1999, 1, 1));
        EXPECT_EQ(r.Every, 1);
        EXPECT_EQ(r.Date, ymd(1999, 1, 2));
    }
}

TEST_F(NextOccurrence, HugeIntervalsDoNotOverflow) {
    ScheduleRecord days = custom(INT32_MAX, "day(s)", ymd(1999, 1, 1), 0);
    next(days, ymd(1999, 1, 1));
    EXPECT_GT(days.Date, ymd(1999, 1, 1));
    ScheduleRecord years = custom(INT32_MAX, "year(s)", ymd(1999, 1, 1), 0);
    next(years, ymd(1999, 1, 1));
    EXPECT_GT(years.Date, ymd(1999, 1, 1));
    ScheduleRecord months = custom(INT32_MAX, "month(s)", ymd(1999, 1, 1), 0);
    next(months, ymd(1999, 1, 1));
    EXPECT_GT(months.Date, ymd(1999, 1, 1));
}

TEST(IsOccurrenceDate, ByScheduleType) {
    ScheduleRecord r = task("Day of Week", ymd(1999, 1, 4)); // a Monday
    r.Monday = 1;
    EXPECT_TRUE(IsOccurrenceDate(r, 0));
    EXPECT_FALSE(IsOccurrenceDate(r, ymd(1999, 1, 3)));
    for (const char* type : {"Once", "Monthly", "Yearly", "Custom", ""}) {
        r.ScheduleType = QString::fromLatin1(type);
        EXPECT_TRUE(IsOccurrenceDate(r, ymd(1999, 1, 3))) << type;
    }
    r.ScheduleType = QStringLiteral("day of week"); // types compare case-sensitively
    EXPECT_TRUE(IsOccurrenceDate(r, ymd(1999, 1, 3)));
}

// Over many random tasks and days: the result lies after today, is an occurrence date of the
// task, and no occurrence date was skipped on the way.
TEST(NextOccurrenceProperty, FirstQualifyingDayAfterToday) {
    std::mt19937 random(20261208);
    ScriptedUi ui;
    const std::int32_t first = ymd(1990, 1, 1);
    for (int i = 0; i < 4000; ++i) {
        ScheduleRecord r;
        const bool dayOfMonth = i % 2 == 1;
        r.ScheduleType =
            dayOfMonth ? QStringLiteral("Day of Month") : QStringLiteral("Day of Week");
        const int weekdays = 1 + int(random() % 127);
        for (int w = 0; w < 7; ++w) {
            r.weekdayFlag(w) = (weekdays >> w) & 1;
        }
        if (dayOfMonth) {
            const int ordinals = 1 + int(random() % 31);
            r.Every1st = ordinals & 1;
            r.Every2nd = (ordinals >> 1) & 1;
            r.Every3rd = (ordinals >> 2) & 1;
            r.Every4th = (ordinals >> 3) & 1;
            r.EveryLast = (ordinals >> 4) & 1;
        }
        const std::int32_t today = first + std::int32_t(random() % 10000);
        r.Date = today - std::int32_t(random() % 400);
        ComputeNextOccurrence(r, today, Time::fromHms(12, 0), ui);
        ASSERT_GT(r.Date, today);
        ASSERT_TRUE(IsOccurrenceDate(r, 0)) << i;
        for (std::int32_t d = today + 1; d < r.Date; ++d) {
            ASSERT_FALSE(IsOccurrenceDate(r, d)) << "skipped day " << d << " in case " << i;
        }
    }
    EXPECT_TRUE(ui.boxes().empty());
}

TEST(NextOccurrenceProperty, CustomIntervalsLandOnTheFirstStepAfterNow) {
    std::mt19937 random(8122026);
    ScriptedUi ui;
    const char* units[] = {"minute(s)", "hour(s)", "day(s)", "week(s)"};
    const std::int64_t unitLength[] = {Time::kMinute, Time::kHour, Time::kDay, 7LL * Time::kDay};
    for (int i = 0; i < 4000; ++i) {
        const int u = i % 4;
        const int every = 1 + int(random() % 50);
        const std::int32_t today = ymd(2000, 1, 1) + std::int32_t(random() % 5000);
        const std::int32_t now = 1 + std::int32_t(random() % Time::kDay);
        ScheduleRecord r = custom(every, units[u], today - std::int32_t(random() % 20),
                                  1 + std::int32_t(random() % Time::kDay));
        auto moment = [](std::int32_t date, std::int32_t time) {
            return std::int64_t(date) * Time::kDay + time;
        };
        const std::int64_t start = moment(r.Date, r.Time);
        ComputeNextOccurrence(r, today, now, ui);
        const std::int64_t step = every * unitLength[u];
        const std::int64_t result = moment(r.Date, r.Time);
        ASSERT_EQ((result - start) % step, 0) << i;
        if (u < 2 && start >= moment(today, now)) {
            ASSERT_EQ(result, start) << "an occurrence still ahead stays " << i;
        } else if (u < 2) {
            ASSERT_GE(result, moment(today, now)) << i;
            ASSERT_LT(result - step, moment(today, now)) << i;
        } else {
            ASSERT_GT(r.Date, today) << i;
            ASSERT_LE(r.Date - step / Time::kDay, today) << i;
        }
    }
}
