#include "editing/AddProgramWizard.h"

#include "editing/AlarmGroup.h"
#include "editing/ChosenFile.h"
#include "editing/CommandGroup.h"
#include "platform/ProgramStarter.h"
#include "scheduler/AppContext.h"

#include <QPushButton>

namespace velatask {

AddProgramWizard::AddProgramWizard(EditingContext& services, Request request, QWidget* parent)
    : TaskWizard(services, request, QStringLiteral("AddProgramWizard"),
                 QStringLiteral("Add Program Wizard"), "WIZARD.ICO",
                 newTask(services, QStringLiteral("Run Program")), parent) {
    addCommandPage(QStringLiteral("You can also enter \"START \" and a document name."));
    addScheduleWhenPage(QStringLiteral("When to start it..."));
    addCategoryPage();
    addAdvancedPage();

    command()->browseButton()->setToolTip(QStringLiteral("Select an application to start"));
    connect(command(), &CommandGroup::browsed, this, [this] {
        const ProgramStarter& programs = *controls().app().programs;
        controls().change([&programs](ScheduleRecord& task) {
            ChosenFile::applyCommand(
                task, [&programs](const QString& program) { return programs.isProgram(program); });
        });
    });
    alarm()->setBrowseTitle(QStringLiteral("Choose a WAV File"));
}

} // namespace velatask
