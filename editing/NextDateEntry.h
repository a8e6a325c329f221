#pragma once

#include "editing/DateTimeEntry.h"

namespace velatask {

// "&Next Date to Perform Task:" and "&Time:". An entered date is checked against the schedule
// (the warning never refuses it) and, when the settings ask for it, gives the task its advance
// warning. The time hides for tasks of type "None".
class NextDateEntry : public DateTimeEntry {
    Q_OBJECT
public:
    NextDateEntry(TaskControls& controls, QWidget* parent = nullptr);
    // The same labels and entries without the calendar and the checks.
    static DateTimeEntry* unchecked(QWidget* parent);

protected:
    void dateAccepted() override;
    QString calendarMode() const override { return QString(); }
};

} // namespace velatask
