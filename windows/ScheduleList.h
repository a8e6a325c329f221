#pragma once

#include <QString>

namespace velatask {

class BrowseList;
class BrowseWindow;
class Store;
class WindowCursor;

// What the lists of tasks share: handing the highlighted task to a form through the Schedule
// buffer (watched, so that a change made meanwhile by the scheduler or another station is
// found when the form writes), and the tasks of one category.
namespace ScheduleList {

void declareRecordAccess(BrowseWindow& window, Store& store);

// Limits the cursor to the tasks whose category is `category`, compared without regard to
// case; 0 or the store code.
int showCategory(WindowCursor& cursor, const QString& category);

// Widens the task type and schedule type columns to their longest words.
void fitTypeColumns(BrowseList& list, int taskTypeColumn, int scheduleTypeColumn);

} // namespace ScheduleList
} // namespace velatask
