#pragma once

#include "editing/TaskWizard.h"

namespace velatask {

// "Add Message Wizard": a new task that shows a message, on the pages "&Message", "&When" and
// "&Advanced".
class AddMessageWizard : public TaskWizard {
    Q_OBJECT
public:
    explicit AddMessageWizard(EditingContext& services, Request request = Request::Insert,
                              QWidget* parent = nullptr);
};

} // namespace velatask
