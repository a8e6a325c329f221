#include "editing/AddTaskWizard.h"

#include "editing/TaskTypeGroup.h"

#include <QLabel>
#include <QVBoxLayout>

namespace velatask {

AddTaskWizard::AddTaskWizard(EditingContext& services, Request request, QWidget* parent)
    : TaskWizard(services, request, QStringLiteral("AddTaskWizard"),
                 QStringLiteral("Add Task Wizard"), "CAL.ICO",
                 newTask(services, QStringLiteral("Both")), parent) {
    QVBoxLayout* task = addPage(QStringLiteral("&Task"), WizardPages::Use::Always,
                                QStringLiteral("What needs to be done?"));
    QWidget* page = task->parentWidget();
    task->addWidget(note(QStringLiteral("This wizard schedules a new task to perform.  Enter the "
                                        "type of task here..."),
                         page));
    m_taskType = new TaskTypeGroup(controls(), page);
    task->addWidget(m_taskType, 0, Qt::AlignLeft);
    task->addWidget(
        note(QStringLiteral("This determines what will happen at the time you specify..."), page));
    task->addStretch();
    addCategoryPage();
    addCommandPage(QString());
    addMessagePage("WRITE.GIF");
    addScheduleWhenPage(QStringLiteral("When to do it..."));
    addAdvancedPage();
}

} // namespace velatask
