#pragma once

#include "store/ScheduleRecord.h"

namespace velatask {

// A record of table History: the Schedule layout. The table has no AdvanceWarned column, so that
// field is neither stored nor read for History.
using HistoryRecord = ScheduleRecord;

} // namespace velatask
