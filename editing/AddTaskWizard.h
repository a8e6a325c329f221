#pragma once

#include "editing/TaskWizard.h"

namespace velatask {

class TaskTypeGroup;

// "Add Task Wizard": a new task of any type. Its pages "&Task", "&Category", "&Command",
// "&Message", "&When" and "&Advanced" are those the chosen type uses.
class AddTaskWizard : public TaskWizard {
    Q_OBJECT
public:
    explicit AddTaskWizard(EditingContext& services, Request request = Request::Insert,
                           QWidget* parent = nullptr);

    TaskTypeGroup* taskType() const { return m_taskType; }

private:
    TaskTypeGroup* m_taskType = nullptr;
};

} // namespace velatask
