#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

struct ScheduleRecord;

// Which controls of a task window show for the task's type and its schedule type.
class TaskVisibility {
public:
    // "None" tasks fall due at the last seconds of their day.
    static constexpr std::int32_t kNoneTime = 8639500;

    struct ByTaskType {
        bool command = true; // the command, its directory and "&Scripting"
        bool message = true; // the message text
        bool time = true;    // the time of the next date
    };
    struct ByScheduleType {
        bool ordinals = false; // "1st" ... "Last"
        bool weekdays = false; // "Sunday" ... "Saturday"
        bool every = false;    // "Every:" and its unit
    };

    static ByTaskType forTaskType(const QString& taskType);
    static ByScheduleType forScheduleType(const QString& scheduleType);

    // The task type as the user chose it, with what the choice does to the task: "None" moves
    // the time to kNoneTime.
    static void chooseTaskType(ScheduleRecord& task, const QString& taskType);
};

} // namespace velatask
