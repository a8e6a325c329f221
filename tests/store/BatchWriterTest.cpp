#include "store/BatchWriter.h"
#include "RawSqlite.h"
#include "StoreTestBase.h"
#include "store/Procedures.h"
#include "store/TaskRemoval.h"
#include "store/Transaction.h"

namespace velatask {
namespace {

class BatchWriterTest : public StoreTestBase {
protected:
    void SetUp() override {
        ASSERT_EQ(store().SCH.open(), 0);
        ASSERT_EQ(store().SCH1.open(), 0);
        ASSERT_EQ(store().SCR.open(), 0);
    }
    int rows(const QString& where) {
        RawSqlite raw(dataFile());
        return raw.value("SELECT count(*) FROM " + where).toInt();
    }
    void addStep(std::int32_t id, std::int32_t sequence) {
        store().SCR.buffer() = ScriptingRecord{};
        store().SCR.buffer().ID = id;
        store().SCR.buffer().Sequence = sequence;
        ASSERT_EQ(store().SCR.add(), 0);
    }
};

// The scheduler writes while an import has a slice open: its writes neither wait nor fail, and
// cancelling the import rolls back only what the import wrote since.
TEST_F(BatchWriterTest, ACancelledBatchKeepsTheWritesMadeMeanwhile) {
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

TEST_F(BatchWriterTest, SlicesCommitWholeAndEachWriterOwnsItsOwn) {
    ScriptedUi otherUi;
    Store other(m_dir.path(), otherUi);
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
TEST_F(BatchWriterTest, RemovingATaskRemovesItsStepsAndNothingElse) {
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

} // namespace
} // namespace velatask
