#pragma once

#include "store/ScheduleRecord.h"

#include <cstdint>

namespace velatask {

class Store;

// An enabled task that shows its message every day.
ScheduleRecord dailyMessage(std::int32_t id, const QString& message);

// Fills the Schedule table with `rows` tasks in one transaction, nine in ten of them history
// copies dated in the 3000 days from `firstDate`, the rest enabled daily messages dated 4000 to
// 7000 days after it. The same starting number gives the same table. The views HIS, SCH1, SCR and
// SCH must be open.
void fillSchedule(Store& store, int rows, std::int32_t firstDate);

// Fills the Schedule table as years of the scheduler's own work leave it: every tenth record is
// an enabled task as above; the others are history copies of 300 recurring tasks, added in the
// order they fell due, so that a later copy has a later date over the 3000 days from `firstDate`.
void fillScheduleWithHistory(Store& store, int rows, std::int32_t firstDate);

} // namespace velatask
