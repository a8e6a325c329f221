#pragma once

#include "ui/OptionGroup.h"

namespace velatask {

class TaskControls;

// The option "Task Type": "Run Program", "Display Message", "Both", "None". Choosing applies the
// type's rules to the task and shows what the type uses.
class TaskTypeGroup : public OptionGroup {
    Q_OBJECT
public:
    TaskTypeGroup(TaskControls& controls, QWidget* parent = nullptr);
    // The buttons alone, without the rules, for a window that reads them its own way.
    explicit TaskTypeGroup(QWidget* parent);
};

} // namespace velatask
