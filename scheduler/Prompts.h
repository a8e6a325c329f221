#pragma once

namespace velatask {

struct AppContext;
struct ScheduleRecord;

// Asks before a due task runs: "Missed Task" when its day has passed without it and it warns,
// otherwise "Confirm Task" when it asks every time. Sets `suppressRun` when the user says No.
void MissedTaskPrompts(AppContext& ctx, const ScheduleRecord& task, bool& suppressRun);

// Shows the earliest pending advance warning once its moment has passed, and marks it given.
void AdvanceWarningScan(AppContext& ctx);

} // namespace velatask
