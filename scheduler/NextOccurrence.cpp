#include "scheduler/NextOccurrence.h"

#include "core/Date.h"
#include "core/FixedText.h"
#include "core/Time.h"
#include "core/Ui.h"
#include "store/ScheduleRecord.h"

#include <cstdint>

namespace velatask {
namespace {

bool isType(const ScheduleRecord& task, const char* type) {
    return FixedText::equal(task.ScheduleType, QLatin1String(type));
}

std::int32_t saturate(std::int64_t n) {
    return n > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(n);
}

// One "Day of Week" step: the next flagged weekday, or simply the next day without flags.
void stepToFlaggedWeekday(ScheduleRecord& task) {
    if (!task.anyWeekday()) {
        ++task.Date;
        return;
    }
    do {
        ++task.Date;
    } while (!task.weekdayFlag(Date::weekday(task.Date)));
}

bool ordinalMatches(const ScheduleRecord& task, std::int32_t date) {
    const int day = Date::toYmd(date).day;
    if ((day >= 1 && day <= 7 && task.Every1st) || (day >= 8 && day <= 14 && task.Every2nd) ||
        (day >= 15 && day <= 21 && task.Every3rd) || (day >= 22 && day <= 28 && task.Every4th)) {
        return true;
    }
    const std::int32_t fromEnd = Date::lastOfMonth(date) - date;
    return fromEnd >= 0 && fromEnd <= 6 && task.EveryLast;
}

// Minute and hour units: step until the occurrence is at or after the current moment.
void stepTime(ScheduleRecord& task, std::int32_t today, std::int32_t now, std::int64_t perDay,
              std::int64_t unit) {
    const std::int64_t every = task.Every;
    while (task.Date < today || (task.Date == today && task.Time < now)) {
        if (every <= perDay) {
            task.Time = saturate(task.Time + every * unit);
        } else {
            task.Date = saturate(std::int64_t(task.Date) + every / perDay);
            task.Time = saturate(task.Time + (every % perDay) * unit);
        }
        Time::normalise(task.Date, task.Time);
    }
}

void computeCustom(ScheduleRecord& task, std::int32_t today, std::int32_t now, Ui& ui) {
    if (task.Every < 1) {
        task.Every = 1;
    }
    const QString unit = task.EveryType.toLower().left(3);
    if (unit == QLatin1String("min")) {
        stepTime(task, today, now, 1440, Time::kMinute);
    } else if (unit == QLatin1String("hou")) {
        stepTime(task, today, now, 24, Time::kHour);
    } else if (unit == QLatin1String("day")) {
        while (task.Date <= today) {
            task.Date = saturate(std::int64_t(task.Date) + task.Every);
        }
    } else if (unit == QLatin1String("wee")) {
        while (task.Date <= today) {
            task.Date = saturate(std::int64_t(task.Date) + 7 * std::int64_t(task.Every));
        }
    } else if (unit == QLatin1String("mon")) {
        while (task.Date <= today) {
            const Ymd c = Date::toYmd(task.Date);
            std::int64_t month = std::int64_t(c.month) + task.Every;
            std::int64_t year = c.year;
            if (month > 12) {
                ++year;
                month -= 12;
            }
            // Months still above 12 roll into further years through the constructor.
            year += (month - 1) / 12;
            month = (month - 1) % 12 + 1;
            task.Date = year > Date::kLastYear + 100000 ? INT32_MAX
                                                        : Date::make(int(month), c.day, int(year));
        }
    } else if (unit == QLatin1String("yea")) {
        while (task.Date <= today) {
            const Ymd c = Date::toYmd(task.Date);
            const std::int64_t year = std::int64_t(c.year) + task.Every;
            task.Date =
                year > Date::kLastYear + 100000 ? INT32_MAX : Date::make(c.month, c.day, int(year));
        }
    } else {
        ui.message(QStringLiteral("Custom repetition is not set up properly.  Select units."),
                   QStringLiteral("Invalid Units"), Ui::NoIcon, Ui::Ok, Ui::Ok);
        if (task.Date <= today) {
            task.Date = today + 1;
        }
    }
}

} // namespace

void ComputeNextOccurrence(ScheduleRecord& task, std::int32_t today, std::int32_t now, Ui& ui) {
    if (isType(task, "Once")) {
        task.Completed = 1;
    } else if (isType(task, "Monthly")) {
        while (task.Date <= today) {
            const Ymd c = Date::toYmd(task.Date);
            task.Date = Date::make(c.month + 1, c.day, c.year);
        }
    } else if (isType(task, "Yearly")) {
        while (task.Date <= today) {
            const Ymd c = Date::toYmd(task.Date);
            task.Date = Date::make(c.month, c.day, c.year + 1);
        }
    } else if (isType(task, "Day of Week")) {
        while (task.Date <= today) {
            stepToFlaggedWeekday(task);
        }
    } else if (isType(task, "Day of Month")) {
        for (;;) {
            stepToFlaggedWeekday(task);
            if (task.Date <= today) {
                continue;
            }
            if (!task.anyOrdinal() || ordinalMatches(task, task.Date)) {
                break;
            }
        }
    } else {
        computeCustom(task, today, now, ui);
    }
}

bool IsOccurrenceDate(const ScheduleRecord& task, std::int32_t date) {
    if (date == 0) {
        date = task.Date;
    }
    if (isType(task, "Once") || isType(task, "Monthly") || isType(task, "Yearly")) {
        return true;
    }
    if (isType(task, "Day of Week")) {
        return task.weekdayFlag(Date::weekday(date)) != 0;
    }
    if (isType(task, "Day of Month")) {
        return task.weekdayFlag(Date::weekday(date)) != 0 && ordinalMatches(task, date);
    }
    return true;
}

} // namespace velatask
