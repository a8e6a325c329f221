#include "scripting/ScriptRunner.h"
#include "scripting/KeystrokeSender.h"
#include "scripting/ScriptQueue.h"

#include "core/Time.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/fake/RecordingDdeClient.h"
#include "platform/fake/RecordingKeyInjector.h"
#include "platform/fake/RecordingPause.h"
#include "platform/fake/ScriptedUi.h"
#include "support/RecordingKeyPlayer.h"

#include <gtest/gtest.h>

using namespace velatask;

namespace {

constexpr WindowHandle kOwnWindow = 0x1000;

ScriptStep keys(const QString& keystrokes) {
    ScriptStep s;
    s.Action = "Send Keystrokes";
    s.Keystrokes = keystrokes;
    return s;
}
ScriptStep wait(std::int32_t seconds, const QString& window = QString()) {
    ScriptStep s;
    s.Action = "Wait";
    s.SecondsToWait = seconds;
    s.WaitForWindow = window;
    return s;
}
ScriptStep focus(const QString& window) {
    ScriptStep s;
    s.Action = "Set Focus";
    s.FocusOnWindow = window;
    return s;
}
ScriptStep closeProgram() {
    ScriptStep s;
    s.Action = "Close Program";
    return s;
}
ScriptStep dde(const QString& service, const QString& topic, const QString& command) {
    ScriptStep s;
    s.Action = "DDE (Dynamic Data Exchange)";
    s.DDEApplicationName = service;
    s.DDEApplicationTopic = topic;
    s.DDECommand = command;
    return s;
}

class ScriptRunnerTest : public ::testing::Test {
protected:
    ScriptRunnerTest() {
        runner.setOwnWindow(kOwnWindow);
        windows.setWindows({{0x10, "Untitled - Notepad"},
                            {0x20, "Calculator"},
                            {0x30, "Untitled - Paint"},
                            {kOwnWindow, "Velatask"}});
    }

    void queueStep(const ScriptStep& step, std::uint32_t startResult = 0) {
        queue.append(ScriptQueueEntry::queuedNow(step, startResult, clock));
    }
    // One tick of the frame's timer, a second after the last.
    void tick() {
        clock.advance(100);
        runner.RunScriptStep();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            tick();
        }
    }

    FakeClock clock{36000, Time::fromHms(9, 0)};
    ScriptQueue queue;
    ScriptedUi ui;
    FakeWindowSystem windows;
    RecordingDdeClient ddeClient;
    RecordingKeyInjector keyboard;
    QStringList keyLog;
    RecordingKeyPlayer player{&keyLog};
    RecordingPause pause{&clock};
    KeystrokeSender sender{player, clock, pause};
    ScriptRunner runner{{queue, clock, ui, windows, ddeClient, keyboard, sender}};
};

} // namespace

TEST_F(ScriptRunnerTest, StepRunsOnlyOnceItsMomentHasPassed) {
    queueStep(keys("a"));
    runner.RunScriptStep();
    clock.advance(50); // exactly the due time: not yet
    runner.RunScriptStep();
    EXPECT_TRUE(keyLog.isEmpty());
    EXPECT_EQ(queue.size(), 1);
    clock.advance(1);
    runner.RunScriptStep();
    EXPECT_EQ(keyLog, QStringList({"text:a"}));
    EXPECT_TRUE(queue.isEmpty());
    runner.RunScriptStep(); // an empty queue is fine
}

TEST_F(ScriptRunnerTest, OneStepPerTickInQueueOrder) {
    queueStep(keys("one"));
    queueStep(keys("[ENTER]"));
    queueStep(keys("two"));
    tick();
    EXPECT_EQ(keyLog, QStringList({"text:one"}));
    tick();
    tick();
    EXPECT_EQ(keyLog, QStringList({"text:one", "key:0x00D", "text:two"}));
    EXPECT_EQ(pause.count(), 3);
}

TEST_F(ScriptRunnerTest, BlankKeystrokesAreDoneWithoutPause) {
    queueStep(keys(QString(80, QLatin1Char(' '))));
    tick();
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_EQ(pause.count(), 0);
}

