#pragma once

#include <cstdint>

namespace velatask {

class Ui;
struct ScheduleRecord;

// Moves a task that has just been processed to its next occurrence after `today` / `now`, or
// marks a "Once" task completed. Changes Date, Time, Completed and (an Every below 1) Every of
// the record; does not write it. An unknown custom unit shows "Invalid Units" and moves the task
// to tomorrow.
void ComputeNextOccurrence(ScheduleRecord& task, std::int32_t today, std::int32_t now, Ui& ui);

// Whether `date` (0: the task's own Date) is a day on which the task may occur.
bool IsOccurrenceDate(const ScheduleRecord& task, std::int32_t date);

} // namespace velatask
