#pragma once

#include <QString>

#include <cstdint>

class QWidget;

namespace velatask {

struct ScheduleRecord;

// The calendar as the task windows call it: `date` to start from (0: today), `mode` "None" for
// any day or blank for the days on which `task` can occur, `title` for the caption. Answers the
// picked date, or `date` when nothing was picked.
class DatePicker {
public:
    virtual ~DatePicker() = default;
    virtual std::int32_t pickDate(const ScheduleRecord& task, std::int32_t date,
                                  const QString& mode, const QString& title, QWidget* parent) = 0;
};

} // namespace velatask