TEST_F(ScriptRunnerTest, WaitsCountFromQueueingNotFromThePreviousStep) {
    const std::int32_t start = clock.now();
    queueStep(wait(5));
    queueStep(keys("first"));
    queueStep(wait(10));
    queueStep(keys("second"));
    std::vector<std::int32_t> typedAt;
    pause.setListener([&](std::int32_t) { typedAt.push_back(clock.now() - start); });
    ticks(12);
    EXPECT_TRUE(queue.isEmpty());
    ASSERT_EQ(typedAt.size(), 2u);
    // Ticks come each second (the half-second pause before the first keystrokes shifts the later
    // ones): the wait of 5 s is over on the tick at 6 s and the keystrokes follow at 7 s; the wait
    // of 10 s is over at 10.5 s and the second keystrokes follow at 11.5 s, not 15 s after the
    // first ones.
    EXPECT_EQ(typedAt[0], 7 * 100 + 50);
    EXPECT_EQ(typedAt[1], 11 * 100 + 50 + 50);
}

TEST_F(ScriptRunnerTest, ZeroSecondBlankWaitIsRemovedOnTheFirstTick) {
    queueStep(wait(0));
    queueStep(keys("x"));
    tick();
    EXPECT_EQ(queue.size(), 1);
    tick();
    EXPECT_EQ(keyLog, QStringList({"text:x"}));
}

TEST_F(ScriptRunnerTest, WaitQueuedBeforeMidnightFallsDueOnTheNextDay) {
    clock.set(36000, Time::fromHms(23, 59, 30));
    queueStep(wait(90));
    queueStep(keys("x"));
    clock.set(36000, Time::kDay);
    runner.RunScriptStep();
    clock.set(36001, Time::fromHms(0, 1, 0));
    runner.RunScriptStep();
    EXPECT_EQ(queue.size(), 2);
    clock.set(36001, Time::fromHms(0, 1, 0) + 1);
    runner.RunScriptStep();
    EXPECT_EQ(queue.size(), 1);
}

TEST_F(ScriptRunnerTest, DdeStepOpensExecutesAndCloses) {
    ddeClient.addService("org.example.Editor", 3);
    queueStep(dde(QString("org.example.Editor").leftJustified(80), "",
                  QString("open-file /tmp/x").leftJustified(80)));
    queueStep(dde("org.example.Absent", "Topic", "quit"));
    tick();
    tick();
    EXPECT_EQ(ddeClient.calls(),
              QStringList({"open org.example.Editor|", "execute 3|open-file /tmp/x", "close 3",
                           "open org.example.Absent|Topic"}));
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ScriptRunnerTest, DdeNamesAreCutTo79Characters) {
    const QString full(80, QLatin1Char('s'));
    queueStep(dde(full, full, "c"));
    tick();
    EXPECT_EQ(ddeClient.calls(),
              QStringList({"open " + QString(79, QLatin1Char('s')) + "|" + QString(79, 's')}));
}

TEST_F(ScriptRunnerTest, SetFocusTakesTheFrontMostMatchAndRemembersIt) {
    queueStep(focus("Untitled*"));
    tick();
    EXPECT_EQ(windows.focused(), std::vector<WindowHandle>{0x10});
    EXPECT_EQ(runner.rememberedWindow(), 0x10u);
    EXPECT_TRUE(queue.isEmpty());
}

TEST_F(ScriptRunnerTest, SetFocusWithoutMatchKeepsTheRememberedWindowForClose) {
    queueStep(focus("Calculator"));
    tick();
    // A later script: its focus finds nothing, so its close acts on the earlier window.
    queueStep(focus("No such window"));
    queueStep(closeProgram());
    tick();
    EXPECT_EQ(queue.size(), 1);
    EXPECT_EQ(runner.rememberedWindow(), 0x20u);
    tick();
    EXPECT_EQ(windows.closed(), std::vector<WindowHandle>{0x20});
    EXPECT_EQ(windows.focused(), std::vector<WindowHandle>{0x20});
}

