#pragma once

#include "ui/FormWindow.h"

class QCheckBox;
class QLineEdit;

namespace velatask {

class StepRangeSpinBox;

// "To Do": the form of one To Do item. A new item starts at priority 5, not done; a priority
// outside 1 to 10 is refused with the range warning.
class UpdateTodo : public FormWindow {
    Q_OBJECT
public:
    UpdateTodo(Store& store, IniFile& ini, Request request, QWidget* parent = nullptr);

    QLineEdit* toDo() const { return m_toDo; }
    StepRangeSpinBox* priority() const { return m_priority; }
    QCheckBox* done() const { return m_done; }

private:
    bool checkPriority();

    QLineEdit* m_toDo = nullptr;
    StepRangeSpinBox* m_priority = nullptr;
    QCheckBox* m_done = nullptr;
};

} // namespace velatask
