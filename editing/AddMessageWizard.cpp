#include "editing/AddMessageWizard.h"

namespace velatask {

AddMessageWizard::AddMessageWizard(EditingContext& services, Request request, QWidget* parent)
    : TaskWizard(services, request, QStringLiteral("AddMessageWizard"),
                 QStringLiteral("Add Message Wizard"), "CAL.ICO",
                 newTask(services, QStringLiteral("Display Message")), parent) {
    addMessagePage("WRITE.GIF", QStringLiteral("Select the category and optionally enter a brief "
                                               "description or \"title\"."));
    addScheduleWhenPage(QStringLiteral("When to display it..."));
    addAdvancedPage();
}

} // namespace velatask
