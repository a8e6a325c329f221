#pragma once

#include <functional>

class QWidget;

namespace velatask {

struct AppContext;
struct EditingContext;
class FieldBindings;
struct ScheduleRecord;

// What the building blocks of a task window share: the task they edit (the Schedule buffer), the
// bindings that show it and read it back, the services, and the window they sit in. A rule that
// changes the task goes through change(), so every control shows the result.
class TaskControls {
public:
    TaskControls(EditingContext& services, ScheduleRecord& task, FieldBindings& fields,
                 QWidget* window);

    EditingContext& services() { return m_services; }
    AppContext& app();
    ScheduleRecord& task() { return m_task; }
    FieldBindings& fields() { return m_fields; }
    QWidget* window() const { return m_window; }

    // Reads every control into the task, so that a rule sees what the user entered.
    void storeControls();
    // Reads the controls, applies `rule` to the task, and shows the task again.
    void change(const std::function<void(ScheduleRecord&)>& rule);

private:
    EditingContext& m_services;
    ScheduleRecord& m_task;
    FieldBindings& m_fields;
    QWidget* m_window;
};

} // namespace velatask
