#include "store/ScheduleRecord.h"

namespace velatask {

std::uint8_t& ScheduleRecord::weekdayFlag(int weekday) {
    switch (weekday) {
    case 0:
        return Sunday;
    case 1:
        return Monday;
    case 2:
        return Tuesday;
    case 3:
        return Wednesday;
    case 4:
        return Thursday;
    case 5:
        return Friday;
    default:
        return Saturday;
    }
}

std::uint8_t ScheduleRecord::weekdayFlag(int weekday) const {
    return const_cast<ScheduleRecord*>(this)->weekdayFlag(weekday);
}

bool ScheduleRecord::anyWeekday() const {
    return Sunday || Monday || Tuesday || Wednesday || Thursday || Friday || Saturday;
}

bool ScheduleRecord::anyOrdinal() const {
    return Every1st || Every2nd || Every3rd || Every4th || EveryLast;
}

} // namespace velatask
