#pragma once

#include "editing/DateTimeEntry.h"

namespace velatask {

// "&Advance Warning Date:" and "Time:". A warning after the task's next date and time is cleared
// with a message. Its calendar offers every day.
class AdvanceWarningEntry : public DateTimeEntry {
    Q_OBJECT
public:
    AdvanceWarningEntry(TaskControls& controls, QWidget* parent = nullptr);
    // The same labels and entries without the calendar and the checks.
    static DateTimeEntry* unchecked(QWidget* parent);

protected:
    void dateAccepted() override;
    QString calendarMode() const override { return QStringLiteral("None"); }
};

} // namespace velatask
