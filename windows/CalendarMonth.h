#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace velatask {

struct ScheduleRecord;

// One button of the calendar's six-week grid.
struct CalendarCell {
    int day = 0; // 0: no day of the month here
    bool enabled = true;
    bool visible = true;
};

// The 42-button grid of one month: button k stands in row k div 7 and column k mod 7, Sunday
// first. With filtering on, days on which the task cannot occur are disabled; the empty buttons
// before the first and after the last day are hidden.
class CalendarMonth {
public:
    static constexpr int kButtons = 42;

    static std::array<CalendarCell, kButtons> fill(int month, int year, bool filter,
                                                   const ScheduleRecord& task);
    // Index of the button that shows day 1.
    static int firstButton(int month, int year);
};

} // namespace velatask
