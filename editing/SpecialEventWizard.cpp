#include "editing/SpecialEventWizard.h"

#include "editing/EditingContext.h"
#include "editing/SkipCopiedTask.h"
#include "editing/TaskTypeGroup.h"
#include "editing/WizardTaskRecord.h"
#include "scheduler/AppContext.h"
#include "store/ScheduleRecord.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velatask {

namespace {

void makeSpecialEvent(ScheduleRecord& task) {
    task.ScheduleType = QStringLiteral("Once");
    task.Disabled = 0;
    task.AdvanceWarned = 0;
}

} // namespace

SpecialEventWizard::SpecialEventWizard(EditingContext& services, Request request, QWidget* parent)
    : TaskWizard(services, request, QStringLiteral("SpecialEventWizard"),
                 QStringLiteral("Reschedule Event Wizard"), "CAL.ICO", &makeSpecialEvent, parent) {
    QVBoxLayout* task = addPage(QStringLiteral("&Task"), WizardPages::Use::Always,
                                QStringLiteral("Rescheduling..."), "TIMEPC_L.GIF");
    QWidget* page = task->parentWidget();
    task->addWidget(note(QStringLiteral("This is useful when the day a task is normally "
                                        "scheduled is a holiday, or\nmust be changed temporarily "
                                        "because of some other special event."),
                         page));
    task->addWidget(note(QStringLiteral("This wizard copies an existing task to create a special "
                                        "event.\nYou may modify the information here or press "
                                        "Next."),
                         page));
    m_taskType = new TaskTypeGroup(controls(), page);
    // A special event does something.
    m_taskType->button(QStringLiteral("None"))->hide();
    task->addWidget(m_taskType, 0, Qt::AlignLeft);
    addCategory(task);
    task->addStretch();

    addCommandPage(QString());
    addMessagePage(nullptr);

    QVBoxLayout* when = addPage(QStringLiteral("&When"), WizardPages::Use::Always,
                                QStringLiteral("When to do it..."), "TIMEPIEC.GIF");
    when->addWidget(note(QStringLiteral("These options determine when this task will be "
                                        "performed."),
                         when->parentWidget()));
    addNextDate(when);
    addAdvanceWarning(when);
    addSkip(when, QStringLiteral("Skip next regular occurance of task being copied"));
    when->addStretch();
    addAdvancedPage();
}

void SpecialEventWizard::accept() {
    TaskWizard::accept();
    if (result() != Accepted || request() != Request::Insert ||
        taskRecord().task().SkipNextTime != 1) {
        return;
    }
    AppContext& app = controls().app();
    SkipCopiedTask::moveToSource(*app.store, *app.ui, taskRecord().found().ID);
}

} // namespace velatask
