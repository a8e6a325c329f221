#include "TaskFormFixture.h"

#include "core/Picture.h"
#include "editing/AdvanceWarningEntry.h"
#include "editing/AlarmGroup.h"
#include "editing/CategoryAndDescription.h"
#include "editing/CommandGroup.h"
#include "editing/NextDateEntry.h"
#include "editing/ScheduleTypeGroup.h"
#include "editing/TaskOptions.h"
#include "editing/TaskTypeGroup.h"
#include "editing/TaskVisibility.h"
#include "editing/UpdateSchedule.h"
#include "ui/Accessibility.h"
#include "ui/OptionGroup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace velatask;

namespace {

class TaskFormTest : public TaskFormFixture {
protected:
    // A "Both" task on Mondays at 9:00, due Monday 11 January 1999.
    static ScheduleRecord mondayTask(std::int32_t id) {
        ScheduleRecord task;
        task.ID = id;
        task.TaskType = QStringLiteral("Both");
        task.Description = QStringLiteral("Weekly report");
        task.Command = QStringLiteral("report --weekly");
        task.ScheduleType = QStringLiteral("Day of Week");
        task.Monday = 1;
        task.Date = Date::fromYmd(1999, 1, 11);
        task.Time = Time::fromHms(9, 0);
        task.Message = QStringLiteral("Send the report");
        return task;
    }
    // Types a date into an entry and leaves it, as the user does.
    static void enter(QLineEdit* edit, const QString& text) {
        edit->setText(text);
        edit->setModified(true);
        emit edit->editingFinished();
    }
    static bool shown(QWidget* w) { return !w->isHidden(); }
};

} // namespace

TEST_F(TaskFormTest, ANewTaskStartsWithTheDefaultsAndTheDayChosenInTheList) {
    const std::int32_t chosenDay = Date::fromYmd(1999, 1, 20);
    for (const std::int32_t listDay : {chosenDay, 0}) {
        SCOPED_TRACE(listDay);
        app.NewTaskDate = listDay ? QString::number(listDay) : QString();
        store.SCH.clearBuffer();
        UpdateSchedule form(services, Request::Insert);
        const Response response = runForm(form, [&](FormWindow&) {
            EXPECT_EQ(form.windowTitle(), QStringLiteral("Adding a Schedule Task"));
            EXPECT_TRUE(Accessibility::unnamedControls(&form).isEmpty())
                << Accessibility::unnamedControls(&form).join(", ").toStdString();
            // The three "Time:" entries among them are told apart.
            QStringList entryNames;
            for (const QLineEdit* entry : form.findChildren<QLineEdit*>()) {
                entryNames << entry->accessibleName();
            }
            EXPECT_EQ(entryNames.removeDuplicates(), 0) << entryNames.join(", ").toStdString();
            EXPECT_EQ(form.taskType()->value(), QStringLiteral("Both"));
            EXPECT_EQ(form.schedule()->scheduleType()->value(), QStringLiteral("Day of Week"));
            for (QCheckBox* day : form.schedule()->weekdays()) {
                EXPECT_TRUE(day->isChecked() && shown(day)) << day->text().toStdString();
            }
            EXPECT_TRUE(form.schedule()->ordinals()[4]->isChecked());
            EXPECT_FALSE(shown(form.schedule()->ordinals()[4])) << "only for Day of Month";
            EXPECT_EQ(form.nextDate()->dateEdit()->text(),
                      Picture::formatDate(listDay ? listDay : clock.today()));
            EXPECT_EQ(form.nextDate()->timeEdit()->text(), QStringLiteral("12:00PM"));
            EXPECT_TRUE(form.options()->warn()->isChecked());
            EXPECT_EQ(form.schedule()->everyCount()->value(), 1);
            EXPECT_EQ(form.schedule()->everyType()->value(), QStringLiteral("hour(s)"));
            EXPECT_FALSE(form.alarm()->wavFile()->isEnabled());
            // The number is reserved while the form is open.
            const std::vector<ScheduleRecord> reserved = storedTasks();
            ASSERT_EQ(reserved.size(), listDay ? 1u : 2u);
            EXPECT_EQ(reserved.back().ID, listDay ? 1 : 2);
            EXPECT_TRUE(reserved.back().TaskType.isEmpty());
            form.category()->description()->setText(QStringLiteral("Stretch"));
            form.okButton()->click();
        });
        EXPECT_EQ(response, Response::Completed);
        const ScheduleRecord saved = storedTasks().back();
        EXPECT_EQ(saved.Description, QStringLiteral("Stretch"));
        EXPECT_EQ(saved.TaskType, QStringLiteral("Both"));
        EXPECT_EQ(saved.Date, listDay ? listDay : clock.today());
        EXPECT_EQ(saved.Time, Time::fromHms(12, 0));
        EXPECT_EQ(saved.Every, 1);
        EXPECT_EQ(saved.EveryType, QStringLiteral("hour(s)"));
    }
    EXPECT_TRUE(ui.boxes().empty());
}

