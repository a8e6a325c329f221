#include "RawSqlite.h"
#include "StoreTestBase.h"
#include "store/Connection.h"
#include "store/TableCursor.h"
#include "store/TableDef.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace velatask {
namespace {

class KeyOrderTest : public StoreTestBase, public ::testing::WithParamInterface<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Server && !useServer()) {
            GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
        }
        ASSERT_EQ(store().SCH.open(), 0);
    }

    // IDs read with next() from the current position to the end.
    std::vector<int> readForward(ScheduleView& v) {
        std::vector<int> ids;
        while (v.next() == 0) {
            ids.push_back(v.buffer().ID);
        }
        EXPECT_EQ(v.error().code, StoreCode::NoRecord);
        return ids;
    }
    std::vector<int> readBackward(ScheduleView& v) {
        std::vector<int> ids;
        while (v.previous() == 0) {
            ids.push_back(v.buffer().ID);
        }
        return ids;
    }
    std::vector<int> order(ScheduleKey key) {
        store().SCH.setStart(key);
        return readForward(store().SCH);
    }
};

TEST_P(KeyOrderTest, RecordsWithAllKeyComponentsEmptyAreLeftOutOfThatKey) {
    auto& sch = store().SCH;
    ASSERT_EQ(addTask(sch, task(1, "", "", 0, 0, 0)), 0);       // no date, no category
    ASSERT_EQ(addTask(sch, task(2, "Work", "b", 0, 0, 1)), 0);  // disabled, no date
    ASSERT_EQ(addTask(sch, task(3, "Home", "", 100, 0, 0)), 0); // date only
    ScheduleRecord warned = task(4, "", "x", 0, 5, 0);
    warned.AdvanceWarnTime = 7;
    ASSERT_EQ(addTask(sch, warned), 0);

    EXPECT_EQ(order(ScheduleKey::KeyID), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(order(ScheduleKey::KeyDate), (std::vector<int>{4, 3}));
    EXPECT_EQ(order(ScheduleKey::KeyDateEnabled), (std::vector<int>{4, 3, 2}));
    EXPECT_EQ(order(ScheduleKey::KeyAdvanced), (std::vector<int>{4}));
    EXPECT_EQ(order(ScheduleKey::KeyCategory), (std::vector<int>{4, 3, 2}));
    EXPECT_EQ(order(ScheduleKey::KeyTaskName), (std::vector<int>{3, 2, 4}));
    // A blank description and category: absent from the name keys, still fetched by ID.
    sch.clearBuffer();
    sch.buffer().ID = 1;
    EXPECT_EQ(sch.fetch(ScheduleKey::KeyID), 0);
    sch.buffer().Category.clear();
    sch.buffer().Description.clear();
    EXPECT_EQ(sch.fetch(ScheduleKey::KeyCategory), StoreCode::RecordNotFound);
}

TEST_P(KeyOrderTest, EnabledTasksComeFirstByDueDateAndTime) {
    auto& sch = store().SCH;
    ASSERT_EQ(addTask(sch, task(1, "", "history", 5, 100, 1)), 0);
    ASSERT_EQ(addTask(sch, task(2, "", "late", 9, 1, 0)), 0);
    ASSERT_EQ(addTask(sch, task(3, "", "early", 9, 0 + 1, 0)), 0);
    ASSERT_EQ(addTask(sch, task(4, "", "earliest", 8, 999, 0)), 0);
    EXPECT_EQ(order(ScheduleKey::KeyDateEnabled), (std::vector<int>{4, 2, 3, 1}));
}

TEST_P(KeyOrderTest, TextComponentsIgnoreLetterCaseAndUniqueKeysRefuseDuplicates) {
    ASSERT_EQ(store().CAT.open(), 0);
    auto& cat = store().CAT;
    cat.buffer().Category = "Work";
    ASSERT_EQ(cat.add(), 0);
    cat.buffer().Category = "Home";
    ASSERT_EQ(cat.add(), 0);
    cat.buffer().Category = "WORK";
    EXPECT_TRUE(cat.duplicate(CategoryKey::KeyCategory));
    EXPECT_EQ(cat.add(), StoreCode::DuplicateKey);
    EXPECT_EQ(cat.error().text, "Creates Duplicate Key");
    cat.buffer().Category = "work";
    ASSERT_EQ(cat.fetch(CategoryKey::KeyCategory), 0);
    EXPECT_EQ(cat.buffer().Category, "Work");
    // The current record does not collide with itself.
    EXPECT_FALSE(cat.duplicate(CategoryKey::KeyCategory));
    cat.buffer().Category = "Play";
    EXPECT_EQ(cat.fetch(CategoryKey::KeyCategory), StoreCode::RecordNotFound);
    EXPECT_EQ(cat.error().text, "Record Not Found");

    auto& sch = store().SCH;
    ASSERT_EQ(addTask(sch, task(1, "b", "x", 1, 1)), 0);
    ASSERT_EQ(addTask(sch, task(2, "A", "y", 1, 1)), 0);
    ASSERT_EQ(addTask(sch, task(3, "a", "X", 1, 1)), 0);
    EXPECT_EQ(order(ScheduleKey::KeyCategory), (std::vector<int>{3, 2, 1}));
    ASSERT_EQ(addTask(sch, task(3, "c", "z", 1, 1)), StoreCode::DuplicateKey);
}

TEST_P(KeyOrderTest, AnEmptyToDoItemIsListedInEveryToDoOrder) {
    ASSERT_EQ(store().TDO.open(), 0);
    auto& tdo = store().TDO;
    tdo.buffer() = ToDoRecord{0, 0, QString()};
    ASSERT_EQ(tdo.add(), 0);
    tdo.buffer() = ToDoRecord{1, 3, "call"};
    ASSERT_EQ(tdo.add(), 0);
    for (ToDoKey key : {ToDoKey::KeyDone, ToDoKey::KeyPriority, ToDoKey::KeyToDo}) {
        tdo.setStart(key);
        ASSERT_EQ(tdo.next(), 0);
        EXPECT_EQ(tdo.buffer(), (ToDoRecord{0, 0, QString()}));
        ASSERT_EQ(tdo.next(), 0);
        EXPECT_EQ(tdo.next(), StoreCode::NoRecord);
    }
}

TEST_P(KeyOrderTest, PositioningAtAPrefixFindsTheLowestAndEqualValuesComeInRecordOrder) {
    auto& sch = store().SCH;
    for (int id = 1; id <= 6; ++id) {
        const QString category = id % 2 ? QStringLiteral("Work") : QStringLiteral("Home");
        ASSERT_EQ(addTask(sch, task(id, category, "same", 10, 10)), 0);
    }
    sch.clearBuffer();
    sch.buffer().Category = "WORK";
    sch.setAt(ScheduleKey::KeyCategory, 1);
    EXPECT_EQ(readForward(sch), (std::vector<int>{1, 3, 5}));
    sch.buffer().Category = "Work";
    sch.setAt(ScheduleKey::KeyCategory, 1);
    EXPECT_EQ(readBackward(sch), (std::vector<int>{6, 4, 2})); // nothing of Work is <= (Work, "")
    sch.buffer().Category = "Work";
    sch.buffer().Description = "same";
    sch.setAt(ScheduleKey::KeyCategory);
    EXPECT_EQ(readBackward(sch), (std::vector<int>{5, 3, 1, 6, 4, 2}));
    sch.setEnd(ScheduleKey::KeyID);
    ASSERT_EQ(sch.previous(), 0);
    EXPECT_EQ(sch.buffer().ID, 6);
    sch.setStart(ScheduleKey::KeyID);
    EXPECT_EQ(sch.previous(), StoreCode::NoRecord);
    sch.setEnd(ScheduleKey::KeyID);
    EXPECT_EQ(sch.next(), StoreCode::NoRecord);
}

TEST_P(KeyOrderTest, LongReadsCrossPagesInBothDirectionsAndCanTurnAround) {
    auto& sch = store().SCH;
    std::vector<std::tuple<int, int, int>> expected; // date, time, id
    for (int id = 1; id <= 230; ++id) {
        const int date = 1000 + (id * 37) % 50;
        const int time = (id * 11) % 3; // many equal dates and times
        ASSERT_EQ(addTask(sch, task(id, "", "t", date, time + 1)), 0);
        expected.emplace_back(date, time + 1, id);
    }
    std::sort(expected.begin(), expected.end());
    std::vector<int> ids;
    for (const auto& e : expected) {
        ids.push_back(std::get<2>(e));
    }
    EXPECT_EQ(order(ScheduleKey::KeyDate), ids);
    sch.setEnd(ScheduleKey::KeyDate);
    std::vector<int> reversed(ids.rbegin(), ids.rend());
    EXPECT_EQ(readBackward(sch), reversed);

    sch.setStart(ScheduleKey::KeyDate);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(sch.next(), 0);
    }
    EXPECT_EQ(sch.buffer().ID, ids[99]);
    ASSERT_EQ(sch.previous(), 0);
    EXPECT_EQ(sch.buffer().ID, ids[98]);
    ASSERT_EQ(sch.next(), 0);
    EXPECT_EQ(sch.buffer().ID, ids[99]);
}

