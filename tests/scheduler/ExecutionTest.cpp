#include "EngineFixture.h"

#include "scheduler/DueTaskScan.h"
#include "scheduler/QueueScript.h"
#include "scheduler/TaskExecution.h"

using namespace velatask;

namespace {

class ExecutionTest : public EngineFixture {
protected:
    ScheduleRecord weekly(const char* taskType) {
        ScheduleRecord r;
        r.TaskType = QString::fromLatin1(taskType);
        r.ScheduleType = QStringLiteral("Day of Week");
        r.Monday = 1;
        r.Description = QStringLiteral("Backup");
        r.Command = QStringLiteral("backup --all");
        r.Path = QStringLiteral("/srv/backup");
        r.Message = QStringLiteral("Backing up");
        r.Date = Date::fromYmd(1999, 1, 4); // a Monday
        r.Time = Time::fromHms(9, 0);
        return r;
    }
};

} // namespace

TEST_F(ExecutionTest, OnceTaskIsReplacedByItsHistoryCopy) {
    setNow(1999, 1, 4, 9, 0, 1);
    ScheduleRecord r = weekly("Display Message");
    r.ScheduleType = QStringLiteral("Once");
    ScheduleRecord other = weekly("Display Message");
    other.Date = Date::fromYmd(1999, 2, 1);
    const std::int32_t otherId = addTask(other);
    const std::int32_t id = addTask(r);
    DueTaskScan(ctx);
    const auto all = allTasks();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].ID, otherId);
    // The task was the highest number; once deleted, its number is the next free one.
    EXPECT_EQ(all[1].ID, id);
    EXPECT_EQ(all[1].Completed, 1);
    EXPECT_EQ(all[1].Disabled, 1);
    EXPECT_EQ(all[1].Date, r.Date);
    EXPECT_EQ(all[1].Time, r.Time);
}

TEST_F(ExecutionTest, APerformedOnceTaskTakesItsStepsAlongOnceTheyAreQueued) {
    setNow(1999, 1, 4, 9, 0, 1);
    ScheduleRecord r = weekly("Run Program");
    r.ScheduleType = QStringLiteral("Once");
    const std::int32_t id = addTask(r);
    addStep(id, 1, "Send Keystrokes", "typed once");
    DueTaskScan(ctx);
    EXPECT_EQ(queue.size(), 1);
    store->SCR.clearBuffer();
    store->SCR.buffer().ID = id;
    store->SCR.setAt(ScriptingKey::KeyID, 1);
    const bool stepLeft = store->SCR.next() == 0 && store->SCR.buffer().ID == id;
    EXPECT_FALSE(stepLeft) << "the history copy now holds number " << id
                           << " and must not inherit the step";
    ASSERT_TRUE(task(id));
    EXPECT_EQ(task(id)->Completed, 1);
}

TEST_F(ExecutionTest, DeclinedTaskIsStampedMovedAndRecordedButNotRun) {
    setNow(1999, 1, 5, 8, 0); // the day after its date
    ScheduleRecord r = weekly("Run Program");
    r.Warn = 1;
    const std::int32_t id = addTask(r);
    ui.answerNext(Ui::No);
    DueTaskScan(ctx);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Backup was not run.  Run it now?"));
    EXPECT_TRUE(programs.starts().empty());
    EXPECT_TRUE(queue.isEmpty());
    const auto moved = task(id);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->Date, Date::fromYmd(1999, 1, 11));
    EXPECT_EQ(moved->LastRunDate, Date::fromYmd(1999, 1, 5));
    EXPECT_EQ(moved->LastRunTime, Time::fromHms(8, 0));
    EXPECT_TRUE(task(id + 1));
}

