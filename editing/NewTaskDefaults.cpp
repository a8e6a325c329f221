#include "editing/NewTaskDefaults.h"

#include "core/FixedText.h"
#include "platform/Clock.h"
#include "store/ScheduleRecord.h"

namespace velatask::NewTaskDefaults {

std::int32_t startDate(const QString& newTaskDate, const Clock& clock) {
    bool ok = false;
    const std::int32_t date = FixedText::rtrim(newTaskDate).trimmed().toInt(&ok);
    return ok && date > 0 ? date : clock.today();
}

void apply(ScheduleRecord& task, std::int32_t date, std::int32_t time, const QString& taskType) {
    task.Date = date;
    task.Time = time;
    task.ScheduleType = QStringLiteral("Day of Week");
    for (int day = 0; day < 7; ++day) {
        task.weekdayFlag(day) = 1;
    }
    task.EveryLast = 1;
    task.Warn = 1;
    task.TaskType = taskType;
}

void applyRepetition(ScheduleRecord& task) {
    task.Every = 1;
    task.EveryType = QStringLiteral("hour(s)");
}

} // namespace velatask::NewTaskDefaults
