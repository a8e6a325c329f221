#include "editing/NextDateEntry.h"

#include "editing/EditingContext.h"
#include "editing/TaskControls.h"
#include "editing/TaskDateRules.h"
#include "editing/TaskVisibility.h"
#include "scheduler/AppContext.h"
#include "store/ScheduleRecord.h"
#include "ui/FieldBindings.h"

namespace velatask {

namespace {
const char* const kDateLabel = "&Next Date to Perform Task:";
const char* const kTimeLabel = "&Time:";
} // namespace

DateTimeEntry* NextDateEntry::unchecked(QWidget* parent) {
    return new DateTimeEntry(QLatin1String(kDateLabel), QLatin1String(kTimeLabel), parent);
}

NextDateEntry::NextDateEntry(TaskControls& controls, QWidget* parent)
    : DateTimeEntry(controls, QLatin1String(kDateLabel), controls.task().Date,
                    QLatin1String(kTimeLabel), controls.task().Time, parent) {
    controls.fields().custom(
        this,
        [this] {
            setTimeShown(TaskVisibility::forTaskType(this->controls().task().TaskType).time);
        },
        [] { return true; });
}

void NextDateEntry::dateAccepted() {
    TaskControls& c = controls();
    c.change(
        [&c](ScheduleRecord& task) { TaskDateRules::applyWarningSection(task, *c.app().ini); });
    TaskDateRules::checkNextDate(c.task(), *c.app().ui);
}

} // namespace velatask
