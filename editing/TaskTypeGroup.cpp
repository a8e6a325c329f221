#include "editing/TaskTypeGroup.h"

#include "editing/TaskControls.h"
#include "editing/TaskVisibility.h"
#include "store/ScheduleRecord.h"

namespace velatask {

TaskTypeGroup::TaskTypeGroup(QWidget* parent)
    : OptionGroup(QStringLiteral("Task Type"),
                  {QStringLiteral("Run Program"), QStringLiteral("Display Message"),
                   QStringLiteral("Both"), QStringLiteral("None")},
                  parent) {
    setToolTip(QStringLiteral("Type of Task to Perform"));
}

TaskTypeGroup::TaskTypeGroup(TaskControls& controls, QWidget* parent) : TaskTypeGroup(parent) {
    bind(controls.fields(), controls.task().TaskType, ScheduleRecord::kTaskTypeWidth);
    connect(this, &OptionGroup::chosen, this, [&controls](const QString& type) {
        controls.change(
            [&type](ScheduleRecord& task) { TaskVisibility::chooseTaskType(task, type); });
    });
}

} // namespace velatask
