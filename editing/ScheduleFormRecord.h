#pragma once

#include "store/View.h"
#include "ui/ReservedFormRecord.h"

namespace velatask {

struct AppContext;

// The task form's record: the task in the Schedule buffer, with the categories open for the
// form's list. A new task is reserved under its new number and, when the caller left its type
// blank, given the defaults of a new task; cancelling deletes it with any script steps it was
// given meanwhile.
class ScheduleFormRecord : public ReservedFormRecord<ScheduleView> {
public:
    explicit ScheduleFormRecord(AppContext& app);

    int open() override;
    void close() override;

    // True when the new task got the default values (the caller left its type blank).
    bool defaultsApplied() const { return m_defaultsApplied; }

protected:
    // Adds the task in the buffer under a new number (0 when done). The stored record is
    // disabled until the window saves it, so the scheduler never performs a task still being
    // edited; the buffer keeps its own flag for the save.
    int reserveNumber();
    AppContext& app() { return m_app; }

private:
    int reserve();

    AppContext& m_app;
    bool m_categoriesOpen = false;
    bool m_defaultsApplied = false;
};

} // namespace velatask
