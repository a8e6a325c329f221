#include "editing/AdvanceWarningEntry.h"

#include "editing/TaskControls.h"
#include "editing/TaskDateRules.h"
#include "scheduler/AppContext.h"
#include "store/ScheduleRecord.h"

namespace velatask {

AdvanceWarningEntry::AdvanceWarningEntry(TaskControls& controls, QWidget* parent)
    : DateTimeEntry(controls, QStringLiteral("&Advance Warning Date:"),
                    controls.task().AdvanceWarnDate, QStringLiteral("Time:"),
                    controls.task().AdvanceWarnTime, parent) {}

void AdvanceWarningEntry::dateAccepted() {
    TaskControls& c = controls();
    c.change([&c](ScheduleRecord& task) { TaskDateRules::checkAdvanceWarning(task, *c.app().ui); });
}

} // namespace velatask
