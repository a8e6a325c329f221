#include "editing/TaskControls.h"

#include "editing/EditingContext.h"
#include "ui/FieldBindings.h"

namespace velatask {

TaskControls::TaskControls(EditingContext& services, ScheduleRecord& task, FieldBindings& fields,
                           QWidget* window)
    : m_services(services), m_task(task), m_fields(fields), m_window(window) {}

AppContext& TaskControls::app() {
    return m_services.app;
}

void TaskControls::storeControls() {
    m_fields.store();
}

void TaskControls::change(const std::function<void(ScheduleRecord&)>& rule) {
    m_fields.store();
    rule(m_task);
    m_fields.load();
}

} // namespace velatask
