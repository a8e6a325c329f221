#include "scripting/KeystrokeSender.h"
#include "scripting/EventLoopPause.h"
#include "scripting/KeyPlayback.h"

#include "core/Time.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/RecordingKeyInjector.h"
#include "platform/fake/RecordingPause.h"
#include "support/ManualDeliveryScheduler.h"
#include "support/RecordingKeyPlayer.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

// Chunks and pauses in the order they happen, as one list.
class KeystrokeSenderTest : public ::testing::Test {
protected:
    KeystrokeSenderTest() {
        pause.setListener([this](std::int32_t) { log.append("pause"); });
    }

    QStringList send(const QString& keystrokes) {
        log.clear();
        EXPECT_TRUE(sender.SendKeystrokes(keystrokes));
        return log;
    }

    QStringList log;
    FakeClock clock{36000, Time::fromHms(12, 0)};
    RecordingPause pause{&clock};
    RecordingKeyPlayer player{&log};
    KeystrokeSender sender{player, clock, pause};
};

} // namespace

TEST_F(KeystrokeSenderTest, PlainTextIsOneChunkAfterOnePause) {
    EXPECT_EQ(send("abc"), QStringList({"pause", "text:abc"}));
    EXPECT_EQ(pause.targets(), std::vector<std::int32_t>{Time::fromHms(12, 0) + 50});
    // Trailing blanks of the field are not typed.
    EXPECT_EQ(send(QString("abc").leftJustified(80)), QStringList({"pause", "text:abc"}));
}

TEST_F(KeystrokeSenderTest, EveryChunkHasItsOwnPause) {
    EXPECT_EQ(send("Hello[ENTER]World"),
              QStringList({"pause", "text:Hello", "pause", "key:0x00D", "pause", "text:World"}));
    EXPECT_EQ(send("[CTRLS][ALTF4]"), QStringList({"pause", "key:0x253", "pause", "key:0x473"}));
    // The pauses follow one another on the clock.
    const std::vector<std::int32_t>& t = pause.targets();
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[4] - t[3], 50);
}

TEST_F(KeystrokeSenderTest, NamesInAnyCaseWithTrailingBlanks) {
    EXPECT_EQ(send("[AltB]"), QStringList({"pause", "key:0x442"}));
    EXPECT_EQ(send("[altb]"), QStringList({"pause", "key:0x442"}));
    EXPECT_EQ(send("[altb ]"), QStringList({"pause", "key:0x442"}));
    // Leading blanks stay part of the name, which then is not one.
    EXPECT_EQ(send("[ ENTER]"), QStringList({"pause"}));
}

TEST_F(KeystrokeSenderTest, BracketsThatHoldNoNamePressNothing) {
    EXPECT_EQ(send("[A][PAD5][HOME][]"), QStringList({"pause", "pause", "pause", "pause"}));
    EXPECT_EQ(send("[AKEY][KEYPAD5][HOMEKEY]"),
              QStringList({"pause", "key:0x041", "pause", "key:0x065", "pause", "key:0x024"}));
}

TEST_F(KeystrokeSenderTest, UnclosedBracketIsDroppedAndTheRestTyped) {
    EXPECT_EQ(send("abc[def"), QStringList({"pause", "text:abc", "pause", "pause", "text:def"}));
    EXPECT_EQ(send("abc["), QStringList({"pause", "text:abc", "pause"}));
}

TEST_F(KeystrokeSenderTest, ClosingBracketOutsideANameIsText) {
    EXPECT_EQ(send("x]y"), QStringList({"pause", "text:x]y"}));
}

TEST_F(KeystrokeSenderTest, EveryOpeningBracketOpensAName) {
    // The name looked up is "[ENTER", which does not exist.
    EXPECT_EQ(send("[[ENTER]"), QStringList({"pause"}));
    EXPECT_EQ(send("a[[b]c"), QStringList({"pause", "text:a", "pause", "pause", "text:c"}));
}

TEST_F(KeystrokeSenderTest, BlankStringDoesNothingAndTakesNoTime) {
    EXPECT_TRUE(send(QString(80, QLatin1Char(' '))).isEmpty());
    EXPECT_TRUE(send(QString()).isEmpty());
    EXPECT_EQ(pause.count(), 0);
}

