#include "EngineFixture.h"

#include "scheduler/HistoryExpiry.h"
#include "store/Transaction.h"

using namespace velatask;

namespace {

class HistoryExpiryTest : public EngineFixture {
protected:
    std::int32_t add(std::int32_t daysAgo, int disabled, int completed) {
        ScheduleRecord r;
        r.TaskType = QStringLiteral("Display Message");
        r.ScheduleType = QStringLiteral("Once");
        r.Date = clock.today() - daysAgo;
        r.Time = Time::fromHms(9, 0);
        r.Disabled = std::uint8_t(disabled);
        r.Completed = std::uint8_t(completed);
        return addTask(r);
    }
};

} // namespace

TEST_F(HistoryExpiryTest, RemovesCopiesOlderThanTheLimitOncePerDay) {
    setNow(1999, 3, 1, 0, 0, 1);
    settings.historyExpires = 30;
    const std::int32_t old = add(31, 1, 1);
    const std::int32_t limit = add(30, 1, 1);
    const std::int32_t disabled = add(40, 1, 0);
    const std::int32_t enabled = add(40, 0, 1);
    HistoryExpiry(ctx);
    EXPECT_FALSE(task(old));
    EXPECT_TRUE(task(limit)) << "exactly 30 days old stays until tomorrow";
    EXPECT_TRUE(task(disabled)) << "not completed";
    EXPECT_TRUE(task(enabled)) << "enabled tasks are never expired";

    settings.removeUncompleted = true;
    HistoryExpiry(ctx);
    EXPECT_TRUE(task(disabled)) << "already ran today";

    clock.advance(Time::kDay);
    HistoryExpiry(ctx);
    EXPECT_FALSE(task(limit));
    EXPECT_FALSE(task(disabled));
    EXPECT_TRUE(task(enabled));
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(HistoryExpiryTest, NeverWhenTheLimitIsZero) {
    setNow(1999, 3, 1, 12, 0);
    const std::int32_t ancient = add(3000, 1, 1);
    HistoryExpiry(ctx);
    EXPECT_TRUE(task(ancient));
}

TEST_F(HistoryExpiryTest, RemovesManyConsecutiveCopies) {
    setNow(1999, 3, 1, 12, 0);
    settings.historyExpires = 1;
    for (int i = 0; i < 120; ++i) {
        add(2 + i % 7, 1, 1);
    }
    const std::int32_t keep = add(0, 1, 1);
    HistoryExpiry(ctx);
    HistoryExpiry(ctx); // the next tick removes the rest
    const auto left = allTasks();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].ID, keep);
}

// A large backlog is removed a slice per tick, disabled tasks with their steps.
TEST_F(HistoryExpiryTest, ABacklogIsSpreadOverTicks) {
    setNow(1999, 3, 1, 12, 0);
    settings.historyExpires = 1;
    settings.removeUncompleted = true;
    {
        Transaction tx(*store);
        ASSERT_EQ(tx.begin(), 0);
        for (int i = 0; i < 250; ++i) {
            addStep(add(2 + i % 7, 1, i % 2), 1, "Wait");
        }
        ASSERT_EQ(tx.commit(), 0);
    }
    const std::int32_t keep = add(0, 1, 1);
    std::vector<size_t> left;
    for (int tick = 0; tick < 4; ++tick) {
        HistoryExpiry(ctx);
        left.push_back(allTasks().size());
    }
    EXPECT_EQ(left, (std::vector<size_t>{151, 51, 1, 1}));
    EXPECT_EQ(allTasks().front().ID, keep);
    store->SCR.setStart(ScriptingKey::KeyID);
    EXPECT_EQ(store->SCR.next(), StoreCode::NoRecord);
    EXPECT_TRUE(ui.boxes().empty());
}
