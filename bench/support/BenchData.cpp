#include "bench/support/BenchData.h"

#include "core/Time.h"
#include "store/Transaction.h"

namespace velatask {

void addTasks(Store& store, int count, const TaskMaker& make,
              const std::function<void(int i)>& added) {
    Transaction tx(store);
    tx.begin();
    for (int i = 1; i <= count; ++i) {
        ScheduleRecord& r = store.SCH.buffer();
        r = ScheduleRecord{};
        make(i, r);
        store.SCH.add();
        if (added) {
            added(i);
        }
    }
    tx.commit();
}

ScheduleRecord listedTask(int i, std::mt19937& random, std::int32_t firstDate, int days) {
    static const char* const categories[] = {"Work", "Home", "Birthdays", "Backups", ""};
    ScheduleRecord r;
    r.ID = i;
    r.TaskType = QStringLiteral("Display Message");
    r.ScheduleType = QStringLiteral("Day of Week");
    r.Category = QString::fromLatin1(categories[random() % 5]);
    r.Description = QStringLiteral("Task number %1").arg(random() % 5000);
    r.Date = firstDate + std::int32_t(random() % std::uint32_t(days));
    r.Time = std::int32_t(random() % Time::kDay) + 1;
    r.Message = QStringLiteral("Remember the thing of the day.");
    const bool history = i % 10 != 0;
    r.Disabled = history ? 1 : 0;
    r.Completed = history ? 1 : 0;
    return r;
}

} // namespace velatask
