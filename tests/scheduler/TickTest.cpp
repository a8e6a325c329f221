#include "EngineFixture.h"

#include "scheduler/QueueScript.h"

using namespace velatask;

namespace {

class TickTest : public EngineFixture {};

} // namespace

// Monday 09:00, a "Both" task on Mondays and Thursdays with a warning two days ahead: it shows
// its message, starts its program, moves to Thursday, leaves a history copy, and its script then
// runs one step per tick.
TEST_F(TickTest, TypicalEvent) {
    setNow(1999, 1, 4, 8, 59, 59, 50);
    const std::int32_t monday = clock.today();
    ScheduleRecord r;
    r.TaskType = QStringLiteral("Both");
    r.ScheduleType = QStringLiteral("Day of Week");
    r.Monday = r.Thursday = 1;
    r.Description = QStringLiteral("Weekly report");
    r.Command = QStringLiteral("editor report.txt");
    r.Path = QStringLiteral("/home/me/reports");
    r.Message = QStringLiteral("Write the weekly report");
    r.Date = monday;
    r.Time = Time::fromHms(9, 0);
    r.AdvanceWarnDate = monday - 2;
    r.AdvanceWarnTime = Time::fromHms(9, 0);
    r.AdvanceWarned = 1; // given on Saturday
    const std::int32_t id = addTask(r);
    addStep(id, 1, "Set Focus", "Editor*");
    addStep(id, 2, "Send Keystrokes", "ab");
    addStep(id, 3, "Close Program");
    windows.setWindows(
        {{11, QStringLiteral("Terminal")}, {22, QStringLiteral("Editor - report.txt")}});

    ticker.tick(); // 08:59:59.50: nothing yet
    EXPECT_TRUE(messageWindows.opened.isEmpty());
    clock.advance(51); // 09:00:00.01
    ticker.tick();
    EXPECT_EQ(messageWindows.opened, QStringList{QStringLiteral("Write the weekly report")});
    ASSERT_EQ(programs.starts().size(), 1u);
    EXPECT_EQ(programs.starts()[0].commandLine, QStringLiteral("editor report.txt"));
    EXPECT_EQ(programs.starts()[0].workingDirectory, QStringLiteral("/home/me/reports"));

    const auto moved = task(id);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->Date, monday + 3);
    EXPECT_EQ(moved->Time, Time::fromHms(9, 0));
    EXPECT_EQ(moved->AdvanceWarnDate, monday + 1);
    EXPECT_EQ(moved->AdvanceWarned, 0);
    EXPECT_EQ(moved->LastRunDate, monday);
    EXPECT_EQ(moved->LastRunTime, Time::fromHms(9, 0, 0, 1));
    const auto copy = task(id + 1);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Completed, 1);
    EXPECT_EQ(copy->Disabled, 1);
    EXPECT_EQ(copy->Date, monday);
    EXPECT_EQ(copy->LastRunDate, 0);
    EXPECT_EQ(queue.size(), 3) << "queued, not yet due";

    clock.advance(Time::kSecond);
    ticker.tick();
    EXPECT_EQ(windows.focused(), std::vector<WindowHandle>{22});
    EXPECT_EQ(queue.size(), 2);
    EXPECT_TRUE(keys.events().empty());

    clock.advance(Time::kSecond);
    ticker.tick();
    EXPECT_EQ(queue.size(), 1);
    EXPECT_EQ(pause.count(), 1);
    EXPECT_FALSE(keys.events().empty());

    clock.advance(Time::kSecond);
    ticker.tick();
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_EQ(windows.closed(), std::vector<WindowHandle>{22});
    EXPECT_EQ(frame.caption(), QStringLiteral("Velatask"));
}

