#pragma once

namespace velatask {

class IniFile;
class Ui;
struct ScheduleRecord;

// What happens when the user enters a task's next date or its advance-warning date. Neither
// check keeps a task from being saved.
class TaskDateRules {
public:
    // A next date on which the task cannot occur is kept, with a warning. True when it matches.
    static bool checkNextDate(const ScheduleRecord& task, Ui& ui);

    // An advance warning after the task's next date and time is cleared, with a message. True
    // when it was fine.
    static bool checkAdvanceWarning(ScheduleRecord& task, Ui& ui);

    // The settings file's section "Warning" gives every newly entered next date an advance
    // warning when its key "Active" holds a number other than 0: "Date" whole days and "Time"
    // minutes before the next date and time. The warning moment is
    //     (Date, Time) - (days x 8640000 + minutes x 6000) hundredths,
    // borrowing whole days while the time drops below 1 (00:00:00.00); a task without a time
    // counts from the start of its day, and missing, negative or non-numeric keys count as 0,
    // so the warning is never after the task. True when the warning was set.
    static bool applyWarningSection(ScheduleRecord& task, const IniFile& ini);
};

} // namespace velatask
