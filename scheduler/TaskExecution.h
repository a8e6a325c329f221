#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

struct AppContext;
struct ScheduleRecord;

// Performing a due task in the scheduler's view SCH1: stamp, message, program and script, then
// the move to the next occurrence and the history copy.
void ExecuteDueTask(AppContext& ctx);

// Moves the task in SCH1 to its next occurrence (or deletes a finished "Once" task) and adds the
// history copy of the occurrence that was just processed, performed or not.
void RescheduleTask(AppContext& ctx);

// Starts a command line in a directory (empty: the program's own) and queues the script of the
// task; the start result is kept in LastInstance.
void RunProgram(AppContext& ctx, const QString& command, const QString& directory,
                std::int32_t taskId);

// Performs the task in the SCH buffer at once, as the schedule browse's "Run Now" asks: alarm,
// prompts, stamp in the buffer, message and program. Nothing is written or rescheduled.
void RunTaskNow(AppContext& ctx);

} // namespace velatask
