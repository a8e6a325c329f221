#include "scripting/ui/ScriptSteps.h"

#include "platform/fake/ScriptedUi.h"
#include "store/Store.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

using namespace velatask;

namespace {

// Steps as (task, sequence) -> keystrokes, which identify each step through its moves.
using Steps = std::map<std::pair<int, int>, QString>;

class ScriptStepsTest : public ::testing::Test {
protected:
    ScriptStepsTest() { EXPECT_EQ(store.SCR.open(), 0); }
    ~ScriptStepsTest() override { store.SCR.close(); }

    void add(const Steps& steps) {
        for (const auto& [key, text] : steps) {
            store.SCR.clearBuffer();
            store.SCR.buffer().ID = key.first;
            store.SCR.buffer().Sequence = key.second;
            store.SCR.buffer().Action = QStringLiteral("Send Keystrokes");
            store.SCR.buffer().Keystrokes = text;
            ASSERT_EQ(store.SCR.add(), 0);
        }
    }
    Steps stored() {
        Steps all;
        store.SCR.setStart(ScriptingKey::KeyID);
        while (store.SCR.next() == 0) {
            all[{store.SCR.buffer().ID, store.SCR.buffer().Sequence}] =
                store.SCR.buffer().Keystrokes;
        }
        return all;
    }

    QTemporaryDir dir;
    ScriptedUi ui;
    Store store{dir.path(), ui};
};

} // namespace

TEST_F(ScriptStepsTest, NewStepsNumberOnFromTheHighestOfTheirTaskOnly) {
    EXPECT_EQ(ScriptSteps(store, 5).nextSequence(), 1) << "no steps at all";
    add({{{4, 3}, "a"}, {{5, 1}, "b"}, {{5, 2}, "c"}, {{5, 7}, "d"}, {{6, 1}, "e"}});
    EXPECT_EQ(ScriptSteps(store, 5).nextSequence(), 8);
    EXPECT_EQ(ScriptSteps(store, 7).nextSequence(), 1) << "only a task below";
    EXPECT_EQ(ScriptSteps(store, 3).nextSequence(), 1) << "only tasks above";

    store.SCR.clearBuffer();
    store.SCR.buffer().Action = QStringLiteral("Wait");
    ASSERT_TRUE(ScriptSteps(store, 5).addNew());
    EXPECT_EQ(store.SCR.buffer().ID, 5);
    EXPECT_EQ(store.SCR.buffer().Sequence, 8);
    EXPECT_EQ(store.SCR.buffer().Action, QStringLiteral("Wait"));
    // A deleted highest step leaves its number free for the next addition.
    ASSERT_EQ(store.SCR.erase(), 0);
    EXPECT_EQ(ScriptSteps(store, 5).nextSequence(), 8);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ScriptStepsTest, MovingSwapsWithTheNeighbourOfTheSameTask) {
    const Steps start = {{{1, 9}, "other task"}, {{2, 1}, "one"},  {{2, 2}, "two"},
                         {{2, 3}, "three"},      {{2, 5}, "five"}, {{3, 1}, "next task"}};
    struct Case {
        const char* name;
        int sequence;
        ScriptSteps::Direction direction;
        bool moved;
        Steps expected;
    };
    const auto up = ScriptSteps::Direction::Up;
    const auto down = ScriptSteps::Direction::Down;
    const Case cases[] = {
        {"up from 2",
         2,
         up,
         true,
         {{{1, 9}, "other task"},
          {{2, 1}, "two"},
          {{2, 2}, "one"},
          {{2, 3}, "three"},
          {{2, 5}, "five"},
          {{3, 1}, "next task"}}},
        {"up from 5 over a gap",
         5,
         up,
         true,
         {{{1, 9}, "other task"},
          {{2, 1}, "one"},
          {{2, 2}, "two"},
          {{2, 4}, "five"},
          {{2, 5}, "three"},
          {{3, 1}, "next task"}}},
        {"down from 3 over a gap",
         3,
         down,
         true,
         {{{1, 9}, "other task"},
          {{2, 1}, "one"},
          {{2, 2}, "two"},
          {{2, 3}, "five"},
          {{2, 4}, "three"},
          {{3, 1}, "next task"}}},
        {"first up", 1, up, false, start},
        {"last down", 5, down, false, start},
        {"no such step", 4, down, false, start},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store.SCR.setStart(ScriptingKey::KeyID);
        while (store.SCR.next() == 0) {
            store.SCR.erase();
        }
        add(start);
        EXPECT_EQ(ScriptSteps(store, 2).move(c.sequence, c.direction), c.moved);
        EXPECT_EQ(stored(), c.expected);
    }
    EXPECT_TRUE(ui.boxes().empty());
}

// The neighbour's parking number is taken by a third step: the move is refused as a whole and no
// step keeps a parking number.
TEST_F(ScriptStepsTest, AFailedWriteLeavesEveryStepWhereItWas) {
    const Steps start = {{{2, 1}, "one"}, {{2, 2}, "two"}, {{2, 999998}, "parked?"}};
    add(start);
    EXPECT_FALSE(ScriptSteps(store, 2).move(2, ScriptSteps::Direction::Up));
    EXPECT_EQ(stored(), start);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Scripting"));
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Unable to move (4): Creates Duplicate Key"));
    EXPECT_FALSE(store.inTransaction());
}

TEST(ScriptStepDetailsTest, ShowsWhatEachActionUses) {
    ScriptingRecord step;
    step.Keystrokes = QStringLiteral("abc[ENTER]");
    step.SecondsToWait = 15;
    step.FocusOnWindow = QStringLiteral("Untitled - *");
    step.DDEApplicationName = QStringLiteral("org.example.App");
    step.DDEApplicationTopic = QStringLiteral("/org/example/App");
    const std::pair<const char*, const char*> cases[] = {
        {"Send Keystrokes", "abc[ENTER]"},
        {"Wait", "15 seconds"},
        {"Set Focus", "Untitled - *"},
        {"DDE (Dynamic Data Exchange)", " org.example.App /org/example/App"},
        {"Close Program", ""},
        {"wait", ""},
    };
    for (const auto& [action, details] : cases) {
        step.Action = QString::fromLatin1(action);
        EXPECT_EQ(ScriptStepDetails(step), QString::fromLatin1(details)) << action;
    }
}
