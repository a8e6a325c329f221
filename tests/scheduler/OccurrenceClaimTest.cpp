#include "EngineFixture.h"

#include "../store/RawSqlite.h"

#include "scheduler/DueTaskScan.h"

using namespace velatask;

namespace {

// The scheduler's write-back meets the world: windows saving the same task while a prompt is
// open, another station that performed the occurrence first, a locked or failing data file.
class OccurrenceClaimTest : public EngineFixture {
protected:
    OccurrenceClaimTest() { setNow(1999, 1, 4, 9, 0, 1); }

    ScheduleRecord daily(const char* taskType = "Run Program") {
        ScheduleRecord r;
        r.TaskType = QString::fromLatin1(taskType);
        r.ScheduleType = QStringLiteral("Custom");
        r.Every = 1;
        r.EveryType = QStringLiteral("day(s)");
        r.Description = QStringLiteral("Backup");
        r.Command = QStringLiteral("backup");
        r.Message = QStringLiteral("Backing up");
        r.Date = clock.today();
        r.Time = Time::fromHms(9, 0);
        return r;
    }
    // Reads a task into SCH and lets `change` edit it there before it is written back, as a
    // window saving its form would.
    void saveInWindow(std::int32_t id, const std::function<void(ScheduleRecord&)>& change) {
        store->SCH.clearBuffer();
        store->SCH.buffer().ID = id;
        ASSERT_EQ(store->SCH.fetch(ScheduleKey::KeyID), 0);
        change(store->SCH.buffer());
        ASSERT_EQ(store->SCH.put(), 0);
    }
    int historyCopies() {
        int n = 0;
        for (const ScheduleRecord& r : allTasks()) {
            n += r.Completed == 1 ? 1 : 0;
        }
        return n;
    }
    QString dataFile() const { return dir.filePath(QStringLiteral("SM")); }
};

} // namespace

TEST_F(OccurrenceClaimTest, EditSavedWhileThePromptIsOpenIsKept) {
    ScheduleRecord r = daily();
    r.UserSkip = 1;
    const std::int32_t id = addTask(r);
    ui.whileBoxOpen([&](const MessageBoxSpec&) {
        saveInWindow(id, [](ScheduleRecord& t) {
            t.Description = QStringLiteral("Full backup");
            t.Command = QStringLiteral("backup --full");
        });
    });
    ui.answerNext(Ui::Yes);
    DueTaskScan(ctx);

    ASSERT_EQ(programs.starts().size(), 1u);
    EXPECT_EQ(programs.starts()[0].commandLine, QStringLiteral("backup --full"));
    const auto moved = task(id);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->Description, QStringLiteral("Full backup")) << "the edit survives";
    EXPECT_EQ(moved->Command, QStringLiteral("backup --full"));
    EXPECT_EQ(moved->Date, clock.today() + 1);
    EXPECT_EQ(moved->LastRunDate, clock.today());
    EXPECT_EQ(historyCopies(), 1);
}