TEST_P(KeyOrderTest, ReadingOnSeesWhatAnotherStationWroteMeanwhile) {
    auto& sch = store().SCH;
    for (int id = 1; id <= 10; ++id) {
        ASSERT_EQ(addTask(sch, task(id, "", "t", 100 + id, 1)), 0);
    }
    sch.setStart(ScheduleKey::KeyDate);
    ASSERT_EQ(sch.next(), 0);
    ASSERT_EQ(sch.next(), 0); // a page is read ahead now
    EXPECT_EQ(sch.buffer().ID, 2);

    ScriptedUi otherUi;
    auto station = anotherStation(otherUi);
    Store& other = *station;
    ASSERT_EQ(other.SCH.open(), 0);
    other.SCH.buffer().ID = 3;
    ASSERT_EQ(other.SCH.fetch(ScheduleKey::KeyID), 0);
    other.SCH.buffer().Date = 999;
    ASSERT_EQ(other.SCH.put(), 0);
    other.SCH.buffer().ID = 4;
    ASSERT_EQ(other.SCH.fetch(ScheduleKey::KeyID), 0);
    ASSERT_EQ(other.SCH.erase(), 0);

    EXPECT_EQ(readForward(sch), (std::vector<int>{5, 6, 7, 8, 9, 10, 3}));
}

