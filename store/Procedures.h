#pragma once

#include "store/View.h"

namespace velatask {

class Store;

// The shared record procedures. Each works on the record in the named view's buffer, runs its
// writes in one transaction and shows its failures through the standard warning.

// Reserves a new task number: adds the buffer of `view` (SCH by default) at once with the next
// free ID, which becomes the current record. 0 when added, 1 when the user cancelled (warning 25)
// or the highest number could not be read (warning 35).
int NewTaskNumber(Store& store);
int NewTaskNumber(Store& store, ScheduleView& view);

// Delete procedures: 0 deleted, 1 failed (the warning was shown, nothing changed).
int DeleteScheduleRecord(Store& store); // also deletes the task's script steps
int DeleteScheduleRecord(Store& store, ScheduleView& view);
int DeleteCategoriesRecord(Store& store); // refused while a task uses the category
int DeleteToDoRecord(Store& store);
int DeleteScriptingRecord(Store& store);

// Update procedures: 0 written, 1 failed, 2 changed by another station (the buffer now holds the
// stored version).
int UpdateScheduleRecord(Store& store); // a changed ID moves the script steps along
int UpdateScheduleRecord(Store& store, ScheduleView& view);
int UpdateCategoriesRecord(Store& store); // a used category keeps its name
int UpdateToDoRecord(Store& store);
int UpdateScriptingRecord(Store& store);

} // namespace velatask
