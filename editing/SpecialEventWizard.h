#pragma once

#include "editing/TaskWizard.h"

namespace velatask {

class TaskTypeGroup;

// "Reschedule Event Wizard": a one-time special event made from the task in the Schedule buffer.
// The copy is a "Once" task under a new number (its script steps stay with the source task),
// edited on the pages "&Task", "&Command", "&Message", "&When" and "&Advanced" that its type
// uses. With "Skip next regular occurance of task being copied" ticked, "&Finish" also makes the
// source task skip its next occurrence. "Cancel" leaves the source task alone and removes the
// copy.
//
//     SpecialEventWizard(services, Request::Insert, parent).run(); // Completed or Cancelled
class SpecialEventWizard : public TaskWizard {
    Q_OBJECT
public:
    SpecialEventWizard(EditingContext& services, Request request, QWidget* parent = nullptr);

    TaskTypeGroup* taskType() const { return m_taskType; }

    void accept() override;

private:
    TaskTypeGroup* m_taskType = nullptr;
};

} // namespace velatask
