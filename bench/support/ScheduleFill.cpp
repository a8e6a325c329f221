#include "bench/support/ScheduleFill.h"

#include "bench/support/BenchData.h"
#include "core/Time.h"
#include "store/Store.h"

#include <random>

namespace velatask {

ScheduleRecord dailyMessage(std::int32_t id, const QString& message) {
    ScheduleRecord r;
    r.ID = id;
    r.TaskType = QStringLiteral("Display Message");
    r.ScheduleType = QStringLiteral("Custom");
    r.Every = 1;
    r.EveryType = QStringLiteral("day(s)");
    r.Message = message;
    return r;
}

void fillSchedule(Store& store, int rows, std::int32_t firstDate) {
    std::mt19937 random(static_cast<std::mt19937::result_type>(rows));
    addTasks(store, rows, [&](int i, ScheduleRecord& r) {
        r = dailyMessage(i, QStringLiteral("Remember the thing of the day."));
        r.Description = QStringLiteral("Task %1").arg(i);
        r.Time = std::int32_t(random() % Time::kDay) + 1;
        const bool history = i % 10 != 0;
        r.Date = firstDate + std::int32_t(random() % 3000) + (history ? 0 : 4000);
        r.Disabled = history ? 1 : 0;
        r.Completed = history ? 1 : 0;
    });
}

void fillScheduleWithHistory(Store& store, int rows, std::int32_t firstDate) {
    constexpr int kRecurring = 300;
    std::mt19937 random(static_cast<std::mt19937::result_type>(rows));
    addTasks(store, rows, [&](int i, ScheduleRecord& r) {
        const bool history = i % 10 != 0;
        const int task = history ? 10 * (int(random() % kRecurring) + 1) : i;
        r = dailyMessage(i, QStringLiteral("Remember the thing of the day."));
        r.Description = QStringLiteral("Task %1").arg(task);
        r.Time = std::int32_t(random() % Time::kDay) + 1;
        r.Date = history ? firstDate + std::int32_t(std::int64_t(i) * 3000 / rows)
                         : firstDate + 4000 + std::int32_t(random() % 3000);
        r.Disabled = history ? 1 : 0;
        r.Completed = history ? 1 : 0;
    });
}

} // namespace velatask