TEST_F(ScriptRunnerTest, CloseWithoutRememberedWindowDoesNothing) {
    queueStep(closeProgram());
    tick();
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_TRUE(windows.closed().empty());
}

TEST_F(ScriptRunnerTest, CloseOfTheSchedulersOwnWindowClosesTheStartedProgram) {
    windows.setProcessWindow(4242, 0x77);
    queueStep(focus("Velatask"), 4242);
    queueStep(closeProgram(), 4242);
    ticks(2);
    EXPECT_EQ(runner.rememberedWindow(), kOwnWindow);
    EXPECT_EQ(windows.closed(), std::vector<WindowHandle>{0x77});
}

TEST_F(ScriptRunnerTest, CloseOfTheOwnWindowNeverClosesItOrAStranger) {
    windows.setProcessWindow(2, 0x99);
    queueStep(focus("Velatask"));
    queueStep(closeProgram(), 2);    // a failed start: no process of ours
    queueStep(closeProgram(), 5000); // a process without a window
    ticks(3);
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_TRUE(windows.closed().empty());
}

TEST_F(ScriptRunnerTest, WaitForAWindowToAppear) {
    queueStep(focus("Calculator"));
    queueStep(wait(0, "Report*"));
    queueStep(keys("x"));
    ticks(2);
    // Each look at the windows forgets the remembered window first.
    EXPECT_EQ(runner.rememberedWindow(), 0u);
    ticks(3);
    EXPECT_EQ(queue.size(), 2);
    EXPECT_EQ(windows.listBuilds(), 1 + 4);

    windows.setWindows({{0x10, "Untitled - Notepad"}, {0x40, "report 1999"}});
    tick();
    EXPECT_EQ(runner.rememberedWindow(), 0x40u);
    EXPECT_EQ(windows.focused().back(), 0x40u);
    EXPECT_EQ(queue.size(), 1);
    tick();
    EXPECT_EQ(keyLog, QStringList({"text:x"}));
}

TEST_F(ScriptRunnerTest, WaitForWindowsToDisappear) {
    queueStep(wait(0, QString("~Untitled - *").leftJustified(80)));
    queueStep(keys("x"));
    ticks(3);
    EXPECT_EQ(queue.size(), 2);
    windows.setWindows({{0x30, "untitled - Paint"}, {0x20, "Calculator"}});
    tick();
    EXPECT_EQ(queue.size(), 2);
    windows.setWindows({{0x20, "Calculator"}, {0x50, "Untitled"}});
    tick();
    EXPECT_EQ(queue.size(), 1);
    EXPECT_TRUE(windows.focused().empty());
    EXPECT_EQ(runner.rememberedWindow(), 0u);
}

TEST_F(ScriptRunnerTest, WaitForAWindowThatNeverOpensHoldsBackEveryLaterStep) {
    queueStep(wait(1, "Never*"));
    queueStep(keys("same task"));
    queueStep(keys("other task"));
    ticks(20);
    EXPECT_TRUE(keyLog.isEmpty());
    EXPECT_EQ(queue.size(), 3);
    queue.clear();
    tick();
    EXPECT_TRUE(keyLog.isEmpty());
}

TEST_F(ScriptRunnerTest, UnknownActionIsReportedAndRemoved) {
    ScriptStep lower = wait(0);
    lower.Action = "wait";
    queueStep(lower);
    ScriptStep blank;
    queueStep(blank);
    queueStep(keys("x"));
    ticks(3);
    ASSERT_EQ(ui.boxes().size(), 2u);
    EXPECT_EQ(ui.boxes()[0].title, "Script Error");
    EXPECT_EQ(ui.boxes()[0].text, "Invalid script option: wait" + QString(23, QLatin1Char(' ')));
    EXPECT_EQ(ui.boxes()[0].buttons, Ui::Ok);
    EXPECT_EQ(ui.boxes()[1].text, "Invalid script option: " + QString(27, QLatin1Char(' ')));
    EXPECT_EQ(keyLog, QStringList({"text:x"}));
    EXPECT_TRUE(queue.isEmpty());
}

