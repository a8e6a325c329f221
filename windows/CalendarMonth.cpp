#include "windows/CalendarMonth.h"

#include "core/Date.h"
#include "scheduler/NextOccurrence.h"

namespace velatask {

int CalendarMonth::firstButton(int month, int year) {
    return Date::weekday(Date::make(month, 1, year));
}

std::array<CalendarCell, CalendarMonth::kButtons>
CalendarMonth::fill(int month, int year, bool filter, const ScheduleRecord& task) {
    std::array<CalendarCell, kButtons> cells{};
    const std::int32_t first = Date::make(month, 1, year);
    const int start = Date::weekday(first);
    const int length = Date::monthLength(month, year);
    for (int n = 1; n <= length && start + n - 1 < kButtons; ++n) {
        CalendarCell& cell = cells[start + n - 1];
        cell.day = n;
        cell.enabled = !filter || IsOccurrenceDate(task, first + n - 1);
    }
    // Hide the empty buttons, scanning inward from both ends of the grid.
    for (int k = 0; k < kButtons && cells[k].day == 0; ++k) {
        cells[k].visible = false;
    }
    for (int k = kButtons - 1; k >= 0 && cells[k].day == 0; --k) {
        cells[k].visible = false;
    }
    return cells;
}

} // namespace velatask