// The occurrence the user was asked about is gone: performing or recording it would be wrong.
TEST_F(OccurrenceClaimTest, OccurrenceMovedWhileThePromptIsOpenIsLeftAlone) {
    const struct {
        const char* what;
        std::function<void(ScheduleRecord&)> change;
    } cases[] = {
        {"moved to tomorrow by a window", [](ScheduleRecord& t) { t.Date += 1; }},
        {"disabled by a window", [](ScheduleRecord& t) { t.Disabled = 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScheduleRecord r = daily();
        r.UserSkip = 1;
        const std::int32_t id = addTask(r);
        ScheduleRecord expected;
        ui.whileBoxOpen([&](const MessageBoxSpec&) {
            saveInWindow(id, c.change);
            expected = store->SCH.buffer();
        });
        const int before = static_cast<int>(allTasks().size());
        ui.answerNext(Ui::Yes);
        DueTaskScan(ctx);
        EXPECT_TRUE(programs.starts().empty());
        EXPECT_EQ(task(id), expected);
        EXPECT_EQ(static_cast<int>(allTasks().size()), before) << "no history copy";
        ui.whileBoxOpen({});
        store->SCH.buffer() = expected;
        ASSERT_EQ(store->SCH.erase(), 0);
    }
}

TEST_F(OccurrenceClaimTest, StationThatFindsTheOccurrenceTakenMovesOn) {
    ScheduleRecord r = daily();
    r.UserSkip = 1;
    const std::int32_t id = addTask(r);
    ScriptedUi otherUi;
    Store otherStation(dir.path(), otherUi);
    ASSERT_EQ(otherStation.SCH.open(), 0);
    // Both stations saw the task due; the other one moves it on while this one asks.
    ui.whileBoxOpen([&](const MessageBoxSpec&) {
        otherStation.SCH.clearBuffer();
        otherStation.SCH.buffer().ID = id;
        ASSERT_EQ(otherStation.SCH.fetch(ScheduleKey::KeyID), 0);
        otherStation.SCH.buffer().Date += 1;
        ASSERT_EQ(otherStation.SCH.put(), 0);
    });
    ui.answerNext(Ui::Yes);
    DueTaskScan(ctx);
    EXPECT_TRUE(programs.starts().empty());
    EXPECT_EQ(task(id)->Date, r.Date + 1);
    EXPECT_EQ(historyCopies(), 0);
}

// A write that fails after the task was performed (full disk, damaged file) must not make the
// scheduler perform it again every second. Each write of the move is made to fail in turn.
TEST_F(OccurrenceClaimTest, FailedWriteBackPerformsOnceTellsOnceAndRecordsLater) {
    const struct {
        const char* scheduleType;
        const char* failingWrite;
    } cases[] = {{"Custom", "UPDATE"}, {"Once", "DELETE"}, {"Custom", "INSERT"}};
    RawSqlite raw(dataFile());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failingWrite);
        programs = RecordingProgramStarter{};
        ui.clear();
        setNow(1999, 1, 4, 9, 0, 1);
        ScheduleRecord r = daily();
        r.ScheduleType = QString::fromLatin1(c.scheduleType);
        const std::int32_t id = addTask(r);
        ASSERT_TRUE(raw.exec(QStringLiteral("CREATE TRIGGER fail BEFORE %1 ON Schedule BEGIN "
                                            "SELECT RAISE(ABORT, 'disk full'); END")
                                 .arg(QLatin1String(c.failingWrite))))
            << raw.lastError().toStdString();
        const std::int32_t stampTime = clock.now();
        for (int tick = 0; tick < 3; ++tick) {
            DueTaskScan(ctx);
            clock.advance(Time::kSecond);
        }
        EXPECT_EQ(programs.starts().size(), 1u) << "performed once";
        ASSERT_EQ(ui.notices().size(), 1u) << "told once";
        EXPECT_EQ(ui.notices()[0].title, QStringLiteral("Cannot Update Schedule"));
        EXPECT_TRUE(ui.notices()[0].text.contains(QStringLiteral("disk full")));
        EXPECT_EQ(task(id)->Date, r.Date) << "nothing written";
        EXPECT_EQ(historyCopies(), 0);

        ASSERT_TRUE(raw.exec(QStringLiteral("DROP TRIGGER fail")));
        DueTaskScan(ctx);
        EXPECT_EQ(programs.starts().size(), 1u) << "recorded, not performed again";
        EXPECT_EQ(ui.notices().size(), 1u);
        EXPECT_EQ(historyCopies(), 1);
        std::vector<ScheduleRecord> waiting;
        for (const ScheduleRecord& t : allTasks()) {
            if (t.Completed == 0) {
                waiting.push_back(t);
            }
        }
        if (r.ScheduleType == QStringLiteral("Once")) {
            EXPECT_TRUE(waiting.empty());
        } else {
            ASSERT_EQ(waiting.size(), 1u);
            EXPECT_EQ(waiting[0].Date, r.Date + 1);
            EXPECT_EQ(waiting[0].LastRunTime, stampTime) << "stamped when it was performed";
        }
        ASSERT_TRUE(raw.exec(QStringLiteral("DELETE FROM Schedule")));
    }
}

// Another program holds the data file for longer than the scheduler waits: the occurrence is
// asked about once, waits without being performed, and runs once the file is free.
TEST_F(OccurrenceClaimTest, LockedDataFileDelaysTheOccurrenceWithoutAskingAgain) {
    ScheduleRecord r = daily();
    r.UserSkip = 1;
    const std::int32_t id = addTask(r);
    RawSqlite locker(dataFile());
    ASSERT_TRUE(locker.exec(QStringLiteral("BEGIN IMMEDIATE")));
    ui.answerNext(Ui::Yes);
    DueTaskScan(ctx);
    clock.advance(Time::kSecond);
    DueTaskScan(ctx);
    EXPECT_TRUE(programs.starts().empty());
    EXPECT_EQ(ui.boxes().size(), 1u) << "the prompt is not repeated";
    ASSERT_EQ(ui.notices().size(), 1u);
    EXPECT_EQ(ui.notices()[0].title, QStringLiteral("Data File Busy"));

    ASSERT_TRUE(locker.exec(QStringLiteral("COMMIT")));
    clock.advance(Time::kSecond);
    DueTaskScan(ctx);
    clock.advance(Time::kSecond);
    DueTaskScan(ctx);
    EXPECT_EQ(programs.starts().size(), 1u);
    EXPECT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(task(id)->Date, r.Date + 1);
    EXPECT_EQ(historyCopies(), 1);
}

// Boxes raised while the scheduler holds the data file wait until it is released, so no nested
// event loop runs inside the transaction.
TEST_F(OccurrenceClaimTest, BoxesWaitUntilTheDataFileIsReleased) {
    ScheduleRecord r = daily("Display Message");
    r.EveryType = QStringLiteral("fortnights"); // "Invalid Units"
    const std::int32_t id = addTask(r);
    ctx.OpenMessageWindows = 60; // the message comes as a plain box
    bool inTransaction = true;
    ui.whileBoxOpen([&](const MessageBoxSpec&) { inTransaction = store->inTransaction(); });
    DueTaskScan(ctx);
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Backing up"));
    EXPECT_EQ(ui.boxes()[1].title, QStringLiteral("Invalid Units"));
    EXPECT_FALSE(inTransaction);
    EXPECT_EQ(task(id)->Date, r.Date + 1);
}
