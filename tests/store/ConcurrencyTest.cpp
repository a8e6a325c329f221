#include "StoreTestBase.h"
#include "store/Transaction.h"

namespace velatask {
namespace {

// Two stores on one folder (or one server) stand for two stations.
class ConcurrencyTest : public StoreTestBase, public ::testing::WithParamInterface<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Server && !useServer()) {
            GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
        }
        ASSERT_EQ(store().SCH.open(), 0);
        ASSERT_EQ(store().SCR.open(), 0);
        ASSERT_EQ(addTask(store().SCH, task(1, "Work", "first", 10, 10)), 0);
        m_other = anotherStation(m_otherUi);
        ASSERT_EQ(m_other->SCH.open(), 0);
        ASSERT_EQ(m_other->SCR.open(), 0);
    }

    void readTask(ScheduleView& view, std::int32_t id, bool watch) {
        view.clearBuffer();
        view.buffer().ID = id;
        if (watch) {
            view.watch();
        }
        ASSERT_EQ(view.fetch(ScheduleKey::KeyID), 0);
    }

    ScriptedUi m_otherUi;
    std::unique_ptr<Store> m_other;

    void TearDown() override { m_other.reset(); }
};

TEST_P(ConcurrencyTest, AWatchedRecordChangedByAnotherStationIsNotOverwritten) {
    auto& mine = store().SCH;
    readTask(mine, 1, true);
    readTask(m_other->SCH, 1, false);
    m_other->SCH.buffer().Description = "theirs";
    ASSERT_EQ(m_other->SCH.put(), 0);

    mine.buffer().Description = "mine";
    EXPECT_EQ(mine.put(), StoreCode::RecordChanged);
    EXPECT_EQ(mine.error().text, "Record Changed By Another Station");
    EXPECT_EQ(dataValue("SELECT Description FROM Schedule").toString(), "theirs");

    // Watching again and re-reading takes the other version as the new base.
    mine.watch();
    ASSERT_EQ(mine.reget(mine.position()), 0);
    EXPECT_EQ(mine.buffer().Description, "theirs");
    mine.buffer().Description = "mine";
    EXPECT_EQ(mine.put(), 0);
    mine.buffer().Description = "mine again";
    EXPECT_EQ(mine.put(), 0); // its own write is not someone else's change
}

TEST_P(ConcurrencyTest, TheSchedulersViewCountsAsAnotherWriter) {
    ASSERT_EQ(store().SCH1.open(), 0);
    readTask(store().SCH, 1, true);
    readTask(store().SCH1, 1, false);
    store().SCH1.buffer().LastRunDate = 77;
    ASSERT_EQ(store().SCH1.put(), 0);
    EXPECT_EQ(store().SCH.put(), StoreCode::RecordChanged);
}

TEST_P(ConcurrencyTest, AnUnwatchedWriteIsNotChecked) {
    readTask(store().SCH, 1, false);
    readTask(m_other->SCH, 1, false);
    ASSERT_EQ(m_other->SCH.put(), 0);
    EXPECT_EQ(store().SCH.put(), 0);
}

TEST_P(ConcurrencyTest, AWriteThatWasRolledBackDoesNotCountAsTheStoredState) {
    auto& mine = store().SCH;
    readTask(mine, 1, true);
    {
        Transaction tx(store());
        ASSERT_EQ(tx.begin(), 0);
        mine.buffer().Description = "abandoned";
        ASSERT_EQ(mine.put(), 0);
    }
    mine.buffer().Description = "kept";
    EXPECT_EQ(mine.put(), 0);
    EXPECT_EQ(dataValue("SELECT Description FROM Schedule").toString(), "kept");
}

TEST_P(ConcurrencyTest, ATransactionOverTwoTablesTakesEffectWholeOrNotAtAll) {
    auto add = [&](int id) {
        ASSERT_EQ(addTask(store().SCH, task(id, "", "t", 1, 1)), 0);
        store().SCR.buffer() = ScriptingRecord{};
        store().SCR.buffer().ID = id;
        store().SCR.buffer().Sequence = 1;
        ASSERT_EQ(store().SCR.add(), 0);
    };
    {
        Transaction tx(store());
        ASSERT_EQ(tx.begin(), 0);
        add(2);
        // Not visible to the other station before the commit.
        m_other->SCH.buffer().ID = 2;
        EXPECT_EQ(m_other->SCH.fetch(ScheduleKey::KeyID), StoreCode::RecordNotFound);
        ASSERT_EQ(tx.commit(), 0);
    }
    {
        Transaction tx(store());
        ASSERT_EQ(tx.begin(), 0);
        add(3);
    } // rolled back by the destructor
    EXPECT_EQ(dataValue("SELECT count(*) FROM Schedule WHERE ID = 2").toInt(), 1);
    EXPECT_EQ(dataValue("SELECT count(*) FROM Scripting WHERE ID = 2").toInt(), 1);
    EXPECT_EQ(dataValue("SELECT count(*) FROM Schedule WHERE ID = 3").toInt(), 0);
    EXPECT_EQ(dataValue("SELECT count(*) FROM Scripting WHERE ID = 3").toInt(), 0);
}

TEST_P(ConcurrencyTest, BeginGivesUpWithLockedWhenAnotherStationHoldsTheFile) {
    Transaction theirs(*m_other);
    ASSERT_EQ(theirs.begin(), 0);
    Transaction mine(store());
    EXPECT_EQ(mine.begin(100), StoreCode::IsLocked);
    EXPECT_EQ(mine.error().text, "File Is Already Locked");
    EXPECT_FALSE(mine.active());
    theirs.rollback();
    EXPECT_EQ(mine.begin(100), 0);
}

TEST_P(ConcurrencyTest, ACapturedTransactionDoesNotRollBackALaterOne) {
    Transaction first(store());
    ASSERT_EQ(first.begin(), 0);
    store().capture(); // rolls the first back
    EXPECT_FALSE(first.active());
    EXPECT_NE(first.commit(), 0);
    Transaction second(store());
    ASSERT_EQ(second.begin(), 0);
    ASSERT_EQ(addTask(store().SCH, task(5, "", "t", 1, 1)), 0);
    first.rollback();
    EXPECT_EQ(second.commit(), 0);
    EXPECT_EQ(dataValue("SELECT count(*) FROM Schedule WHERE ID = 5").toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, ConcurrencyTest,
                         ::testing::Values(Backend::File, Backend::Server), backendName);

} // namespace
} // namespace velatask
