#pragma once

namespace velatask {

struct AppContext;

// The housekeeping commands of the Setup window. Each deletes what it names in transactions of a
// slice of records each, a task together with its script steps; the scheduler's timer keeps
// ticking between slices. A record that cannot be deleted is reported and the scan goes on, a
// failed read ends the scan.
namespace Housekeeping {

// Every disabled task, history copies included.
void clearDisabledTasks(AppContext& ctx);
// Every completed task that has a date, time or disabled mark (the tasks the date key holds).
void clearCompletedTasks(AppContext& ctx);
// The whole To Do list. Returns false when a read failed before the end.
bool clearToDoList(AppContext& ctx);
// Steps that have not run are dropped.
void clearScriptQueue(AppContext& ctx);

} // namespace Housekeeping
} // namespace velatask
