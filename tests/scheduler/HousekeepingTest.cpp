#include "EngineFixture.h"

#include "../store/RawSqlite.h"
#include "scheduler/Housekeeping.h"
#include "scheduler/QueueScript.h"
#include "store/Transaction.h"

#include <algorithm>
#include <vector>

using namespace velatask;

namespace {

class HousekeepingTest : public EngineFixture {
protected:
    std::int32_t add(int disabled, int completed, std::int32_t date = 100) {
        ScheduleRecord r;
        r.TaskType = QStringLiteral("None");
        r.ScheduleType = QStringLiteral("Once");
        r.Date = date;
        r.Time = date ? Time::fromHms(8, 0) : 0;
        r.Disabled = std::uint8_t(disabled);
        r.Completed = std::uint8_t(completed);
        return addTask(r);
    }
};

} // namespace

TEST_F(HousekeepingTest, DisabledAndCompletedTasks) {
    const std::int32_t history = add(1, 1);
    const std::int32_t disabled = add(1, 0);
    const std::int32_t completed = add(0, 1);
    const std::int32_t hidden = add(0, 1, 0); // no date, time or disabled mark: not in the key
    const std::int32_t active = add(0, 0);
    addStep(history, 1, "Wait");
    addStep(completed, 1, "Wait");
    addStep(active, 1, "Wait");

    Housekeeping::clearDisabledTasks(ctx);
    EXPECT_FALSE(task(history));
    EXPECT_FALSE(task(disabled));
    EXPECT_TRUE(task(completed));

    Housekeeping::clearCompletedTasks(ctx);
    EXPECT_FALSE(task(completed));
    EXPECT_TRUE(task(hidden));
    EXPECT_TRUE(task(active));
    EXPECT_TRUE(ui.boxes().empty());

    // A deleted task's steps go with it: a new task given its number starts without them.
    auto hasStep = [&](std::int32_t id) {
        store->SCR.clearBuffer();
        store->SCR.buffer().ID = id;
        store->SCR.buffer().Sequence = 1;
        return store->SCR.fetch(ScriptingKey::KeyID) == 0;
    };
    EXPECT_FALSE(hasStep(history));
    EXPECT_FALSE(hasStep(completed));
    EXPECT_TRUE(hasStep(active));
}

// Many pages of history in several transactions; a record that refuses to go is reported once
// and skipped, and every other one of its page still goes.
TEST_F(HousekeepingTest, ManyPagesAndARecordThatCannotBeDeleted) {
    std::vector<std::int32_t> active;
    std::int32_t refused = 0;
    {
        Transaction tx(*store);
        ASSERT_EQ(tx.begin(), 0);
        for (int i = 0; i < 1200; ++i) {
            const std::int32_t id = add(i % 7 == 0 ? 0 : 1, 1, 100 + i % 50);
            if (i % 7 == 0) {
                active.push_back(id);
            } else if (i == 600) {
                refused = id;
            }
        }
        ASSERT_EQ(tx.commit(), 0);
    }
    {
        RawSqlite raw(dir.filePath(QStringLiteral("SM")));
        ASSERT_TRUE(raw.exec(QStringLiteral("CREATE TRIGGER kept BEFORE DELETE ON Schedule WHEN "
                                            "old.ID = %1 BEGIN SELECT RAISE(ABORT, 'kept'); END")
                                 .arg(refused)));
    }
    Housekeeping::clearDisabledTasks(ctx);
    std::vector<std::int32_t> left;
    for (const ScheduleRecord& r : allTasks()) {
        left.push_back(r.ID);
    }
    std::vector<std::int32_t> expected = active;
    expected.push_back(refused);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    ASSERT_EQ(ui.boxes().size(), 1u);
}

TEST_F(HousekeepingTest, ToDoListAndScriptQueue) {
    ASSERT_EQ(store->TDO.open(), 0);
    for (int i = 0; i < 30; ++i) {
        store->TDO.clearBuffer();
        store->TDO.buffer().Priority = std::uint8_t(i % 3);
        store->TDO.buffer().ToDo = i % 5 ? QStringLiteral("item %1").arg(i) : QString();
        ASSERT_EQ(store->TDO.add(), 0);
    }
    EXPECT_TRUE(Housekeeping::clearToDoList(ctx));
    store->TDO.setStart(ToDoKey::KeyToDo);
    EXPECT_EQ(store->TDO.next(), StoreCode::NoRecord);

    addStep(3, 1, "Wait", "", 60);
    QueueScript(ctx, 3, 0);
    EXPECT_EQ(queue.size(), 1);
    Housekeeping::clearScriptQueue(ctx);
    EXPECT_TRUE(queue.isEmpty());
}
