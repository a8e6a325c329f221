#include "store/BatchWriter.h"
#include "RawSqlite.h"
#include "StoreTestBase.h"
#include "store/Checkpointer.h"
#include "store/Procedures.h"
#include "store/TaskRemoval.h"
#include "store/Transaction.h"

#include <QDeadlineTimer>
#include <QThread>

#include <functional>
#include <vector>

namespace velatask {
namespace {

class BatchWriterTest : public StoreTestBase, public ::testing::WithParamInterface<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Server && !useServer()) {
            GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
        }
        ASSERT_EQ(store().SCH.open(), 0);
        ASSERT_EQ(store().SCH1.open(), 0);
        ASSERT_EQ(store().SCR.open(), 0);
    }
    int rows(const QString& where) { return dataValue("SELECT count(*) FROM " + where).toInt(); }
    bool onFile() const { return GetParam() == Backend::File; }
    void addStep(std::int32_t id, std::int32_t sequence) {
        store().SCR.buffer() = ScriptingRecord{};
        store().SCR.buffer().ID = id;
        store().SCR.buffer().Sequence = sequence;
        ASSERT_EQ(store().SCR.add(), 0);
    }
};

// The scheduler writes while an import has a slice open: its writes neither wait nor fail, and
// cancelling the import rolls back only what the import wrote since.
TEST_P(BatchWriterTest, ACancelledBatchKeepsTheWritesMadeMeanwhile) {
    ASSERT_EQ(addTask(store().SCH, task(1, "", "due", 10, 10)), 0);
    BatchWriter import(store());
    ASSERT_EQ(import.beginSlice(), 0);
    ASSERT_EQ(import.add(task(100, "", "imported before", 1, 1)), 0);

    // The scheduler's reschedule (a plain write) and history copy (in a transaction of 100 ms).
    ScheduleView& sch1 = store().SCH1;
    sch1.buffer().ID = 1;
    ASSERT_EQ(sch1.fetch(ScheduleKey::KeyID), 0);
    sch1.buffer().Date = 11;
    EXPECT_EQ(sch1.put(), 0);
    ASSERT_EQ(import.add(task(102, "", "imported meanwhile", 1, 1)), 0);
    {
        Transaction tx(store());
        ASSERT_EQ(tx.begin(100), 0);
        sch1.buffer() = task(2, "", "history copy", 10, 10, 1);
        ASSERT_EQ(sch1.add(), 0);
        ASSERT_EQ(tx.commit(), 0);
    }
    // A form's update procedure does not fail with a framing error either.
    store().SCH.buffer().ID = 1;
    ASSERT_EQ(store().SCH.fetch(ScheduleKey::KeyID), 0);
    store().setSavedTaskNumber(1);
    store().SCH.buffer().Description = "edited";
    EXPECT_EQ(UpdateScheduleRecord(store()), 0);
    EXPECT_TRUE(m_ui.boxes().empty());

    ASSERT_EQ(import.add(task(101, "", "imported after", 1, 1)), 0);
    import.abandonSlice();
    EXPECT_EQ(rows("Schedule WHERE ID = 1 AND Date = 11 AND Description = 'edited'"), 1);
    EXPECT_EQ(rows("Schedule WHERE ID = 2"), 1);
    EXPECT_EQ(rows("Schedule WHERE ID IN (100, 102)"), 2) << "committed before the others wrote";
    EXPECT_EQ(rows("Schedule WHERE ID = 101"), 0);
}

TEST_P(BatchWriterTest, SlicesCommitWholeAndEachWriterOwnsItsOwn) {
    ScriptedUi otherUi;
    auto station = anotherStation(otherUi);
    Store& other = *station;
    ASSERT_EQ(other.SCH.open(), 0);
    BatchWriter first(store());
    BatchWriter second(store());
    std::int32_t highest = -1;
    ASSERT_EQ(first.highestTaskNumber(highest), 0);
    EXPECT_EQ(highest, 0);
    ASSERT_EQ(first.add(task(5, "", "a", 1, 1)), 0);
    ASSERT_EQ(first.highestTaskNumber(highest), 0);
    EXPECT_EQ(highest, 5) << "the slice sees its own rows";
    EXPECT_EQ(first.add(task(5, "", "again", 1, 1)), StoreCode::DuplicateKey);
    other.SCH.buffer().ID = 5;
    EXPECT_EQ(other.SCH.fetch(ScheduleKey::KeyID), StoreCode::RecordNotFound)
        << "not visible before its commit";

    // Another writer's slice commits the first one's open slice before it begins.
    ASSERT_EQ(second.add(task(6, "", "b", 1, 1)), 0);
    second.abandonSlice();
    first.abandonSlice();
    EXPECT_EQ(rows("Schedule WHERE ID = 5"), 1);
    EXPECT_EQ(rows("Schedule WHERE ID = 6"), 0);
    ASSERT_EQ(first.add(task(7, "", "c", 1, 1)), 0);
    ASSERT_EQ(first.commitSlice(), 0);
    EXPECT_EQ(other.SCH.fetch(ScheduleKey::KeyID), 0);
    EXPECT_EQ(rows("Schedule"), 2);
}