// Another station changes the task while the form shows it: an OK without changes writes nothing,
// so the other station's change stays and nobody is told of a conflict.
TEST_F(TaskFormTest, OkOnAnUnchangedTaskWritesNothing) {
    loadTask(addTask(mondayTask(1)));
    UpdateSchedule form(services, Request::Change);
    const Response response = runForm(form, [&](FormWindow&) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Changing a Schedule Task"));
        Store& other = otherStation();
        ASSERT_EQ(other.SCH.open(), 0);
        other.SCH.buffer().ID = 1;
        ASSERT_EQ(other.SCH.fetch(ScheduleKey::KeyID), 0);
        other.SCH.buffer().Description = QStringLiteral("Changed elsewhere");
        ASSERT_EQ(other.SCH.put(), 0);
        other.SCH.close();
        form.okButton()->click();
    });
    EXPECT_EQ(response, Response::Cancelled);
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(storedTasks().at(0).Description, QStringLiteral("Changed elsewhere"));
}

TEST_F(TaskFormTest, TaskTypeNoneHidesTheTimeAndTakesTheLastSecondsOfTheDay) {
    loadTask(addTask(mondayTask(1)));
    UpdateSchedule form(services, Request::Change);
    const Response response = runForm(form, [&](FormWindow&) {
        QTabWidget* tabs = form.tabs();
        QLineEdit* time = form.nextDate()->timeEdit();
        EXPECT_TRUE(shown(time));
        form.taskType()->button(QStringLiteral("None"))->click();
        EXPECT_FALSE(shown(time));
        EXPECT_FALSE(tabs->isTabVisible(UpdateSchedule::CommandTab));
        EXPECT_TRUE(tabs->isTabVisible(UpdateSchedule::MessageTab));
        EXPECT_EQ(store.SCH.buffer().Time, TaskVisibility::kNoneTime);

        form.taskType()->button(QStringLiteral("Run Program"))->click();
        EXPECT_TRUE(shown(time));
        EXPECT_EQ(time->text(), QStringLiteral("11:59PM"));
        EXPECT_TRUE(tabs->isTabVisible(UpdateSchedule::CommandTab));
        EXPECT_FALSE(tabs->isTabVisible(UpdateSchedule::MessageTab));

        form.taskType()->button(QStringLiteral("Display Message"))->click();
        EXPECT_FALSE(tabs->isTabVisible(UpdateSchedule::CommandTab));
        EXPECT_TRUE(tabs->isTabVisible(UpdateSchedule::MessageTab));

        // The schedule type shows what it uses.
        ScheduleTypeGroup* schedule = form.schedule();
        const std::pair<const char*, std::array<bool, 3>> types[] = {
            {"Once", {false, false, false}},       {"Day of Month", {true, true, false}},
            {"Custom", {false, false, true}},      {"Yearly", {false, false, false}},
            {"Day of Week", {false, true, false}},
        };
        for (const auto& [type, expected] : types) {
            schedule->scheduleType()->button(QLatin1String(type))->click();
            EXPECT_EQ(shown(schedule->ordinals()[0]), expected[0]) << type;
            EXPECT_EQ(shown(schedule->weekdays()[0]), expected[1]) << type;
            EXPECT_EQ(shown(schedule->everyCount()), expected[2]) << type;
            EXPECT_TRUE(shown(schedule->everyGroup())) << type;
        }
        form.taskType()->button(QStringLiteral("Run Program"))->click();
        form.okButton()->click();
    });
    EXPECT_EQ(response, Response::Completed);
    const ScheduleRecord saved = storedTasks().at(0);
    EXPECT_EQ(saved.TaskType, QStringLiteral("Run Program"));
    EXPECT_EQ(saved.Time, TaskVisibility::kNoneTime);
    EXPECT_EQ(saved.Message, QStringLiteral("Send the report")) << "kept, only hidden";
}

