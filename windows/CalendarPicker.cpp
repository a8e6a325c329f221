#include "windows/CalendarPicker.h"

#include "windows/CalendarDialog.h"

namespace velatask {

std::int32_t CalendarPicker::pickDate(const ScheduleRecord& task, std::int32_t date,
                                      const QString& mode, const QString& title, QWidget* parent) {
    return Calendar(m_ini, m_clock, m_ui, task, date, mode, title, parent);
}

} // namespace velatask