TEST_F(ScriptRunnerTest, ActionsIgnoreTrailingBlanksButNotCase) {
    queueStep(keys("a"));
    ScriptStep padded = keys("b");
    padded.Action = QString("Send Keystrokes").leftJustified(27);
    queueStep(padded);
    ScriptStep upper = keys("c");
    upper.Action = "SEND KEYSTROKES";
    queueStep(upper);
    ticks(3);
    EXPECT_EQ(keyLog, QStringList({"text:a", "text:b"}));
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_TRUE(ui.boxes()[0].text.startsWith("Invalid script option: SEND KEYSTROKES"));
}

TEST_F(ScriptRunnerTest, NotEnteredAgainWhileAStepIsInProgress) {
    queueStep(keys("a[ENTER]"));
    queueStep(keys("b"));
    int nested = 0;
    pause.setListener([&](std::int32_t) {
        // The timer fires during the pauses between keystroke chunks.
        EXPECT_TRUE(runner.busy());
        clock.advance(100);
        runner.RunScriptStep();
        ++nested;
    });
    tick();
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(keyLog, QStringList({"text:a", "key:0x00D"}));
    EXPECT_EQ(queue.size(), 1);
    EXPECT_FALSE(runner.busy());
    tick();
    EXPECT_EQ(keyLog.last(), "text:b");
}

TEST_F(ScriptRunnerTest, QueueClearedDuringAStepKeepsWhatWasQueuedAfter) {
    queueStep(keys("a"));
    pause.setListener([&](std::int32_t) {
        queue.clear();
        queueStep(keys("new"));
    });
    tick();
    ASSERT_EQ(queue.size(), 1);
    EXPECT_EQ(queue.first()->S.Keystrokes, "new");
}

TEST_F(ScriptRunnerTest, RefusedKeystrokesAreReported) {
    player.setRefuse(true);
    queueStep(keys("a"));
    tick();
    EXPECT_TRUE(queue.isEmpty());
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].title, "Script Error");
}

TEST_F(ScriptRunnerTest, WithoutDesktopAccessStepsAreSkippedAfterOneMessage) {
    keyboard.setAvailable(false);
    windows.setAvailable(false);
    ddeClient.addService("svc", 1);
    queueStep(keys("a"));
    queueStep(focus("Calculator"));
    queueStep(wait(0, "Never*"));
    queueStep(wait(0, "~Calculator"));
    queueStep(keys("b"));
    queueStep(dde("svc", "", "go"));
    ticks(6);
    EXPECT_TRUE(queue.isEmpty());
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, ScriptRunner::noDesktopAccessText());
    EXPECT_TRUE(keyLog.isEmpty());
    EXPECT_TRUE(windows.focused().empty());
    EXPECT_EQ(windows.listBuilds(), 0);
    EXPECT_EQ(ddeClient.calls().size(), 3); // the application bus is not the display
}

TEST_F(ScriptRunnerTest, MissingWindowAccessAloneStillLetsKeysThrough) {
    windows.setAvailable(false);
    queueStep(closeProgram()); // nothing remembered: no need to reach any window
    queueStep(focus("Calculator"));
    queueStep(keys("a"));
    ticks(3);
    EXPECT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(keyLog, QStringList({"text:a"}));
}

TEST(ReentryGuard, NestedScopeIsRefusedUntilTheOuterOneEnds) {
    ReentryGuard guard;
    {
        const ReentryGuard::Scope outer(guard);
        EXPECT_TRUE(outer.entered());
        {
            const ReentryGuard::Scope inner(guard);
            EXPECT_FALSE(inner.entered());
        }
        // The refused scope must not free the guard on its way out.
        EXPECT_TRUE(guard.busy());
    }
    EXPECT_FALSE(guard.busy());
    const ReentryGuard::Scope again(guard);
    EXPECT_TRUE(again.entered());
}