// Every way a task is removed takes its script steps along, in the same transaction.
TEST_P(BatchWriterTest, RemovingATaskRemovesItsStepsAndNothingElse) {
    for (std::int32_t id : {1, 2, 3}) {
        ASSERT_EQ(addTask(store().SCH, task(id, "", "t", 1, 1)), 0);
        addStep(id, 1);
        addStep(id, 2);
    }
    store().SCH.buffer().ID = 1;
    ASSERT_EQ(store().SCH.fetch(ScheduleKey::KeyID), 0);
    const std::int64_t first = store().SCH.pointer();
    store().SCH1.buffer().ID = 2; // the scheduler's view
    ASSERT_EQ(store().SCH1.fetch(ScheduleKey::KeyID), 0);

    BatchWriter batch(store());
    ASSERT_EQ(batch.erase(Table::Schedule, first), 0);
    EXPECT_EQ(batch.erase(Table::Schedule, 999), 0) << "a record already gone";
    ASSERT_EQ(batch.commitSlice(), 0);
    EXPECT_EQ(RemoveTask(store(), store().SCH1), 0);
    EXPECT_EQ(store().SCH1.position(), "");
    EXPECT_EQ(rows("Schedule"), 1);
    EXPECT_EQ(rows("Scripting WHERE ID = 3"), 2);
    EXPECT_EQ(rows("Scripting"), 2);

    // A removal whose step delete fails leaves task and steps as they were.
    if (!onFile()) {
        return; // the failure is made by a trigger of the file engine
    }
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.exec("CREATE TRIGGER no BEFORE DELETE ON Scripting BEGIN "
                             "SELECT RAISE(ABORT, 'kept'); END"));
    }
    store().SCH1.buffer().ID = 3;
    ASSERT_EQ(store().SCH1.fetch(ScheduleKey::KeyID), 0);
    EXPECT_EQ(RemoveTask(store(), store().SCH1), StoreCode::DriverError);
    EXPECT_EQ(rows("Schedule WHERE ID = 3"), 1);
    EXPECT_EQ(rows("Scripting WHERE ID = 3"), 2);
}

// A set of positions goes in one statement per table: the records at those positions with
// their steps, positions already gone counting as done, every other record kept.
TEST_P(BatchWriterTest, ErasingASetRemovesExactlyItsRecordsAndTheirSteps) {
    ASSERT_EQ(store().TDO.open(), 0);
    std::vector<std::int64_t> tasks;
    for (std::int32_t id = 1; id <= 6; ++id) {
        ASSERT_EQ(addTask(store().SCH, task(id, "", "t", 1, 1)), 0);
        tasks.push_back(store().SCH.pointer());
        addStep(id, 1);
        addStep(id, 2);
    }
    std::vector<std::int64_t> items;
    for (int i = 0; i < 4; ++i) {
        store().TDO.clearBuffer();
        store().TDO.buffer().ToDo = QStringLiteral("item %1").arg(i);
        ASSERT_EQ(store().TDO.add(), 0);
        items.push_back(store().TDO.pointer());
    }
    struct Case {
        const char* name;
        Table table;
        std::vector<std::int64_t> positions;
        const char* left; // what remains of the table, counted
        int count;
        int steps;
    };
    const std::vector<Case> cases{
        {"none", Table::Schedule, {}, "Schedule", 6, 12},
        {"two tasks and a gone one",
         Table::Schedule,
         {tasks[1], 999, tasks[4]},
         "Schedule WHERE ID IN (1, 3, 4, 6)",
         4,
         8},
        {"again, with the next",
         Table::Schedule,
         {tasks[1], tasks[2]},
         "Schedule WHERE ID IN (1, 4, 6)",
         3,
         6},
        {"to-do items",
         Table::ToDo,
         {items[0], items[3]},
         "ToDo WHERE ToDo IN ('item 1', 'item 2')",
         2,
         6},
    };
    BatchWriter batch(store());
    for (const Case& c : cases) {
        EXPECT_EQ(batch.erase(c.table, c.positions), 0) << c.name;
        ASSERT_EQ(batch.commitSlice(), 0) << c.name;
        EXPECT_EQ(rows(c.left), c.count) << c.name;
        EXPECT_EQ(rows(c.table == Table::ToDo ? "ToDo" : "Schedule"), c.count) << c.name;
        EXPECT_EQ(rows("Scripting"), c.steps) << c.name;
    }
    EXPECT_EQ(rows("Scripting WHERE ID IN (1, 4, 6)"), 6) << "only the steps of removed tasks";
}

