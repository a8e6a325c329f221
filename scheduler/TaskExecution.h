#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

struct AppContext;

// What becomes of the occurrence that the due-task scan found due.
enum class OccurrenceAction {
    Perform, // stamp, message, program and script (unless declined at a prompt), then move on
    Skip     // "skip next time": only move on
};

// Processes the due occurrence saved in the scheduler state, in one transaction over the data
// file: claims it (it is still stored as the scan saw it, so neither another station nor a window
// has moved it meanwhile), performs it, moves the task to its next occurrence (or deletes a
// finished "Once" task) and adds the history copy of the occurrence. The change is made on the
// record as stored, so edits saved while a prompt was open are kept.
//
// An occurrence is performed at most once: when the file is locked it waits for a later tick
// without asking again, and when its record cannot be written it is held, recorded on a later
// tick and never performed again. The user is told once in either case.
void ProcessDueOccurrence(AppContext& ctx, OccurrenceAction action);

// Whether the scheduler has already asked about (or performed) the occurrence of the task the
// scan saved, so that its alarm and prompts are not repeated.
bool OccurrenceIsHeld(AppContext& ctx);

// Starts a command line in a directory (empty: the program's own) and queues the script of the
// task; the start result is kept in LastInstance. A program that does not start is reported
// without waiting for the user, and its script is not queued.
void RunProgram(AppContext& ctx, const QString& command, const QString& directory,
                std::int32_t taskId);

// Performs the task in the SCH buffer at once, as the schedule browse's "Run Now" asks: alarm,
// prompts, stamp in the buffer, message and program. Nothing is written or rescheduled.
void RunTaskNow(AppContext& ctx);

} // namespace velatask
