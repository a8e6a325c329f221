#pragma once

#include "scheduler/FirstTaskReader.h"
#include "scheduler/HeldOccurrences.h"
#include "store/ScheduleRecord.h"

#include <cstdint>

namespace velatask {

// The scheduler's state between the steps of one tick, and the day history last expired.
struct SchedulerState {
    // The task as the scan read it in this tick, message included.
    ScheduleRecord saved;
    // Set when the user declined to run the task at a prompt.
    bool suppressRun = false;
    // Set while the advance warning is held as an offset from the due moment.
    bool warningShift = false;
    std::int32_t historyExpiryDate = 0;
    // The first tasks of the due scan and the advance-warning scan.
    // Until a task is due, only what the caption and the due tests need is read.
    FirstTaskReader dueTask{ScheduleKey::KeyDateEnabled,
                            {QStringLiteral("Disabled"), QStringLiteral("Date"),
                             QStringLiteral("Time"), QStringLiteral("Description")}};
    FirstTaskReader warningTask{ScheduleKey::KeyAdvanced,
                                {QStringLiteral("AdvanceWarned"), QStringLiteral("AdvanceWarnDate"),
                                 QStringLiteral("AdvanceWarnTime"),
                                 QStringLiteral("ScheduleType")}};
    // Occurrences asked about or performed but not yet recorded.
    HeldOccurrences held;
};

} // namespace velatask