// A long commit's log is copied back into the file by the checkpointer's thread, not by the
// committing one; while batch work runs, the scheduler's and the windows' commits leave the copy
// to the batch, and the thread copies once the batch ends.
TEST_P(BatchWriterTest, TheLogIsCopiedBackOffTheCommittingThread) {
    if (!onFile()) {
        GTEST_SKIP() << "the file's log";
    }
    const Checkpointer& checkpointer = store().checkpointer();
    auto copied = [&](std::int64_t copies) {
        QDeadlineTimer deadline(20000);
        while (checkpointer.figures().copies < copies && !deadline.hasExpired()) {
            QThread::msleep(5);
        }
        return checkpointer.figures();
    };
    // Enough pages for one copy, fewer than a batch allows.
    const QString memo(900, QLatin1Char('m'));
    auto addMany = [&](std::int32_t from) {
        Transaction tx(store());
        ASSERT_EQ(tx.begin(), 0);
        for (std::int32_t id = from; id < from + 5000; ++id) {
            ScheduleRecord r = task(id, "", "many", 1, 1);
            r.Message = memo;
            ASSERT_EQ(addTask(store().SCH, r), 0);
        }
        ASSERT_EQ(tx.commit(), 0);
    };
    ASSERT_EQ(checkpointer.figures().copies, 0);
    addMany(1);
    Checkpointer::Figures after = copied(1);
    ASSERT_EQ(after.copies, 1);
    EXPECT_GE(after.lastLog, Checkpointer::kFrames);
    EXPECT_EQ(after.lastCopied, after.lastLog);
    EXPECT_FALSE(after.failed);
    {
        BatchWriter batch(store());
        addMany(10001);
        EXPECT_EQ(checkpointer.figures().copies, 1) << "no copy asked for during a batch";
    }
    after = copied(2);
    EXPECT_EQ(after.copies, 2) << "copied when the batch ended";
    EXPECT_EQ(after.lastCopied, after.lastLog);
    EXPECT_EQ(rows("Schedule"), 10000);
}

// A batch stores a record as a window's add does: texts cut to their fields without trailing
// blanks, numbers cast to their fields' types.
TEST_P(BatchWriterTest, AddedRecordsAreStoredAsAWindowStoresThem) {
    struct Case {
        const char* name;
        std::function<void(ScheduleRecord&)> change;
    };
    const std::vector<Case> cases{
        {"plain", [](ScheduleRecord&) {}},
        {"long and blank-ended texts",
         [](ScheduleRecord& r) {
             r.Category = QString(30, 'c');
             r.Description = "trail   ";
             r.Message = QString(1200, 'm');
             r.AlarmFile = QString(19, 'x') + QString::fromUcs4(U"\U0001F600") + QString(70, 'y');
         }},
        {"numbers beyond their fields",
         [](ScheduleRecord& r) {
             r.AdvanceWarned = 200;
             r.Disabled = 7;
             r.Every = -3;
         }},
        {"non-ASCII, quotes and a byte order mark",
         [](ScheduleRecord& r) {
             r.Description = QString::fromUtf8("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9 \"x\"");
             r.Command = QString::fromUtf8("\xE2\x82\xAC 1,2");
         }},
    };
    BatchWriter batch(store());
    std::int32_t id = 1000;
    for (const Case& c : cases) {
        ScheduleRecord r = task(0, "Work", "d", 5, 6);
        c.change(r);
        r.ID = ++id;
        ASSERT_EQ(batch.add(r), 0) << c.name;
        ASSERT_EQ(batch.commitSlice(), 0) << c.name;
        r.ID = ++id;
        ASSERT_EQ(addTask(store().SCH, r), 0) << c.name;
        ScheduleRecord stored[2];
        for (int k = 0; k < 2; ++k) {
            store().SCH.buffer().ID = id - 1 + k;
            ASSERT_EQ(store().SCH.fetch(ScheduleKey::KeyID), 0) << c.name;
            stored[k] = store().SCH.buffer();
            stored[k].ID = 0;
        }
        EXPECT_EQ(stored[0], stored[1]) << c.name;
    }
}

