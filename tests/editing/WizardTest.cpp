#include "TaskFormFixture.h"

#include "editing/AddMessageWizard.h"
#include "editing/AddProgramWizard.h"
#include "editing/AddTaskWizard.h"
#include "editing/CategoryAndDescription.h"
#include "editing/CommandGroup.h"
#include "editing/MessageEditor.h"
#include "editing/NextDateEntry.h"
#include "editing/SpecialEventWizard.h"
#include "editing/TaskTypeGroup.h"
#include "store/Procedures.h"
#include "ui/Accessibility.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace velatask;

namespace {

class WizardTest : public TaskFormFixture {
protected:
    // Where the wizard stands: its page and the buttons offered ("<", ">", "F"; the default
    // one in brackets).
    static QString state(const TaskWizard& wizard) {
        QString buttons;
        for (const auto& [button, mark] :
             {std::pair{wizard.backButton(), "<"}, std::pair{wizard.nextButton(), ">"},
              std::pair{wizard.finishButton(), "F"}}) {
            if (!button->isHidden()) {
                buttons += button->isDefault() ? QStringLiteral("[%1]").arg(QLatin1String(mark))
                                               : QLatin1String(mark);
            }
        }
        return wizard.pageText().remove(u'&') + u' ' + buttons;
    }
    // Next until the last page, then Back until the first: the states passed through.
    static QStringList walk(TaskWizard& wizard) {
        QStringList seen{state(wizard)};
        while (!wizard.nextButton()->isHidden()) {
            wizard.nextButton()->click();
            seen << state(wizard);
        }
        while (!wizard.backButton()->isHidden()) {
            wizard.backButton()->click();
            seen << state(wizard);
        }
        return seen;
    }
    // A weekly task on Mondays at 9:00 with one script step.
    ScheduleRecord weeklyTask(std::uint8_t disabled) {
        ScheduleRecord task;
        task.ID = 7;
        task.TaskType = QStringLiteral("Run Program");
        task.Command = QStringLiteral("backup --all");
        task.ScheduleType = QStringLiteral("Day of Week");
        task.Monday = 1;
        task.Date = Date::fromYmd(1999, 1, 11);
        task.Time = Time::fromHms(9, 0);
        task.Disabled = disabled;
        task.AdvanceWarned = 1;
        return task;
    }
    const ScheduleRecord* stored(std::int32_t id) {
        m_stored = storedTasks();
        for (const ScheduleRecord& task : m_stored) {
            if (task.ID == id) {
                return &task;
            }
        }
        return nullptr;
    }

private:
    std::vector<ScheduleRecord> m_stored;
};

} // namespace

