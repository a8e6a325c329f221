#include "scripting/ScriptQueue.h"

#include "core/Time.h"
#include "platform/fake/FakeClock.h"

#include <gtest/gtest.h>

#include <thread>

using namespace velatask;

namespace {

ScriptStep step(const QString& action, std::int32_t seconds = 0, std::int32_t sequence = 1) {
    ScriptStep s;
    s.ID = 7;
    s.Sequence = sequence;
    s.Action = action;
    s.SecondsToWait = seconds;
    return s;
}

} // namespace

TEST(ScriptQueueEntry, StepsAreDueHalfASecondAfterQueueing) {
    const FakeClock clock(36000, Time::fromHms(9, 0));
    const ScriptQueueEntry e =
        ScriptQueueEntry::queuedNow(step("Send Keystrokes", 30), 4321, clock);
    EXPECT_EQ(e.dueDate, 36000);
    EXPECT_EQ(e.dueTime, Time::fromHms(9, 0) + 50); // seconds are read only for "Wait"
    EXPECT_EQ(e.startResult, 4321u);
    EXPECT_EQ(e.S.Action, "Send Keystrokes");
}

TEST(ScriptQueueEntry, WaitsCountTheirSecondsFromQueueing) {
    const FakeClock clock(36000, Time::fromHms(9, 0));
    EXPECT_EQ(ScriptQueueEntry::queuedNow(step("Wait", 5), 0, clock).dueTime,
              Time::fromHms(9, 0, 5));
    EXPECT_EQ(ScriptQueueEntry::queuedNow(step("Wait   ", 10), 0, clock).dueTime,
              Time::fromHms(9, 0, 10));
    // Only the exact word is a wait.
    EXPECT_EQ(ScriptQueueEntry::queuedNow(step("wait", 10), 0, clock).dueTime,
              Time::fromHms(9, 0) + 50);
    // A zero-second wait is due at once.
    EXPECT_EQ(ScriptQueueEntry::queuedNow(step("Wait", 0), 0, clock).dueTime, Time::fromHms(9, 0));
}

TEST(ScriptQueueEntry, DueMomentsCarryPastMidnight) {
    const FakeClock clock(36000, Time::fromHms(23, 59, 30));
    const ScriptQueueEntry wait = ScriptQueueEntry::queuedNow(step("Wait", 90), 0, clock);
    EXPECT_EQ(wait.dueDate, 36001);
    EXPECT_EQ(wait.dueTime, Time::fromHms(0, 1, 0));

    const FakeClock late(36000, Time::kDay - 20);
    const ScriptQueueEntry keys = ScriptQueueEntry::queuedNow(step("Set Focus"), 0, late);
    EXPECT_EQ(keys.dueDate, 36001);
    EXPECT_EQ(keys.dueTime, 30);

    // Exactly the end of the day stays on the same day.
    const FakeClock edge(36000, Time::kDay - 50);
    EXPECT_EQ(ScriptQueueEntry::queuedNow(step("Set Focus"), 0, edge).dueDate, 36000);

    // The longest wait of the field, and longer ones, land days later without overflowing.
    const ScriptQueueEntry longest = ScriptQueueEntry::queuedNow(step("Wait", 99999), 0, clock);
    EXPECT_EQ(longest.dueDate, 36002);
    EXPECT_EQ(longest.dueTime, Time::fromHms(23, 59, 30) + 9999900 - 2 * Time::kDay);
    const ScriptQueueEntry huge = ScriptQueueEntry::queuedNow(step("Wait", 2000000000), 0, clock);
    EXPECT_GT(huge.dueDate, 36000 + 2000);
    EXPECT_GT(huge.dueTime, 0);
    EXPECT_LE(huge.dueTime, Time::kDay);
}

TEST(ScriptQueueEntry, DueOnlyAfterItsMoment) {
    ScriptQueueEntry e;
    e.dueDate = 36000;
    e.dueTime = 5000;
    EXPECT_FALSE(e.isDue(36000, 5000));
    EXPECT_TRUE(e.isDue(36000, 5001));
    EXPECT_FALSE(e.isDue(35999, 8640000));
    EXPECT_TRUE(e.isDue(36001, 0));
}

TEST(ScriptQueue, FirstInFirstOut) {
    ScriptQueue queue;
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_FALSE(queue.first().has_value());
    ScriptQueueEntry a;
    a.S = step("Wait", 1, 1);
    ScriptQueueEntry b;
    b.S = step("Wait", 1, 2);
    ScriptQueueEntry c;
    c.S = step("Wait", 1, 5);
    queue.append(a);
    queue.append(std::vector<ScriptQueueEntry>{b, c});
    ASSERT_EQ(queue.size(), 3);

    std::vector<std::int32_t> order;
    while (const auto first = queue.first()) {
        order.push_back(first->S.Sequence);
        ASSERT_TRUE(queue.removeFirst(first->serial));
    }
    EXPECT_EQ(order, (std::vector<std::int32_t>{1, 2, 5}));
}

TEST(ScriptQueue, RemovesOnlyTheEntryThatWasExamined) {
    ScriptQueue queue;
    ScriptQueueEntry e;
    e.S = step("Wait");
    queue.append(e);
    const std::uint64_t examined = queue.first()->serial;
    // Cleared and refilled with an equal step while the first one was being performed.
    queue.clear();
    EXPECT_TRUE(queue.isEmpty());
    queue.append(e);
    EXPECT_FALSE(queue.removeFirst(examined));
    EXPECT_EQ(queue.size(), 1);
    EXPECT_FALSE(ScriptQueue().removeFirst(examined));
}

TEST(ScriptQueue, AppendsFromAnotherThreadAreNeitherLostNorInterleaved) {
    ScriptQueue queue;
    constexpr int kScripts = 200;
    std::thread writer([&queue] {
        for (int i = 0; i < kScripts; ++i) {
            std::vector<ScriptQueueEntry> script(3);
            for (int s = 0; s < 3; ++s) {
                script[s].S = step("Wait", 0, s + 1);
                script[s].S.ID = i;
            }
            queue.append(std::move(script));
        }
    });
    std::vector<ScriptQueueEntry> taken;
    while (taken.size() < 3u * kScripts) {
        if (const auto first = queue.first()) {
            ASSERT_TRUE(queue.removeFirst(first->serial));
            taken.push_back(*first);
        } else {
            std::this_thread::yield();
        }
    }
    writer.join();
    EXPECT_TRUE(queue.isEmpty());
    for (std::size_t i = 0; i < taken.size(); ++i) {
        EXPECT_EQ(taken[i].S.ID, static_cast<int>(i / 3));
        EXPECT_EQ(taken[i].S.Sequence, static_cast<int>(i % 3) + 1);
    }
}