TEST_F(KeystrokeSenderTest, NoPauseInTheLastHalfSecondBeforeMidnight) {
    clock.set(36000, Time::kDay - 50); // the target would be exactly the end of the day
    EXPECT_EQ(send("a[ENTER]"), QStringList({"text:a", "key:0x00D"}));
    clock.set(36000, Time::kDay - 51);
    EXPECT_EQ(send("a"), QStringList({"pause", "text:a"}));
}

TEST_F(KeystrokeSenderTest, StringsAreCutAt255Characters) {
    const QString text = QString(254, QLatin1Char('a')) + "[ENTER]";
    EXPECT_EQ(send(text),
              QStringList({"pause", "text:" + QString(254, QLatin1Char('a')), "pause"}));
}

TEST_F(KeystrokeSenderTest, RefusedChunkDropsTheRest) {
    player.setRefuse(true);
    log.clear();
    EXPECT_FALSE(sender.SendKeystrokes("ab[ENTER]cd"));
    EXPECT_EQ(log, QStringList({"pause", "text:ab"}));
}

TEST(KeystrokeSenderPlayback, KeysArePlayedDuringThePausesThatFollow) {
    // The real chain: the pause lets the delivery run, as the event loop does between chunks.
    FakeClock clock{36000, Time::fromHms(9, 0)};
    RecordingKeyInjector injector;
    ManualDeliveryScheduler scheduler;
    KeyPlayback playback(injector, scheduler);
    RecordingPause pause(&clock);
    std::vector<std::size_t> eventsAtPause;
    pause.setListener([&](std::int32_t) {
        scheduler.runAll();
        eventsAtPause.push_back(injector.events().size());
    });
    KeystrokeSender sender(playback, clock, pause);
    ASSERT_TRUE(sender.SendKeystrokes("a[ENTER]b"));
    EXPECT_EQ(eventsAtPause, (std::vector<std::size_t>{0, 2, 4}));
    EXPECT_TRUE(playback.isPlaying()); // the last chunk is still being played
    scheduler.runAll();
    EXPECT_EQ(injector.events().size(), 6u);
}

namespace {

// A clock that moves on by a step each time the time is read, carrying past midnight.
class SteppingClock : public Clock {
public:
    SteppingClock(std::int32_t today, std::int32_t now, std::int32_t step)
        : m_clock(today, now), m_step(step) {}
    std::int32_t today() const override { return m_clock.today(); }
    std::int32_t now() const override {
        ++m_reads;
        const std::int32_t t = m_clock.now();
        m_clock.advance(m_step);
        return t;
    }
    int reads() const { return m_reads; }

private:
    mutable FakeClock m_clock;
    std::int32_t m_step;
    mutable int m_reads = 0;
};

} // namespace

TEST(EventLoopPause, EndsAtTheTargetAndKeepsEventsFlowing) {
    SteppingClock clock(36000, Time::fromHms(12, 0), 5);
    EventLoopPause pause(clock);
    bool timerRan = false;
    QTimer::singleShot(0, [&timerRan] { timerRan = true; });
    pause.waitUntil(Time::fromHms(12, 0) + 50);
    EXPECT_TRUE(timerRan);
    EXPECT_GE(clock.now(), Time::fromHms(12, 0) + 50);
    EXPECT_LT(clock.reads(), 100);
}

TEST(EventLoopPause, EndsWhenTheClockPassesMidnight) {
    // The target lies just before midnight, but the clock jumps past it into the new day.
    SteppingClock clock(36000, Time::kDay - 60, 40);
    EventLoopPause pause(clock);
    pause.waitUntil(Time::kDay - 10);
    EXPECT_EQ(clock.today(), 36001);
    EXPECT_LT(clock.reads(), 100);
}

TEST(EventLoopPause, TargetAlreadyPassedReturnsAtOnce) {
    SteppingClock clock(36000, Time::fromHms(12, 0), 1);
    EventLoopPause pause(clock);
    pause.waitUntil(Time::fromHms(11, 0));
    EXPECT_LE(clock.reads(), 2);
}
