#pragma once

#include "editing/ScheduleFormRecord.h"
#include "store/ScheduleRecord.h"

#include <functional>

namespace velatask {

// The task a wizard adds: reserved under a new number like the task form's, but edited in the
// window's own record, because a wizard stays open beside other windows that read through the
// shared Schedule buffer meanwhile. The buffer gets the task back for every write.
class WizardTaskRecord : public ScheduleFormRecord {
public:
    // `prepare` makes the new task out of the buffer as the window found it (a copied task, or
    // whatever the buffer held), before the number is reserved.
    WizardTaskRecord(AppContext& app, std::function<void(ScheduleRecord&)> prepare);

    ScheduleRecord& task() { return m_task; }
    // The buffer as the window opened: for a copy, the task it was copied from.
    const ScheduleRecord& found() const { return m_found; }

    int open() override;
    int prepareInsert() override;
    void takeCopy() override;
    bool changed() const override;
    int insert() override;
    int update() override;

private:
    std::function<void(ScheduleRecord&)> m_prepare;
    ScheduleRecord m_task;
    ScheduleRecord m_found;
    ScheduleRecord m_copy;
};

} // namespace velatask