TEST_F(TaskFormTest, ADateOffTheScheduleIsWarnedAboutAndStillSaved) {
    loadTask(addTask(mondayTask(1)));
    const std::int32_t sunday = Date::fromYmd(1999, 1, 10);
    const std::int32_t nextMonday = Date::fromYmd(1999, 1, 18);
    UpdateSchedule form(services, Request::Change);
    runForm(form, [&](FormWindow&) {
        enter(form.nextDate()->dateEdit(), QStringLiteral("Jan 10, 1999"));
        ASSERT_EQ(ui.boxes().size(), 1u);
        EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Warning"));
        EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Date given does not match schedule type."));
        EXPECT_EQ(form.nextDate()->dateEdit()->text(), QStringLiteral("Jan 10, 1999"));

        // The calendar offers the task's own days and puts the pick into the field.
        calendar.answers.push_back(nextMonday);
        form.nextDate()->calendarButton()->click();
        ASSERT_EQ(calendar.calls.size(), 1u);
        EXPECT_EQ(calendar.calls[0].date, sunday);
        EXPECT_EQ(calendar.calls[0].mode, QString());
        EXPECT_EQ(calendar.calls[0].title, QStringLiteral("Select Date"));
        EXPECT_EQ(form.nextDate()->dateEdit()->text(), Picture::formatDate(nextMonday));
        EXPECT_EQ(ui.boxes().size(), 1u) << "a Monday matches";
        enter(form.nextDate()->dateEdit(), QStringLiteral("Jan 10, 1999"));
        form.okButton()->click();
    });
    EXPECT_EQ(storedTasks().at(0).Date, sunday);
}

TEST_F(TaskFormTest, AnAdvanceWarningAfterTheTaskIsClearedWithItsTime) {
    loadTask(addTask(mondayTask(1)));
    UpdateSchedule form(services, Request::Change);
    runForm(form, [&](FormWindow&) {
        AdvanceWarningEntry* advance = form.advanceWarning();
        advance->timeEdit()->setText(QStringLiteral("8:00AM"));
        enter(advance->dateEdit(), QStringLiteral("Jan 11, 1999"));
        EXPECT_TRUE(ui.boxes().empty()) << "an hour before the task";
        advance->timeEdit()->setText(QStringLiteral("8:00AM"));
        enter(advance->dateEdit(), QStringLiteral("Jan 12, 1999"));
        ASSERT_EQ(ui.boxes().size(), 1u);
        EXPECT_EQ(ui.boxes()[0].text,
                  QStringLiteral("Advanced Warning cannot be after scheduled task."));
        EXPECT_TRUE(ui.boxes()[0].title.isEmpty());
        EXPECT_TRUE(advance->dateEdit()->text().isEmpty());
        EXPECT_TRUE(advance->timeEdit()->text().isEmpty());

        // Any day may be picked for a warning.
        calendar.answers.push_back(Date::fromYmd(1999, 1, 9));
        advance->calendarButton()->click();
        EXPECT_EQ(calendar.calls.at(0).mode, QStringLiteral("None"));
        form.okButton()->click();
    });
    const ScheduleRecord saved = storedTasks().at(0);
    EXPECT_EQ(saved.AdvanceWarnDate, Date::fromYmd(1999, 1, 9));
    EXPECT_EQ(saved.AdvanceWarnTime, 0);
}