// During a batch its commits never copy the log themselves: the copy waits for the batch to make
// it between slices (by itself, or when the next slice begins).
TEST_P(BatchWriterTest, TheBatchCopiesTheLogBetweenItsSlices) {
    if (!onFile()) {
        GTEST_SKIP() << "the file's log";
    }
    const Checkpointer& checkpointer = store().checkpointer();
    const QString memo(900, QLatin1Char('m'));
    BatchWriter batch(store());
    std::int32_t id = 1;
    auto fillLog = [&] {
        for (int slice = 0; slice < 100 && !batch.logCopyDue(); ++slice) {
            ASSERT_EQ(batch.beginSlice(), 0);
            for (int i = 0; i < 500; ++i, ++id) {
                ScheduleRecord r = task(id, "", "many", 1, 1);
                r.Message = memo;
                ASSERT_EQ(batch.add(r), 0);
            }
            ASSERT_EQ(batch.commitSlice(), 0);
        }
        ASSERT_TRUE(batch.logCopyDue());
    };
    fillLog();
    EXPECT_EQ(checkpointer.figures().batchCopies, 0) << "no copy inside a commit";
    batch.copyLog();
    EXPECT_EQ(checkpointer.figures().batchCopies, 1);
    EXPECT_FALSE(batch.logCopyDue());
    fillLog();
    ASSERT_EQ(batch.beginSlice(), 0);
    EXPECT_EQ(checkpointer.figures().batchCopies, 2) << "copied before the slice began";
    EXPECT_FALSE(batch.logCopyDue());
    ASSERT_EQ(batch.commitSlice(), 0);
    EXPECT_EQ(rows("Schedule"), id - 1);
    EXPECT_EQ(checkpointer.figures().copies, 0) << "the thread keeps still meanwhile";
}

// A writer that puts off syncing its commits hands each to the checkpointer's thread, and its
// end waits until they have all reached the disk; a server syncs its own commits.
TEST_P(BatchWriterTest, PutOffSyncsAreMadeOnTheThreadAndAwaitedAtTheEnd) {
    const Checkpointer& checkpointer = store().checkpointer();
    const Checkpointer::Figures before = checkpointer.figures();
    const int perCommit = onFile() ? 1 : 0;
    std::int32_t id = 1;
    {
        BatchWriter batch(store());
        batch.deferSync(true);
        for (int slice = 0; slice < 3; ++slice, ++id) {
            ASSERT_EQ(batch.beginSlice(), 0);
            ASSERT_EQ(batch.add(task(id, "", "deferred", 1, 1)), 0);
            ASSERT_EQ(batch.commitSlice(), 0);
        }
        EXPECT_EQ(checkpointer.figures().syncTickets, before.syncTickets + 3 * perCommit);
        EXPECT_EQ(batch.hasUnsyncedCommits(), onFile());
        ASSERT_EQ(batch.syncCommitted(), 0);
        EXPECT_FALSE(batch.hasUnsyncedCommits());
        EXPECT_EQ(checkpointer.figures().syncedTicket, checkpointer.figures().syncTickets);

        ASSERT_EQ(batch.beginSlice(), 0);
        ASSERT_EQ(batch.add(task(id++, "", "deferred", 1, 1)), 0);
        ASSERT_EQ(batch.commitSlice(), 0);
    }
    const Checkpointer::Figures after = checkpointer.figures();
    EXPECT_EQ(after.syncTickets, before.syncTickets + 4 * perCommit);
    EXPECT_EQ(after.syncedTicket, after.syncTickets) << "the end waited for the last";
    EXPECT_EQ(after.logSyncs, before.logSyncs) << "none made on the committing thread";
    EXPECT_EQ(rows("Schedule"), id - 1);
    {
        BatchWriter plain(store()); // syncs each commit: nothing put off
        ASSERT_EQ(plain.beginSlice(), 0);
        ASSERT_EQ(plain.add(task(id, "", "plain", 1, 1)), 0);
        ASSERT_EQ(plain.commitSlice(), 0);
        EXPECT_FALSE(plain.hasUnsyncedCommits());
    }
    EXPECT_EQ(checkpointer.figures().syncTickets, after.syncTickets);

    // A writer that syncs its commits, beginning while a deferring one has its slice open,
    // commits that slice first and then syncs its own commits again.
    BatchWriter deferring(store());
    deferring.deferSync(true);
    ASSERT_EQ(deferring.beginSlice(), 0);
    ASSERT_EQ(deferring.add(task(++id, "", "deferred", 1, 1)), 0);
    BatchWriter other(store());
    ASSERT_EQ(other.beginSlice(), 0);
    EXPECT_FALSE(deferring.sliceOpen());
    if (onFile()) {
        Connection* batch = nullptr;
        StoreError e;
        ASSERT_EQ(store().openBatchConnection(batch, e), 0);
        std::vector<Connection::Row> pragma;
        ASSERT_EQ(batch->exec(QStringLiteral("PRAGMA synchronous"), {}, e, &pragma), 0);
        EXPECT_EQ(pragma.at(0).value(0).toInt(), 2); // full
    }
    ASSERT_EQ(other.commitSlice(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, BatchWriterTest,
                         ::testing::Values(Backend::File, Backend::Server), backendName);

} // namespace
} // namespace velatask
