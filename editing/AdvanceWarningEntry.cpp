#include "editing/AdvanceWarningEntry.h"

#include "editing/TaskControls.h"
#include "editing/TaskDateRules.h"
#include "scheduler/AppContext.h"
#include "store/ScheduleRecord.h"

namespace velatask {

namespace {
const char* const kDateLabel = "&Advance Warning Date:";
const char* const kTimeLabel = "Time:";
} // namespace

DateTimeEntry* AdvanceWarningEntry::unchecked(QWidget* parent) {
    return new DateTimeEntry(QLatin1String(kDateLabel), QLatin1String(kTimeLabel), parent);
}

AdvanceWarningEntry::AdvanceWarningEntry(TaskControls& controls, QWidget* parent)
    : DateTimeEntry(controls, QLatin1String(kDateLabel), controls.task().AdvanceWarnDate,
                    QLatin1String(kTimeLabel), controls.task().AdvanceWarnTime, parent) {}

void AdvanceWarningEntry::dateAccepted() {
    TaskControls& c = controls();
    c.change([&c](ScheduleRecord& task) { TaskDateRules::checkAdvanceWarning(task, *c.app().ui); });
}

} // namespace velatask