TEST_F(ExecutionTest, ProgramStartsInItsDirectoryAndQueuesItsScript) {
    setNow(1999, 1, 4, 9, 0, 1);
    ScheduleRecord r = weekly("Run Program");
    const std::int32_t id = addTask(r);
    addStep(id, 5, "Send Keystrokes", "c");
    addStep(id, 1, "Send Keystrokes", "a");
    addStep(id, 2, "Wait", "", 3);
    addStep(id + 50, 1, "Send Keystrokes", "other task");
    programs.setResult(StartResult{true, 4711, QString()});
    DueTaskScan(ctx);
    ASSERT_EQ(programs.starts().size(), 1u);
    EXPECT_EQ(programs.starts()[0].commandLine, QStringLiteral("backup --all"));
    EXPECT_EQ(programs.starts()[0].workingDirectory, QStringLiteral("/srv/backup"));
    EXPECT_EQ(ctx.LastInstance, 4711u);
    const auto entries = queue.entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].S.Sequence, 1);
    EXPECT_EQ(entries[1].S.Sequence, 2);
    EXPECT_EQ(entries[2].S.Sequence, 5);
    EXPECT_EQ(entries[0].dueTime, clock.now() + 50);
    EXPECT_EQ(entries[1].dueTime, clock.now() + 300);
    EXPECT_EQ(entries[2].startResult, 4711u);
    EXPECT_TRUE(ui.notices().empty());
}

// The keys of a program that did not start would go to whatever window has the focus; the
// reason reaches the user without holding up the next tick.
TEST_F(ExecutionTest, ProgramThatDoesNotStartIsReportedAndItsScriptIsNotQueued) {
    setNow(1999, 1, 4, 9, 0, 1);
    const std::int32_t id = addTask(weekly("Both"));
    addStep(id, 1, "Send Keystrokes", "a");
    ScheduleRecord later = weekly("Display Message");
    later.Time = Time::fromHms(9, 0, 0, 50);
    addTask(later);
    programs.setResult(StartResult{false, 2, QStringLiteral("Program not found: backup")});
    DueTaskScan(ctx);
    EXPECT_EQ(ctx.LastInstance, 2u);
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_TRUE(ui.boxes().empty()) << "nothing waits for the user";
    ASSERT_EQ(ui.notices().size(), 1u);
    EXPECT_EQ(ui.notices()[0].text, QStringLiteral("Program not found: backup"));
    EXPECT_EQ(task(id)->Date, Date::fromYmd(1999, 1, 11)) << "the occurrence is over";

    clock.advance(Time::kSecond);
    DueTaskScan(ctx);
    EXPECT_EQ(messageWindows.opened.size(), 2) << "the next task runs on the next tick";
    EXPECT_EQ(ui.notices().size(), 1u) << "told once";
}

TEST_F(ExecutionTest, BlankPathStartsInTheProgramsOwnDirectoryAndMessagesNeverQueueScripts) {
    setNow(1999, 1, 4, 9, 0, 1);
    ScheduleRecord r = weekly("Run Program");
    r.Path.clear();
    const std::int32_t id = addTask(r);
    ScheduleRecord m = weekly("Display Message");
    m.Time = Time::fromHms(8, 0);
    const std::int32_t messageId = addTask(m);
    addStep(messageId, 1, "Send Keystrokes", "never");
    DueTaskScan(ctx);
    DueTaskScan(ctx);
    EXPECT_EQ(messageWindows.opened, QStringList{QStringLiteral("Backing up")});
    ASSERT_EQ(programs.starts().size(), 1u);
    EXPECT_EQ(programs.starts()[0].workingDirectory, QString());
    EXPECT_TRUE(queue.isEmpty());
    (void)id;
}

TEST_F(ExecutionTest, SixtyOpenMessageWindowsMakeThePlainBox) {
    setNow(1999, 1, 4, 9, 0, 1);
    addTask(weekly("Display Message"));
    ctx.OpenMessageWindows = 60;
    DueTaskScan(ctx);
    EXPECT_TRUE(messageWindows.opened.isEmpty());
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Backing up"));
    EXPECT_EQ(ui.boxes()[0].title, QString());
    EXPECT_EQ(ui.boxes()[0].buttons, Ui::Ok);
}

TEST_F(ExecutionTest, AdvanceWarningMovesWithTheTask) {
    setNow(1999, 1, 4, 9, 0, 1);
    ScheduleRecord r = weekly("Display Message");
    r.AdvanceWarnDate = r.Date - 2;
    r.AdvanceWarnTime = Time::fromHms(8, 0);
    r.AdvanceWarned = 1;
    const std::int32_t id = addTask(r);
    ScheduleRecord dateOnly = weekly("Display Message");
    dateOnly.Time = Time::fromHms(7, 30);
    dateOnly.AdvanceWarnDate = dateOnly.Date - 1;
    dateOnly.AdvanceWarned = 1;
    const std::int32_t dateOnlyId = addTask(dateOnly);
    DueTaskScan(ctx);
    DueTaskScan(ctx);

    const auto moved = task(id);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->Date, Date::fromYmd(1999, 1, 11));
    EXPECT_EQ(moved->AdvanceWarnDate, Date::fromYmd(1999, 1, 9));
    EXPECT_EQ(moved->AdvanceWarnTime, Time::fromHms(8, 0)) << "two days and one hour ahead";
    EXPECT_EQ(moved->AdvanceWarned, 0);

    const auto other = task(dateOnlyId);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->AdvanceWarnDate, Date::fromYmd(1999, 1, 10));
    EXPECT_EQ(other->AdvanceWarnTime, other->Time);
}

