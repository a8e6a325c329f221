#include "editing/WizardPages.h"

#include "editing/TaskVisibility.h"

namespace velatask {

bool WizardPages::used(int page, const QString& taskType) const {
    if (page < 0 || page >= count()) {
        return false;
    }
    const TaskVisibility::ByTaskType shown = TaskVisibility::forTaskType(taskType);
    switch (m_pages[std::size_t(page)]) {
    case Use::Command:
        return shown.command;
    case Use::Message:
        return shown.message;
    case Use::Always:
        break;
    }
    return true;
}

int WizardPages::next(int page, const QString& taskType) const {
    return step(page, 1, taskType);
}

int WizardPages::previous(int page, const QString& taskType) const {
    return step(page, -1, taskType);
}

int WizardPages::step(int page, int direction, const QString& taskType) const {
    for (int p = page + direction; p >= 0 && p < count(); p += direction) {
        if (used(p, taskType)) {
            return p;
        }
    }
    return -1;
}

} // namespace velatask
