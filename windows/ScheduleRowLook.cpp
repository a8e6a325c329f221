#include "windows/ScheduleRowLook.h"

namespace velatask::ScheduleRowLook {

int iconOf(std::int64_t completed, std::int64_t skipNextTime, std::int64_t disabled) {
    if (completed == 1) {
        return DoneIcon;
    }
    if (skipNextTime == 1 && completed == 0) {
        return SkipIcon;
    }
    if (disabled != 0 && completed == 0) {
        return DisabledIcon;
    }
    return NotDoneIcon;
}

QColor dateColourOf(std::int64_t disabled, std::int64_t skipNextTime) {
    if (disabled == 1) {
        return QColor(0x80, 0x80, 0x80);
    }
    if (skipNextTime == 1) {
        return QColor(0x00, 0x00, 0xff);
    }
    return QColor();
}

} // namespace velatask::ScheduleRowLook
