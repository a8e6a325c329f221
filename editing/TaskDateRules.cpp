#include "editing/TaskDateRules.h"

#include "core/Time.h"
#include "core/Ui.h"
#include "scheduler/NextOccurrence.h"
#include "settings/IniFile.h"
#include "store/ScheduleRecord.h"

#include <algorithm>
#include <cstdint>

namespace velatask {

namespace {

const QString kSection = QStringLiteral("Warning");
// Far enough back for any warning; keeps the arithmetic inside 64 bits.
constexpr long kMostDays = 100L * 366;
constexpr long kMostMinutes = kMostDays * 24 * 60;

} // namespace

bool TaskDateRules::checkNextDate(const ScheduleRecord& task, Ui& ui) {
    if (task.Date == 0 || IsOccurrenceDate(task, 0)) {
        return true;
    }
    ui.message(QStringLiteral("Date given does not match schedule type."),
               QStringLiteral("Warning"), Ui::NoIcon, Ui::Ok, Ui::Ok);
    return false;
}

bool TaskDateRules::checkAdvanceWarning(ScheduleRecord& task, Ui& ui) {
    const bool after = task.AdvanceWarnDate > task.Date ||
                       (task.AdvanceWarnDate == task.Date && task.AdvanceWarnTime > task.Time);
    if (!after) {
        return true;
    }
    task.AdvanceWarnDate = 0;
    task.AdvanceWarnTime = 0;
    ui.message(QStringLiteral("Advanced Warning cannot be after scheduled task."), QString(),
               Ui::NoIcon, Ui::Ok, Ui::Ok);
    return false;
}

bool TaskDateRules::applyWarningSection(ScheduleRecord& task, const IniFile& ini) {
    if (task.Date == 0 || ini.readNumber(kSection, QStringLiteral("Active")) == 0) {
        return false;
    }
    const long days = std::clamp(ini.readNumber(kSection, QStringLiteral("Date")), 0L, kMostDays);
    const long minutes =
        std::clamp(ini.readNumber(kSection, QStringLiteral("Time")), 0L, kMostMinutes);
    std::int64_t time =
        std::max<std::int64_t>(task.Time, 1) - std::int64_t(minutes) * Time::kMinute;
    std::int64_t date = std::int64_t(task.Date) - days;
    if (time < 1) {
        const std::int64_t borrowed = (Time::kDay - time) / Time::kDay;
        time += borrowed * Time::kDay;
        date -= borrowed;
    }
    task.AdvanceWarnDate = std::int32_t(date);
    task.AdvanceWarnTime = std::int32_t(time);
    return true;
}

} // namespace velatask
