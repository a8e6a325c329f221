#include "../scheduler/EngineFixture.h"

#include "platform/fake/FakeAutostart.h"
#include "scheduler/QueueScript.h"
#include "windows/SetupDialog.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace velatask;

namespace {

class SetupTest : public EngineFixture {
protected:
    QString iniText() {
        QFile f(ini.path());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    std::int32_t add(int disabled, int completed) {
        ScheduleRecord r;
        r.TaskType = QStringLiteral("None");
        r.ScheduleType = QStringLiteral("Once");
        r.Date = 100;
        r.Disabled = std::uint8_t(disabled);
        r.Completed = std::uint8_t(completed);
        return addTask(r);
    }
};

} // namespace

TEST_F(SetupTest, OkWritesTheNineKeysInOrderWithTheInvertedOnes) {
    SetupDialog setup(ctx);
    EXPECT_EQ(setup.windowTitle(), QStringLiteral("Velatask Setup"));
    EXPECT_TRUE(setup.active()->isChecked());
    setup.active()->setChecked(false);
    EXPECT_FALSE(settings.schedulerActive) << "bound to the live settings";
    setup.noTray()->setChecked(true);
    setup.historyExpires()->selectAll();
    QTest::keyClicks(setup.historyExpires(), QStringLiteral("30"));
    EXPECT_EQ(settings.historyExpires, 30);
    setup.button(QStringLiteral("&OK"))->click();
    const QString text = iniText();
    EXPECT_TRUE(text.startsWith(QStringLiteral(
        "[Settings]\nHistoryExpires=30\nRemoveUncompleted=0\nStartUpSchedule=0\nStartUpToDo=0\n"
        "StartUpActive=1\nStartUpMinimized=0\nFullSchedule=0\nHideToolbar=0\nNoTray=1\n")))
        << text.toStdString();
}

TEST_F(SetupTest, CancelReadsTheSavedValuesBackAndTheCloseBoxKeepsChanges) {
    ini.write(QStringLiteral("Settings"), QStringLiteral("StartUpSchedule"), QStringLiteral("1"));
    settings = Settings::load(ini);
    {
        SetupDialog setup(ctx);
        EXPECT_FALSE(setup.showSchedule()->isChecked());
        setup.fullSchedule()->setChecked(true);
        setup.reject(); // the close box
    }
    EXPECT_TRUE(settings.fullSchedule) << "kept for this run";
    EXPECT_FALSE(ini.contains(QStringLiteral("Settings"), QStringLiteral("FullSchedule")));
    {
        SetupDialog setup(ctx);
        EXPECT_TRUE(setup.fullSchedule()->isChecked());
        setup.minimize()->setChecked(true);
        setup.button(QStringLiteral("Cancel"))->click();
    }
    EXPECT_FALSE(settings.fullSchedule);
    EXPECT_FALSE(settings.startUpMinimized);
    EXPECT_FALSE(settings.showScheduleAtStartUp);
}

TEST_F(SetupTest, HousekeepingAsksFirstAndReports) {
    const std::int32_t history = add(1, 1);
    const std::int32_t completed = add(0, 1);
    SetupDialog setup(ctx);

    ui.answerNext(Ui::No);
    setup.button(QStringLiteral("Clear all disabled tasks"))->click();
    EXPECT_TRUE(task(history));
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Remove disabled tasks?"));
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Housekeeping"));
    EXPECT_EQ(ui.boxes()[0].defaultButton, Ui::No);

    ui.answerNext(Ui::Yes);
    setup.button(QStringLiteral("Clear all disabled tasks"))->click();
    EXPECT_FALSE(task(history));
    EXPECT_EQ(ui.boxes().back().text, QStringLiteral("Disabled tasks removed."));

    ui.answerNext(Ui::Yes);
    setup.button(QStringLiteral("Clear all completed tasks"))->click();
    EXPECT_FALSE(task(completed));
    EXPECT_EQ(ui.boxes().back().text, QStringLiteral("Completed tasks removed."));

    ui.answerNext(Ui::Yes);
    setup.button(QStringLiteral("Clear To Do list"))->click();
    EXPECT_EQ(ui.boxes().back().text, QStringLiteral("To Do list removed."));

    addStep(4, 1, "Wait", "", 30);
    QueueScript(ctx, 4, 0);
    ui.answerNext(Ui::No);
    setup.button(QStringLiteral("Clear current script queue"))->click();
    EXPECT_EQ(queue.size(), 1);
    ui.answerNext(Ui::Yes);
    setup.button(QStringLiteral("Clear current script queue"))->click();
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_EQ(ui.boxes().back().text, QStringLiteral("All active scripts have been removed"));

    ini.write(QStringLiteral("Calendar"), QStringLiteral("XPosit"), QStringLiteral("40"));
    const std::size_t before = ui.boxes().size();
    ui.answerNext(Ui::Yes);
    setup.button(QStringLiteral("Reset saved window settings"))->click();
    EXPECT_EQ(ui.boxes().size(), before + 1) << "no report after the reset";
    EXPECT_EQ(ini.read(QStringLiteral("Calendar"), QStringLiteral("XPosit")), QString());
}

TEST_F(SetupTest, NoToAnyQuestionChangesNothing) {
    const std::int32_t history = add(1, 1);
    ASSERT_EQ(store->TDO.open(), 0);
    store->TDO.clearBuffer();
    store->TDO.buffer().ToDo = QStringLiteral("keep me");
    ASSERT_EQ(store->TDO.add(), 0);
    addStep(4, 1, "Wait", "", 30);
    QueueScript(ctx, 4, 0);
    ini.write(QStringLiteral("Calendar"), QStringLiteral("XPosit"), QStringLiteral("40"));

    SetupDialog setup(ctx);
    const char* commands[] = {"Clear all disabled tasks", "Clear all completed tasks",
                              "Clear To Do list", "Reset saved window settings",
                              "Clear current script queue"};
    const char* questions[] = {"Remove disabled tasks?", "Remove completed tasks?",
                               "Clear To Do list?", "Reset saved window settings?",
                               "Remove active scripts?"};
    for (int i = 0; i < 5; ++i) {
        ui.answerNext(Ui::No);
        setup.button(QLatin1String(commands[i]))->click();
        ASSERT_EQ(ui.boxes().size(), std::size_t(i + 1)) << commands[i];
        EXPECT_EQ(ui.boxes().back().text, QLatin1String(questions[i]));
    }
    EXPECT_TRUE(task(history));
    store->TDO.setStart(ToDoKey::KeyToDo);
    EXPECT_EQ(store->TDO.next(), 0);
    EXPECT_EQ(queue.size(), 1);
    EXPECT_EQ(ini.readNumber(QStringLiteral("Calendar"), QStringLiteral("XPosit")), 40);
}

// Start at login lives with the desktop: "&OK" writes it when it changed, "Cancel" never does,
// and a failed write keeps the window open after saying so.
TEST_F(SetupTest, StartAtLoginIsWrittenOnOkOnly) {
    {
        SetupDialog setup(ctx);
        EXPECT_EQ(setup.startAtLogin(), nullptr) << "not offered without a desktop to keep it";
    }
    FakeAutostart autostart;
    ctx.autostart = &autostart;
    struct Case {
        bool enabledBefore;
        bool tick;
        const char* button;
        bool fail;
        bool enabledAfter;
        int writes;
        bool stillOpen;
    };
    const Case cases[] = {
        {false, true, "&OK", false, true, 1, false},
        {true, false, "&OK", false, false, 1, false},
        {true, true, "&OK", false, true, 0, false},
        {false, true, "Cancel", false, false, 0, false},
        {false, true, "&OK", true, false, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabledBefore << c.tick << c.button << c.fail);
        autostart.enabled = c.enabledBefore;
        autostart.fail = c.fail;
        autostart.writes = 0;
        SetupDialog setup(ctx);
        setup.show();
        ASSERT_NE(setup.startAtLogin(), nullptr);
        EXPECT_EQ(setup.startAtLogin()->isChecked(), c.enabledBefore);
        setup.startAtLogin()->setChecked(c.tick);
        const std::size_t boxes = ui.boxes().size();
        setup.button(QLatin1String(c.button))->click();
        EXPECT_EQ(ui.boxes().size() - boxes, c.fail ? 1u : 0u) << "the failure is told";
        EXPECT_EQ(autostart.enabled, c.enabledAfter);
        EXPECT_EQ(autostart.writes, c.writes);
        EXPECT_EQ(setup.isVisible(), c.stillOpen);
        EXPECT_FALSE(ini.contains(QStringLiteral("Settings"), QStringLiteral("StartAtLogin")));
    }
}