// A huge custom interval takes the task to the end of the date range; its advance warning
// stays at its offset as far as the range allows instead of wrapping around into the past.
TEST_F(ExecutionTest, AdvanceWarningOfATaskMovedToTheEndOfTimeStaysInRange) {
    const struct {
        std::int32_t warnOffset;
        std::int32_t expected;
    } cases[] = {{-2, INT32_MAX - 2}, {3, INT32_MAX}};
    std::int32_t nextId = 100;
    for (const auto& c : cases) {
        setNow(1999, 1, 4, 9, 0, 1);
        ScheduleRecord r = weekly("None");
        r.ID = nextId += 100; // clear of the history copies' numbers
        r.ScheduleType = QStringLiteral("Custom");
        r.EveryType = QStringLiteral("day(s)");
        r.Every = INT32_MAX;
        r.AdvanceWarnDate = r.Date + c.warnOffset;
        r.AdvanceWarnTime = Time::fromHms(8, 0);
        const std::int32_t id = addTask(r);
        DueTaskScan(ctx);
        const auto moved = task(id);
        ASSERT_TRUE(moved);
        EXPECT_EQ(moved->Date, INT32_MAX);
        EXPECT_EQ(moved->AdvanceWarnDate, c.expected) << c.warnOffset;
        EXPECT_EQ(moved->AdvanceWarnTime, Time::fromHms(8, 0));
        store->SCH.buffer() = *moved;
        ASSERT_EQ(store->SCH.erase(), 0);
    }
}

TEST_F(ExecutionTest, HistoryCopiesTakeTheNextFreeNumberAndCarryNoPendingWarning) {
    setNow(1999, 1, 4, 9, 0, 1);
    ScheduleRecord r = weekly("Display Message");
    r.ID = 7;
    r.AdvanceWarnDate = r.Date;
    r.AdvanceWarnTime = Time::fromHms(10, 0); // after the due moment: not given yet
    addTask(r);
    ScheduleRecord low = weekly("None");
    low.ID = 2;
    low.Date = Date::fromYmd(1999, 2, 1);
    addTask(low);
    DueTaskScan(ctx);
    const auto copy = task(8);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Disabled, 1);
    EXPECT_EQ(copy->AdvanceWarned, 1);
    const auto moved = task(7);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->AdvanceWarned, 0);
    EXPECT_EQ(moved->AdvanceWarnDate, Date::fromYmd(1999, 1, 11));
    EXPECT_EQ(moved->AdvanceWarnTime, Time::fromHms(10, 0));
}

TEST_F(ExecutionTest, RunTaskNowPerformsTheBrowsedTaskWithoutWritingIt) {
    setNow(1999, 1, 4, 15, 0);
    ScheduleRecord r = weekly("Both");
    r.Date = Date::fromYmd(1999, 3, 1);
    r.Disabled = 1;
    r.Alarm = 1;
    r.AlarmFile = QStringLiteral("bell.wav ");
    const std::int32_t id = addTask(r);
    addStep(id, 1, "Send Keystrokes", "x");
    store->SCH.buffer() = *task(id);
    RunTaskNow(ctx);
    EXPECT_EQ(sound.played(), QStringList{QStringLiteral("bell.wav")});
    EXPECT_EQ(messageWindows.opened, QStringList{QStringLiteral("Backing up")});
    ASSERT_EQ(programs.starts().size(), 1u);
    EXPECT_EQ(queue.size(), 1);
    EXPECT_EQ(store->SCH.buffer().LastRunDate, clock.today());
    EXPECT_EQ(task(id)->LastRunDate, 0) << "the record itself is not written";
    EXPECT_EQ(allTasks().size(), 1u) << "no history copy";
}