TEST_P(KeyOrderTest, TheAliasViewHasItsOwnBufferAndPositionAndSeesTheOthersWrites) {
    auto& sch = store().SCH;
    auto& sch1 = store().SCH1;
    ASSERT_EQ(sch1.open(), 0);
    for (int id = 1; id <= 3; ++id) {
        ASSERT_EQ(addTask(sch, task(id, "", "t", 10 + id, 1)), 0);
    }
    sch.setStart(ScheduleKey::KeyID);
    ASSERT_EQ(sch.next(), 0);
    sch1.setStart(ScheduleKey::KeyDateEnabled);
    ASSERT_EQ(sch1.next(), 0);
    ASSERT_EQ(sch1.next(), 0);
    EXPECT_EQ(sch.buffer().ID, 1);
    EXPECT_EQ(sch1.buffer().ID, 2);
    sch1.buffer().Date = 5;
    ASSERT_EQ(sch1.put(), 0);
    ASSERT_EQ(sch.next(), 0);
    EXPECT_EQ(sch.buffer().ID, 2);
    EXPECT_EQ(sch.buffer().Date, 5);
}

TEST_P(KeyOrderTest, PositionsReadTheSameRecordAgainUntilItIsGone) {
    auto& sch = store().SCH;
    ASSERT_EQ(addTask(sch, task(1, "", "a", 1, 1)), 0);
    ASSERT_EQ(addTask(sch, task(2, "", "b", 2, 1)), 0);
    const QString position = sch.position();
    EXPECT_EQ(position, "2");
    sch.setStart(ScheduleKey::KeyID);
    ASSERT_EQ(sch.next(), 0);
    ASSERT_EQ(sch.reget(position), 0);
    EXPECT_EQ(sch.buffer().Description, "b");
    ASSERT_EQ(sch.erase(), 0);
    EXPECT_EQ(sch.position(), "");
    EXPECT_EQ(sch.put(), StoreCode::NoRecord);
    EXPECT_EQ(sch.reget(position), StoreCode::RecordNotFound);
    EXPECT_EQ(sch.reget("junk"), StoreCode::RecordNotFound);
    // Reading on after a delete continues behind the deleted record.
    sch.setStart(ScheduleKey::KeyID);
    ASSERT_EQ(sch.next(), 0);
    ASSERT_EQ(addTask(sch, task(3, "", "c", 3, 1)), 0);
    ASSERT_EQ(sch.reget("1"), 0);
    ASSERT_EQ(sch.erase(), 0);
    ASSERT_EQ(sch.next(), 0);
    EXPECT_EQ(sch.buffer().ID, 3);
}

