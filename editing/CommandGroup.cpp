#include "editing/CommandGroup.h"

#include "editing/ChosenFile.h"
#include "editing/EditingContext.h"
#include "editing/FileChooser.h"
#include "editing/TaskControls.h"
#include "platform/ProgramStarter.h"
#include "scheduler/AppContext.h"
#include "scripting/ui/AddScripting.h"
#include "store/ScheduleRecord.h"
#include "store/Store.h"
#include "ui/FieldBindings.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velatask {

CommandGroup::CommandGroup(QWidget* parent) : QWidget(parent) {
    const int charWidth = fontMetrics().averageCharWidth();
    m_command = new QLineEdit(this);
    m_command->setToolTip(QStringLiteral("Program to start"));
    m_command->setMinimumWidth(charWidth * 50);
    m_browse = new QPushButton(QStringLiteral("&Browse"), this);
    m_browse->setToolTip(QStringLiteral("Select a program to start"));
    m_browse->setAutoDefault(false);
    m_path = new QLineEdit(this);
    m_path->setToolTip(QStringLiteral("Directory (Folder) to start the command in"));
    m_scripting = new QPushButton(QStringLiteral("&Scripting"), this);
    m_scripting->setToolTip(QStringLiteral("Send keystrokes, DDE commands, etc."));
    m_scripting->setAutoDefault(false);

    auto* commandLabel = new QLabel(QStringLiteral("Comma&nd:"), this);
    commandLabel->setBuddy(m_command);
    auto* pathLabel = new QLabel(QStringLiteral("Start &in:"), this);
    pathLabel->setBuddy(m_path);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Enter any valid program name, along with the "
                                              "parameters it needs here..."),
                               this),
                    0, 0, 1, 3);
    grid->addWidget(commandLabel, 1, 0);
    // Without "&Browse" the command reaches as far as the directory below it.
    grid->addWidget(m_command, 1, 1, 1, 2);
    grid->addWidget(m_browse, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("If the program must be started from a specific "
                                              "directory or folder, enter it here..."),
                               this),
                    2, 0, 1, 3);
    grid->addWidget(pathLabel, 3, 0);
    grid->addWidget(m_path, 3, 1, 1, 2);
    auto* scriptingRow = new QHBoxLayout;
    scriptingRow->addWidget(m_scripting);
    auto* scriptingHint =
        new QLabel(QStringLiteral("<- Press this to send keystrokes or DDE commands"), this);
    scriptingRow->addWidget(scriptingHint);
    scriptingRow->addStretch();
    grid->addLayout(scriptingRow, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(6);
    m_actions = {m_browse, m_scripting, scriptingHint};
    for (QWidget* w : m_actions) {
        w->hide();
    }
}

CommandGroup::CommandGroup(TaskControls& controls, QWidget* parent) : CommandGroup(parent) {
    m_controls = &controls;
    for (QWidget* w : m_actions) {
        w->show();
    }
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->removeWidget(m_command);
    grid->addWidget(m_command, 1, 1);
    ScheduleRecord& task = controls.task();
    controls.fields().text(m_command, task.Command, ScheduleRecord::kCommandWidth);
    controls.fields().text(m_path, task.Path, ScheduleRecord::kPathWidth);
    connect(m_browse, &QPushButton::clicked, this, &CommandGroup::browse);
    connect(m_scripting, &QPushButton::clicked, this, &CommandGroup::openScripting);
}

void CommandGroup::browse() {
    if (!m_controls) {
        return;
    }
    m_controls->storeControls();
    AppContext& app = m_controls->app();
    const QString chosen = m_controls->services().files.openFile(
        m_controls->window(), QStringLiteral("Choose a Program to Start"),
        ChosenFile::programStart(m_controls->task()), ChosenFile::programFilters());
    if (!chosen.isEmpty()) {
        m_controls->change([&](ScheduleRecord& task) {
            ChosenFile::applyProgram(task, chosen, app.programs->isProgram(chosen));
        });
    }
    emit browsed(!chosen.isEmpty());
}

void CommandGroup::openScripting() {
    if (!m_controls) {
        return;
    }
    m_controls->storeControls();
    // The steps window works on the task in the Schedule buffer; a wizard edits its own copy.
    ScheduleRecord& buffer = m_controls->app().store->SCH.buffer();
    if (&buffer != &m_controls->task()) {
        buffer = m_controls->task();
    }
    AddScripting::call(m_controls->app(), m_controls->window());
}

} // namespace velatask