TEST_F(TaskFormTest, CancellingANewTaskLeavesNeitherTheTaskNorItsSteps) {
    addTask(mondayTask(1));
    addStep(1, 1, QStringLiteral("kept"));
    store.SCH.clearBuffer();
    UpdateSchedule form(services, Request::Insert);
    const Response response = runForm(form, [&](FormWindow&) {
        ASSERT_EQ(store.SCH.buffer().ID, 2);
        // Steps given to the new task meanwhile, as the script window adds them.
        addStep(2, 1, QStringLiteral("typed"));
        addStep(2, 2, QStringLiteral("more"));
        form.cancelButton()->click();
    });
    EXPECT_EQ(response, Response::Cancelled);
    ASSERT_EQ(storedTasks().size(), 1u);
    const std::vector<ScriptingRecord> steps = storedSteps();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].Keystrokes, QStringLiteral("kept"));
}

TEST_F(TaskFormTest, DeleteConfirmsAndTakesTheStepsAlong) {
    const QString position = addTask(mondayTask(1));
    addStep(1, 1, QStringLiteral("a"));
    addStep(1, 2, QStringLiteral("b"));
    for (const int answer : {int(Ui::Cancel), int(Ui::Ok)}) {
        loadTask(position);
        ui.answerNext(answer);
        UpdateSchedule form(services, Request::Delete);
        EXPECT_EQ(form.run(), answer == Ui::Ok ? Response::Completed : Response::Cancelled);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(ui.boxes().back().title, QStringLiteral("Confirm Delete"));
        EXPECT_EQ(storedTasks().size(), answer == Ui::Ok ? 0u : 1u);
        EXPECT_EQ(storedSteps().size(), answer == Ui::Ok ? 0u : 2u);
    }
}

TEST_F(TaskFormTest, ChoosingProgramsAndSounds) {
    loadTask(addTask(mondayTask(1)));
    programs.markProgram(QStringLiteral("/usr/local/bin/backup"));
    UpdateSchedule form(services, Request::Change);
    runForm(form, [&](FormWindow&) {
        CommandGroup* command = form.command();
        command->path()->clear();
        files.answers = {QString(), QStringLiteral("/usr/local/bin/backup"),
                         QStringLiteral("/home/ann/My Notes/plan.odt")};
        command->browseButton()->click();
        EXPECT_EQ(command->command()->text(), QStringLiteral("report --weekly")) << "cancelled";
        command->browseButton()->click();
        EXPECT_EQ(command->command()->text(), QStringLiteral("/usr/local/bin/backup"));
        EXPECT_EQ(command->path()->text(), QStringLiteral("/usr/local/bin"));
        command->browseButton()->click();
        EXPECT_EQ(command->command()->text(),
                  QStringLiteral("START \"/home/ann/My Notes/plan.odt\""));
        EXPECT_EQ(command->path()->text(), QStringLiteral("/usr/local/bin")) << "kept once set";
        ASSERT_EQ(files.calls.size(), 3u);
        EXPECT_EQ(files.calls[0].title, QStringLiteral("Choose a Program to Start"));
        EXPECT_EQ(files.calls[2].start, QStringLiteral("/usr/local/bin/backup"));

        // The alarm's file is available only with the alarm on; "&Play" without a file browses.
        AlarmGroup* alarm = form.alarm();
        EXPECT_FALSE(alarm->playButton()->isEnabled());
        alarm->alarm()->click();
        EXPECT_TRUE(alarm->playButton()->isEnabled());
        files.answers = {QStringLiteral("/usr/share/sounds/") + QString(90, u'x') +
                         QStringLiteral(".wav")};
        alarm->playButton()->click();
        EXPECT_EQ(files.calls.back().title, QStringLiteral("Select WAV File for Alarm"));
        EXPECT_EQ(files.calls.back().filters,
                  QStringList{QStringLiteral("WAV Files (*.wav *.WAV)")});
        EXPECT_EQ(alarm->wavFile()->text().size(), ScheduleRecord::kAlarmFileWidth);
        EXPECT_TRUE(sound.played().isEmpty());
        alarm->wavFile()->setText(QStringLiteral("/tmp/bell.wav"));
        sound.setUnplayable(QStringLiteral("/tmp/bell.wav"));
        alarm->playButton()->click();
        EXPECT_EQ(sound.played(), QStringList{QStringLiteral("/tmp/bell.wav")});
        form.okButton()->click();
    });
    const ScheduleRecord saved = storedTasks().at(0);
    EXPECT_EQ(saved.Command, QStringLiteral("START \"/home/ann/My Notes/plan.odt\""));
    EXPECT_EQ(saved.Path, QStringLiteral("/usr/local/bin"));
    EXPECT_EQ(saved.Alarm, 1);
    EXPECT_EQ(saved.AlarmFile, QStringLiteral("/tmp/bell.wav"));
}

