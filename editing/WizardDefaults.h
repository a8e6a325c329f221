#pragma once

#include <QString>

namespace velatask {

struct AppContext;
class Store;
struct ScheduleRecord;

// What the add wizards start from, whatever the Schedule buffer held.
namespace WizardDefaults {

// Makes `task` a new task of `taskType`, due today at this moment on a "Day of Week" schedule on
// every weekday, in the category "General" (added to the categories when missing).
void apply(ScheduleRecord& task, AppContext& app, const QString& taskType);

// Adds the category `name` unless it exists; the Categories buffer is left as it was. The
// store's code of the add, or 0.
int ensureCategory(Store& store, const QString& name);

} // namespace WizardDefaults

} // namespace velatask
