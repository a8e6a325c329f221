#pragma once

#include "editing/TaskWizard.h"

namespace velatask {

// "Add Program Wizard": a new task that starts a program, on the pages "&Command", "&When",
// "&Category" and "&Advanced". Its "&Browse" leaves the command ready to start even when no file
// was chosen: a document gets "START " in front.
class AddProgramWizard : public TaskWizard {
    Q_OBJECT
public:
    explicit AddProgramWizard(EditingContext& services, Request request = Request::Insert,
                              QWidget* parent = nullptr);
};

} // namespace velatask