// Every read of every key goes through the key's index, without sorting.
TEST_P(KeyOrderTest, EveryKeyOrderIsReadThroughItsIndex) {
    if (GetParam() == Backend::Server) {
        GTEST_SKIP() << "reads the file engine's query plans";
    }
    ASSERT_EQ(store().HIS.open(), 0);
    ASSERT_EQ(store().CAT.open(), 0);
    ASSERT_EQ(store().TDO.open(), 0);
    ASSERT_EQ(store().SCR.open(), 0);
    Connection connection(dataFile());
    StoreError error;
    ASSERT_EQ(connection.open(false, error), 0);
    for (const TableDef* table :
         {&TableDef::schedule(), &TableDef::history(), &TableDef::categories(), &TableDef::toDo(),
          &TableDef::scripting()}) {
        TableCursor cursor(connection, *table);
        for (int key = 0; key < int(table->keys.size()); ++key) {
            for (int direction : {1, -1}) {
                for (auto bound : {TableCursor::Bound::None, TableCursor::Bound::AtValue,
                                   TableCursor::Bound::AfterRecord}) {
                    QVariantList binds;
                    for (int c : table->keys[key].columns) {
                        binds << (table->isText(c) ? QVariant("m") : QVariant(5));
                    }
                    if (bound == TableCursor::Bound::None) {
                        binds.clear();
                    }
                    if (bound == TableCursor::Bound::AfterRecord) {
                        binds << 7;
                    }
                    binds << 50;
                    std::vector<Connection::Row> plan;
                    const QString sql = cursor.readSql(key, direction, bound);
                    ASSERT_EQ(connection.exec("EXPLAIN QUERY PLAN " + sql, binds, error, &plan), 0)
                        << error.driverText.toStdString();
                    QString text;
                    for (const auto& r : plan) {
                        text += r.value(3).toString() + "\n";
                    }
                    EXPECT_TRUE(text.contains("INDEX " + table->indexName(key)))
                        << sql.toStdString() << "\n"
                        << text.toStdString();
                    EXPECT_FALSE(text.contains("TEMP B-TREE")) << sql.toStdString();
                    if (bound != TableCursor::Bound::None) {
                        EXPECT_TRUE(text.contains("SEARCH"))
                            << sql.toStdString() << text.toStdString();
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, KeyOrderTest, ::testing::Values(Backend::File, Backend::Server),
                         backendName);

} // namespace
} // namespace velatask
