#include "editing/ScheduleFormRecord.h"

#include "core/FixedText.h"
#include "editing/NewTaskDefaults.h"
#include "platform/Clock.h"
#include "scheduler/AppContext.h"
#include "store/Procedures.h"

namespace velatask {

ScheduleFormRecord::ScheduleFormRecord(AppContext& app)
    : ReservedFormRecord(*app.store, app.store->SCH, &UpdateScheduleRecord, &DeleteScheduleRecord,
                         QStringLiteral("Schedule"), QStringLiteral("By System ID")),
      m_app(app) {
    setReserve([this] { return reserve(); });
}

int ScheduleFormRecord::open() {
    if (const int code = store().CAT.open(); code != 0) {
        return code;
    }
    m_categoriesOpen = true;
    // The number the update procedure compares with, to move the steps of a renumbered task.
    store().setSavedTaskNumber(view().buffer().ID);
    const int code = ReservedFormRecord::open();
    if (code != 0) {
        close();
    }
    return code;
}

void ScheduleFormRecord::close() {
    ReservedFormRecord::close();
    if (m_categoriesOpen) {
        store().CAT.close();
        m_categoriesOpen = false;
    }
}

int ScheduleFormRecord::reserveNumber() {
    ScheduleRecord& task = view().buffer();
    const std::uint8_t disabled = task.Disabled;
    task.Disabled = 1;
    const int code = NewTaskNumber(store());
    task.Disabled = disabled;
    return code;
}

int ScheduleFormRecord::reserve() {
    if (reserveNumber() != 0) {
        return 1;
    }
    ScheduleRecord& task = view().buffer();
    if (FixedText::isBlank(task.TaskType)) {
        NewTaskDefaults::apply(task, NewTaskDefaults::startDate(m_app.NewTaskDate, *m_app.clock),
                               m_app.clock->now(), QStringLiteral("Both"));
        m_defaultsApplied = true;
    } else {
        task.Completed = 0;
        task.AdvanceWarned = 0;
        task.Disabled = 0;
    }
    return 0;
}

} // namespace velatask