TEST_F(WizardTest, AddWizardsStartTheirTaskInTheGeneralCategoryWhateverTheBufferHeld) {
    struct Case {
        const char* title;
        std::function<std::unique_ptr<TaskWizard>()> open;
        const char* taskType;
        bool generalExists;
    };
    const std::vector<Case> cases = {
        {"Add Message Wizard", [&] { return std::make_unique<AddMessageWizard>(services); },
         "Display Message", false},
        {"Add Program Wizard", [&] { return std::make_unique<AddProgramWizard>(services); },
         "Run Program", false},
        {"Add Task Wizard", [&] { return std::make_unique<AddTaskWizard>(services); }, "Both",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ASSERT_EQ(store.CAT.open(), 0);
        if (!c.generalExists) {
            while (store.CAT.setStart(CategoryKey::KeyCategory) == 0 && store.CAT.next() == 0) {
                ASSERT_EQ(store.CAT.erase(), 0);
            }
        }
        store.CAT.close();
        // What another window left in the buffer takes no part in the new task.
        store.SCH.buffer() = weeklyTask(1);
        std::unique_ptr<TaskWizard> wizard = c.open();
        std::int32_t reservedId = 0;
        const Response response = runForm(*wizard, [&](FormWindow&) {
            EXPECT_EQ(wizard->windowTitle(), QLatin1String(c.title));
            EXPECT_TRUE(Accessibility::unnamedControls(wizard.get()).isEmpty())
                << Accessibility::unnamedControls(wizard.get()).join(", ").toStdString();
            QComboBox* list = wizard->category()->categoryList();
            EXPECT_EQ(list->count(), 1);
            EXPECT_EQ(list->currentText(), QStringLiteral("General"));
            // Reserved, but out of the scheduler's way until it is finished.
            const ScheduleRecord reserved = storedTasks().back();
            reservedId = reserved.ID;
            EXPECT_EQ(reserved.Disabled, 1);
            while (!wizard->finishButton()->isVisible()) {
                wizard->nextButton()->click();
            }
            wizard->finishButton()->click();
        });
        ASSERT_EQ(response, Response::Completed);
        const ScheduleRecord* saved = stored(reservedId);
        ASSERT_NE(saved, nullptr);
        EXPECT_EQ(saved->TaskType, QLatin1String(c.taskType));
        EXPECT_EQ(saved->Category, QStringLiteral("General"));
        EXPECT_EQ(saved->ScheduleType, QStringLiteral("Day of Week"));
        EXPECT_EQ(saved->Date, clock.today());
        EXPECT_EQ(saved->Time, Time::fromHms(12, 0));
        EXPECT_EQ(saved->Command, QString());
        EXPECT_EQ(saved->Disabled, 0);
        EXPECT_EQ(saved->Warn, 1);
        EXPECT_EQ(saved->EveryType, QStringLiteral("hour(s)"));
    }
}

TEST_F(WizardTest, AddTaskWizardOffersThePagesOfTheChosenTypeBothWays) {
    const std::vector<std::pair<const char*, QStringList>> cases = {
        {"Run Program",
         {"Task [>]", "Category <[>]", "Command <[>]", "When <[>]", "Advanced <[F]", "When <[>]",
          "Command <[>]", "Category <[>]", "Task [>]"}},
        {"Display Message",
         {"Task [>]", "Category <[>]", "Message <[>]", "When <[>]", "Advanced <[F]", "When <[>]",
          "Message <[>]", "Category <[>]", "Task [>]"}},
        {"None",
         {"Task [>]", "Category <[>]", "Message <[>]", "When <[>]", "Advanced <[F]", "When <[>]",
          "Message <[>]", "Category <[>]", "Task [>]"}},
        {"Both",
         {"Task [>]", "Category <[>]", "Command <[>]", "Message <[>]", "When <[>]", "Advanced <[F]",
          "When <[>]", "Message <[>]", "Command <[>]", "Category <[>]", "Task [>]"}},
    };
    for (const auto& [type, expected] : cases) {
        SCOPED_TRACE(type);
        AddTaskWizard wizard(services);
        runForm(wizard, [&](FormWindow&) {
            wizard.taskType()->button(QLatin1String(type))->click();
            EXPECT_EQ(walk(wizard), expected);
            EXPECT_EQ(wizard.nextDate()->timeEdit()->isHidden(), QLatin1String(type) == "None");
        });
    }
}

TEST_F(WizardTest, ProgramWizardBrowseCancelledStillMakesTheTypedCommandReadyToStart) {
    programs.markProgram(QStringLiteral("editor"));
    programs.markProgram(QStringLiteral("/opt/tools/editor"));
    struct Case {
        const char* typed;
        const char* path;
        const char* command;
        const char* pathAfter;
    };
    const Case cases[] = {
        {"editor notes.txt", "/home/me", "editor notes.txt", "/home/me"},
        {"letter.doc", "/home/me", "START letter.doc", "/home/me"},
        {"/opt/tools/editor", "", "/opt/tools/editor", "/opt/tools"},
        {"/srv/docs/plan.pdf", "", "START /srv/docs/plan.pdf", "/srv/docs"},
        {"start letter.doc", "", "start letter.doc", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        AddProgramWizard wizard(services);
        runForm(wizard, [&](FormWindow&) {
            EXPECT_EQ(state(wizard), QStringLiteral("Command [>]"));
            wizard.command()->command()->setText(QLatin1String(c.typed));
            wizard.command()->path()->setText(QLatin1String(c.path));
            files.calls.clear();
            wizard.command()->browseButton()->click(); // the dialog answers cancelled
            ASSERT_EQ(files.calls.size(), 1u);
            EXPECT_EQ(files.calls[0].title, QStringLiteral("Choose a Program to Start"));
            EXPECT_EQ(wizard.command()->command()->text(), QLatin1String(c.command));
            EXPECT_EQ(wizard.command()->path()->text(), QLatin1String(c.pathAfter));
        });
    }
}

TEST_F(WizardTest, RescheduledCopyIsAOnceTaskAndCanMakeItsSourceSkip) {
    struct Case {
        const char* name;
        std::uint8_t sourceDisabled;
        bool tickSkip;
        bool finish;
    };
    const Case cases[] = {
        {"skip ticked", 0, true, true},
        {"disabled source", 1, false, true},
        {"cancelled", 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        while (store.SCH.setStart(ScheduleKey::KeyID) == 0 && store.SCH.next() == 0) {
            ASSERT_EQ(DeleteScheduleRecord(store), 0);
        }
        const ScheduleRecord source = weeklyTask(c.sourceDisabled);
        loadTask(addTask(source));
        addStep(source.ID, 1, QStringLiteral("{Enter}"));
        SpecialEventWizard wizard(services, Request::Insert);
        const Response response = runForm(wizard, [&](FormWindow&) {
            EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Reschedule Event Wizard"));
            EXPECT_TRUE(Accessibility::unnamedControls(&wizard).isEmpty());
            EXPECT_TRUE(wizard.taskType()->button(QStringLiteral("None"))->isHidden());
            QStringList pages{state(wizard)};
            while (!wizard.nextButton()->isHidden()) {
                wizard.nextButton()->click();
                pages << state(wizard);
                if (wizard.pageText() == QLatin1String("&When")) {
                    wizard.skipNextTime()->setChecked(c.tickSkip);
                }
            }
            EXPECT_EQ(pages,
                      (QStringList{"Task [>]", "Command <[>]", "When <[>]", "Advanced <[F]"}));
            wizard.backButton()->click();
            wizard.backButton()->click();
            EXPECT_EQ(state(wizard), QStringLiteral("Command <[>]"));
            if (c.finish) {
                wizard.nextButton()->click();
                wizard.nextButton()->click();
                wizard.finishButton()->click();
            }
        });
        EXPECT_EQ(response, c.finish ? Response::Completed : Response::Cancelled);
        const std::vector<ScheduleRecord> tasks = storedTasks();
        ASSERT_EQ(tasks.size(), c.finish ? 2u : 1u);
        ScheduleRecord expectedSource = source;
        expectedSource.SkipNextTime = c.finish && c.tickSkip ? 1 : 0;
        EXPECT_TRUE(tasks[0] == expectedSource);
        if (c.finish) {
            const ScheduleRecord& copy = tasks[1];
            EXPECT_EQ(copy.ID, 8);
            EXPECT_EQ(copy.ScheduleType, QStringLiteral("Once"));
            EXPECT_EQ(copy.SkipNextTime, 0);
            EXPECT_EQ(copy.Disabled, 0);
            EXPECT_EQ(copy.AdvanceWarned, 0);
            EXPECT_EQ(copy.Command, source.Command);
            EXPECT_EQ(copy.Date, source.Date);
        }
        // The steps stay with the source task only.
        const std::vector<ScriptingRecord> steps = storedSteps();
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(steps[0].ID, source.ID);
    }
}

TEST_F(WizardTest, AnotherWindowUsingTheScheduleBufferLeavesTheWizardsTaskAlone) {
    const QString otherPosition = addTask(weeklyTask(0));
    AddMessageWizard wizard(services);
    std::int32_t reservedId = 0;
    const Response response = runForm(wizard, [&](FormWindow&) {
        reservedId = storedTasks().back().ID;
        wizard.message()->text()->setPlainText(QStringLiteral("Stretch your legs"));
        wizard.nextButton()->click();
        loadTask(otherPosition); // a list hands another task to a form meanwhile
        wizard.nextButton()->click();
        wizard.finishButton()->click();
    });
    ASSERT_EQ(response, Response::Completed);
    const ScheduleRecord* saved = stored(reservedId);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->Message, QStringLiteral("Stretch your legs"));
    EXPECT_EQ(saved->TaskType, QStringLiteral("Display Message"));
    EXPECT_TRUE(*stored(7) == weeklyTask(0));
}

TEST_F(WizardTest, CancelTakesBackTheReservedTaskWithTheStepsItWasGiven) {
    AddProgramWizard wizard(services);
    const Response response = runForm(wizard, [&](FormWindow&) {
        const std::int32_t reservedId = storedTasks().back().ID;
        addStep(reservedId, 1, QStringLiteral("{Enter}")); // as "&Scripting" adds them
        ASSERT_EQ(storedSteps().size(), 1u);
        wizard.nextButton()->click();
        wizard.cancelButton()->click();
    });
    EXPECT_EQ(response, Response::Cancelled);
    EXPECT_TRUE(storedTasks().empty());
    EXPECT_TRUE(storedSteps().empty());
}

TEST_F(WizardTest, SourceTaskGoneBeforeFinishStillLeavesTheSavedCopy) {
    const ScheduleRecord source = weeklyTask(0);
    loadTask(addTask(source));
    SpecialEventWizard wizard(services, Request::Insert);
    const Response response = runForm(wizard, [&](FormWindow&) {
        while (!wizard.nextButton()->isHidden()) {
            wizard.nextButton()->click();
            if (wizard.pageText() == QLatin1String("&When")) {
                wizard.skipNextTime()->setChecked(true);
            }
        }
        // Another station deletes the source task meanwhile.
        Store& other = otherStation();
        ASSERT_EQ(other.SCH.open(), 0);
        other.SCH.buffer().ID = source.ID;
        ASSERT_EQ(other.SCH.fetch(ScheduleKey::KeyID), 0);
        ASSERT_EQ(other.SCH.erase(), 0);
        other.SCH.close();
        wizard.finishButton()->click();
    });
    EXPECT_EQ(response, Response::Completed);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_TRUE(ui.boxes()[0].text.startsWith(QStringLiteral("Could not set SKIP status  ID #7")))
        << ui.boxes()[0].text.toStdString();
    EXPECT_TRUE(ui.boxes()[0].title.isEmpty());
    const std::vector<ScheduleRecord> tasks = storedTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].ScheduleType, QStringLiteral("Once"));
    EXPECT_EQ(tasks[0].SkipNextTime, 0);
}