TEST_F(TaskFormTest, TheCategoryListOffersEveryCategory) {
    ASSERT_EQ(store.CAT.open(), 0);
    for (const char* name : {"Work", "Home", "General"}) {
        store.CAT.buffer().Category = QLatin1String(name);
        ASSERT_EQ(store.CAT.add(), 0);
    }
    ScheduleRecord task = mondayTask(1);
    task.Category = QStringLiteral("HOME");
    loadTask(addTask(task));
    UpdateSchedule form(services, Request::Change);
    runForm(form, [&](FormWindow&) {
        QComboBox* list = form.category()->categoryList();
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->itemText(0), QStringLiteral("General"));
        EXPECT_EQ(list->currentText(), QStringLiteral("Home"));
        list->setCurrentIndex(2);
        form.okButton()->click();
    });
    store.CAT.close();
    EXPECT_EQ(storedTasks().at(0).Category, QStringLiteral("Work"));
}

// More names than one page of reading, added out of order; the shared Categories record, which a
// category list may be reading through, stays where it was.
TEST_F(TaskFormTest, TheCategoryListReadsEveryPageWithoutMovingTheSharedRecord) {
    ASSERT_EQ(store.CAT.open(), 0);
    constexpr int kNames = 450;
    QStringList expected;
    for (int i = 0; i < kNames; ++i) {
        expected << QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0'));
    }
    for (int i = 0; i < kNames; ++i) {
        store.CAT.buffer().Category = expected[(i * 7) % kNames]; // 7 and 450 share no factor
        ASSERT_EQ(store.CAT.add(), 0);
    }
    ASSERT_EQ(store.CAT.setStart(CategoryKey::KeyCategory), 0);
    for (int i = 0; i <= 100; ++i) {
        ASSERT_EQ(store.CAT.next(), 0);
    }
    ASSERT_EQ(store.CAT.buffer().Category, QStringLiteral("C100"));

    store.SCH.clearBuffer();
    UpdateSchedule form(services, Request::Insert);
    runForm(form, [&](FormWindow&) {
        QComboBox* list = form.category()->categoryList();
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) {
            shown << list->itemText(i);
        }
        EXPECT_EQ(shown, expected);
        form.cancelButton()->click();
    });
    EXPECT_EQ(store.CAT.buffer().Category, QStringLiteral("C100"));
    ASSERT_EQ(store.CAT.next(), 0);
    EXPECT_EQ(store.CAT.buffer().Category, QStringLiteral("C101"));
    store.CAT.close();
}

TEST_F(TaskFormTest, TheKeyboardWalksTheTabThenTheButtonsThenTheTabBar) {
    store.SCH.clearBuffer();
    UpdateSchedule form(services, Request::Insert);
    runForm(form, [&](FormWindow&) {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QStringList order;
        for (int i = 0; i < 9; ++i) {
            QWidget* focus = QApplication::focusWidget();
            if (!focus) {
                break;
            }
            const auto* button = qobject_cast<QAbstractButton*>(focus);
            order << (button ? button->text().remove(u'&')
                      : focus->accessibleName().isEmpty()
                          ? QString::fromLatin1(focus->metaObject()->className())
                          : focus->accessibleName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        // The checked task type takes the focus for its group.
        EXPECT_EQ(order.join(u'|'),
                  QStringLiteral("Both|Category|Description|OK|Cancel|QTabBar|Both|Category|"
                                 "Description"));
    });
}