TEST_F(TickTest, InactiveSchedulerOnlyMarksTheCaption) {
    setNow(1999, 1, 4, 12, 0);
    settings.schedulerActive = false;
    settings.historyExpires = 1;
    ScheduleRecord r;
    r.TaskType = QStringLiteral("Display Message");
    r.ScheduleType = QStringLiteral("Once");
    r.Date = clock.today() - 1;
    r.AdvanceWarnDate = clock.today() - 2;
    addTask(r);
    ScheduleRecord old = r;
    old.Disabled = old.Completed = 1;
    old.Date = clock.today() - 10;
    addTask(old);
    addStep(99, 1, "Send Keystrokes", "x");
    QueueScript(ctx, 99, 0);
    clock.advance(Time::kSecond);

    ticker.tick();
    EXPECT_EQ(frame.caption(), QStringLiteral("Velatask (Inactive)"));
    EXPECT_TRUE(messageWindows.opened.isEmpty());
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(allTasks().size(), 2u);
    EXPECT_EQ(queue.size(), 1);

    settings.schedulerActive = true;
    ticker.tick();
    EXPECT_EQ(messageWindows.opened.size(), 1);
    EXPECT_TRUE(queue.isEmpty());
}

TEST_F(TickTest, TickInsideAPromptDoesNothing) {
    setNow(1999, 1, 4, 12, 0);
    ScheduleRecord r;
    r.TaskType = QStringLiteral("Display Message");
    r.ScheduleType = QStringLiteral("Once");
    r.Description = QStringLiteral("Ask");
    r.UserSkip = 1;
    r.Date = clock.today();
    r.Time = Time::fromHms(11, 0);
    addTask(r);
    ScheduleRecord second = r;
    second.Description = QStringLiteral("Second");
    second.Time = Time::fromHms(11, 30);
    addTask(second);

    // The box runs a nested event loop in which the timer fires again.
    class ReenteringUi : public ScriptedUi {
    public:
        SchedulerTick* ticker = nullptr;
        int messageBox(const MessageBoxSpec& box) override {
            ticker->tick();
            return ScriptedUi::messageBox(box);
        }
    } prompting;
    prompting.ticker = &ticker;
    prompting.answerNext(Ui::Yes);
    ctx.ui = &prompting;
    ticker.tick();
    ASSERT_EQ(prompting.boxes().size(), 1u) << "the second task waits for the next tick";
    EXPECT_EQ(messageWindows.opened.size(), 1);
    EXPECT_FALSE(ticker.busy());
}

TEST_F(TickTest, AWaitForAWindowThatNeverOpensHoldsTheQueue) {
    setNow(1999, 1, 4, 12, 0);
    addStep(5, 1, "Wait", "Never There");
    addStep(5, 2, "Send Keystrokes", "x");
    addStep(6, 1, "Send Keystrokes", "y");
    QueueScript(ctx, 5, 0);
    QueueScript(ctx, 6, 0);
    for (int i = 0; i < 5; ++i) {
        clock.advance(Time::kSecond);
        ticker.tick();
    }
    EXPECT_EQ(queue.size(), 3);
    EXPECT_TRUE(keys.events().empty());
    windows.setWindows({{3, QStringLiteral("never there")}});
    for (int i = 0; i < 3; ++i) {
        clock.advance(Time::kSecond);
        ticker.tick();
    }
    EXPECT_TRUE(queue.isEmpty());
}

// A script window holds a step in the shared Scripting buffer while a task falls due and queues
// its own script: the window's next write still changes its step, with its values.
TEST_F(TickTest, QueueingAScriptLeavesTheStepAWindowIsEditing) {
    setNow(1999, 1, 4, 12, 0);
    addStep(5, 1, "Send Keystrokes", "due");
    addStep(8, 1, "Send Keystrokes", "edited");
    store->SCR.clearBuffer();
    store->SCR.buffer().ID = 8;
    store->SCR.buffer().Sequence = 1;
    store->SCR.watch();
    ASSERT_EQ(store->SCR.fetch(ScriptingKey::KeyID), 0);
    store->SCR.buffer().Keystrokes = QStringLiteral("typed in the form");

    QueueScript(ctx, 5, 0);
    EXPECT_EQ(queue.size(), 1);
    EXPECT_EQ(store->SCR.buffer().Keystrokes, QStringLiteral("typed in the form"));
    ASSERT_EQ(store->SCR.put(), 0);
    store->SCR.setStart(ScriptingKey::KeyID);
    QStringList stored;
    while (store->SCR.next() == 0) {
        stored << store->SCR.buffer().Keystrokes;
    }
    EXPECT_EQ(stored, (QStringList{QStringLiteral("due"), QStringLiteral("typed in the form")}));
}
