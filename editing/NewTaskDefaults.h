#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

class Clock;
struct ScheduleRecord;

// The values a new task starts with when its window opens to add it.
namespace NewTaskDefaults {

// The day the task falls due first: the day chosen in the schedule list (`newTaskDate`, a Date
// number as text) when there is one, otherwise today.
std::int32_t startDate(const QString& newTaskDate, const Clock& clock);

// Due at `date` and `time` of a "Day of Week" schedule on every weekday (and "Last"), with the
// warning for a missed run on, of the given task type.
void apply(ScheduleRecord& task, std::int32_t date, std::int32_t time, const QString& taskType);

// Every 1 "hour(s)", ready for a switch to "Custom". Set after the copy that tells whether the
// user changed anything, so a new task always counts as changed.
void applyRepetition(ScheduleRecord& task);

} // namespace NewTaskDefaults

} // namespace velatask
