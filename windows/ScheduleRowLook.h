#pragma once

#include <QColor>

#include <cstdint>

namespace velatask {

// How a task's row looks in the schedule lists: its status icon and the colour of its date,
// from its completed, skip and disabled flags.
namespace ScheduleRowLook {

// The list's icon table, in order (1 is the first).
enum Icon { DisabledIcon = 1, DoneIcon, NotDoneIcon, SkipIcon };

// Done wins over skip, skip over disabled: a finished task (a history copy) always shows done.
int iconOf(std::int64_t completed, std::int64_t skipNextTime, std::int64_t disabled);

// Grey for a disabled task, else blue for one whose next occurrence is skipped; an invalid
// colour keeps the list's own.
QColor dateColourOf(std::int64_t disabled, std::int64_t skipNextTime);

} // namespace ScheduleRowLook
} // namespace velatask
