#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

// One scheduled task (table Schedule; also the layout of a history copy). Text fields hold their
// text without trailing blanks; widths are the field widths in characters.
struct ScheduleRecord {
    static constexpr int kTaskTypeWidth = 20;
    static constexpr int kCategoryWidth = 20;
    static constexpr int kDescriptionWidth = 40;
    static constexpr int kCommandWidth = 80;
    static constexpr int kPathWidth = 80;
    static constexpr int kScheduleTypeWidth = 20;
    static constexpr int kEveryTypeWidth = 20;
    static constexpr int kAlarmFileWidth = 80; // CSTRING(81)
    static constexpr int kMessageWidth = 1000;

    std::int32_t ID = 0;
    QString TaskType;
    QString Category;
    QString Description;
    QString Command;
    QString Path;
    QString ScheduleType;
    // DAYOFWEEKGROUP
    std::uint8_t Sunday = 0;
    std::uint8_t Monday = 0;
    std::uint8_t Tuesday = 0;
    std::uint8_t Wednesday = 0;
    std::uint8_t Thursday = 0;
    std::uint8_t Friday = 0;
    std::uint8_t Saturday = 0;
    std::int32_t Every = 0;
    // EVERYORDINAL
    std::uint8_t Every1st = 0;
    std::uint8_t Every2nd = 0;
    std::uint8_t Every3rd = 0;
    std::uint8_t Every4th = 0;
    std::uint8_t EveryLast = 0;
    QString EveryType;
    // SCHEDULEDATEANDTIME
    std::int32_t Date = 0;
    std::int32_t Time = 0;
    std::int32_t LastRunDate = 0;
    std::int32_t LastRunTime = 0;
    std::uint8_t SkipNextTime = 0;
    // ALARMGROUP
    std::uint8_t Alarm = 0;
    QString AlarmFile;
    // ADVANCEDWARNING
    std::int32_t AdvanceWarnDate = 0;
    std::int32_t AdvanceWarnTime = 0;
    std::uint8_t AdvanceWarned = 0;
    std::uint8_t Warn = 0;
    std::uint8_t UserSkip = 0;
    std::uint8_t Disabled = 0;
    std::uint8_t Completed = 0;
    // Memo
    QString Message;

    // The weekday flag of DAYOFWEEKGROUP for 0 Sunday .. 6 Saturday.
    std::uint8_t& weekdayFlag(int weekday);
    std::uint8_t weekdayFlag(int weekday) const;
    bool anyWeekday() const;
    bool anyOrdinal() const;

    bool operator==(const ScheduleRecord&) const = default;
};

} // namespace velatask
