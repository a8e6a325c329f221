#include "editing/TaskVisibility.h"

#include "core/FixedText.h"
#include "store/ScheduleRecord.h"

namespace velatask {

TaskVisibility::ByTaskType TaskVisibility::forTaskType(const QString& taskType) {
    const QString type = FixedText::rtrim(taskType);
    ByTaskType shown;
    if (type == QLatin1String("Run Program")) {
        shown.message = false;
    } else if (type == QLatin1String("Display Message")) {
        shown.command = false;
    } else if (type == QLatin1String("None")) {
        shown.command = false;
        shown.time = false;
    }
    return shown;
}

TaskVisibility::ByScheduleType TaskVisibility::forScheduleType(const QString& scheduleType) {
    const QString type = FixedText::rtrim(scheduleType);
    ByScheduleType shown;
    if (type == QLatin1String("Once") || type == QLatin1String("Monthly") ||
        type == QLatin1String("Yearly")) {
        return shown;
    }
    if (type == QLatin1String("Day of Week")) {
        shown.weekdays = true;
    } else if (type == QLatin1String("Day of Month")) {
        shown.ordinals = true;
        shown.weekdays = true;
    } else {
        shown.every = true; // "Custom" and anything unknown
    }
    return shown;
}

void TaskVisibility::chooseTaskType(ScheduleRecord& task, const QString& taskType) {
    task.TaskType = taskType;
    if (!forTaskType(taskType).time) {
        task.Time = kNoneTime;
    }
}

} // namespace velatask
