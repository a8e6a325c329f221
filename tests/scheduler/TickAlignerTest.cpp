#include "scheduler/TickAligner.h"
#include "core/Date.h"
#include "core/Time.h"
#include "platform/fake/FakeClock.h"

#include <gtest/gtest.h>

#include <vector>

using namespace velatask;

namespace {

// The wall clock starts at 12:00:00.400 on some day; ticks are named by their whole second
// counted from 12:00:00.
constexpr std::int64_t kStartInto = 400;

struct Tick {
    std::int64_t second;
    std::int64_t into; // milliseconds after the whole second
};

// A setting of the wall clock, `steadyAt` milliseconds after the start.
struct Setting {
    std::int64_t steadyAt = -1;
    std::int64_t by = 0;
    // Whether the setting wakes the timer at once, as the kernel's notice does.
    bool notified = true;
};

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b < 0 ? 1 : 0);
}

// Runs the aligner as the timer driver does, with a fake clock, for `forMs` milliseconds of
// steady time: sleeps for the delay asked, the timer firing `lateMs` after it, and records each
// tick.
std::vector<Tick> run(std::int64_t forMs, Setting setting = {}, int lateMs = 0) {
    FakeClock clock(Date::fromYmd(2024, 3, 5), Time::fromHms(12, 0));
    clock.jumpMsecs(kStartInto);
    const std::int64_t noon = clock.wallMsecs() - kStartInto;
    TickAligner aligner(clock);
    std::vector<Tick> ticks;
    auto wake = [&] {
        const TickAligner::Wake w = aligner.wake();
        EXPECT_GT(w.delayMs, 0);
        EXPECT_LE(w.delayMs, 1000 + TickAligner::kTargetMs);
        if (w.tick) {
            const std::int64_t wall = clock.wallMsecs() - noon;
            ticks.push_back({floorDiv(wall, 1000), wall - floorDiv(wall, 1000) * 1000});
        }
        return clock.steadyMsecs() + w.delayMs + lateMs;
    };
    std::int64_t wakeAt = wake();
    bool setDone = setting.steadyAt < 0;
    for (;;) {
        if (!setDone && setting.steadyAt <= wakeAt && setting.steadyAt <= forMs) {
            clock.advanceMsecs(setting.steadyAt - clock.steadyMsecs());
            clock.jumpMsecs(setting.by);
            setDone = true;
            if (setting.notified) {
                wakeAt = wake();
            }
            continue;
        }
        if (wakeAt > forMs) {
            return ticks;
        }
        clock.advanceMsecs(wakeAt - clock.steadyMsecs());
        wakeAt = wake();
    }
}

std::vector<std::int64_t> seconds(const std::vector<Tick>& ticks) {
    std::vector<std::int64_t> out;
    for (const Tick& t : ticks) {
        out.push_back(t.second);
    }
    return out;
}

void expectJustAfterTheSecond(const std::vector<Tick>& ticks, int lateMs = 0) {
    for (const Tick& t : ticks) {
        EXPECT_GE(t.into, TickAligner::kEarliestMs) << "tick of second " << t.second;
        EXPECT_LE(t.into, TickAligner::kTargetMs + lateMs) << "tick of second " << t.second;
    }
}

} // namespace

TEST(TickAligner, TicksComeJustAfterEachWholeSecondWithoutDrift) {
    for (const int late : {0, 1, 4}) {
        const std::vector<Tick> ticks = run(60 * 1000, {}, late);
        std::vector<std::int64_t> expected;
        for (std::int64_t s = 1; s <= 60; ++s) {
            expected.push_back(s);
        }
        EXPECT_EQ(seconds(ticks), expected) << "timer late by " << late << " ms";
        expectJustAfterTheSecond(ticks, late);
    }
}

TEST(TickAligner, SettingTheClockReAlignsWithoutLosingOrDoublingATick) {
    struct Case {
        const char* name;
        Setting setting;
        std::vector<std::int64_t> expected;
    };
    // Before each setting the ticks are 1 and 2 (at 615 and 1615 ms of steady time); the
    // setting comes at 1700 ms, when the wall clock reads 2.100, and the run ends at 5200 ms.
    const std::vector<Case> cases = {
        {"forward 2.3 s to 4.400: 3 and 4 are jumped over", {1700, 2300, true}, {1, 2, 5, 6, 7}},
        {"forward into the tick's own window of 4", {1700, 1915, true}, {1, 2, 5, 6, 7}},
        {"forward 2.3 s without notice: the wake-up at 5.315 only re-aligns",
         {1700, 2300, false},
         {1, 2, 6, 7}},
        {"back 0.3 s: second 2 is not ticked again", {1700, -300, true}, {1, 2, 3, 4, 5}},
        {"back 0.3 s without notice", {1700, -300, false}, {1, 2, 3, 4, 5}},
        {"back 1.3 s: seconds 1 and 2 pass again", {1700, -1300, true}, {1, 2, 1, 2, 3, 4}},
        {"back one hour", {1700, -3600 * 1000, true}, {1, 2, -3597, -3596, -3595}},
        {"a night's sleep: the wall clock moved on, the steady clock stood",
         {1700, 8 * 3600 * 1000, false},
         {1, 2, 28804, 28805}},
        {"a time server's small step is no jump", {1700, 20, true}, {1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        const std::vector<Tick> ticks = run(5200, c.setting);
        EXPECT_EQ(seconds(ticks), c.expected) << c.name;
        expectJustAfterTheSecond(ticks);
    }
}

TEST(TickAligner, ALateWakeUpStillTicksAndTheNextIsAlignedAgain) {
    // The timer fires 400 ms late every time (a machine too busy to keep up): each second still
    // gets its tick.
    const std::vector<Tick> ticks = run(4500, {}, 400);
    EXPECT_EQ(seconds(ticks), (std::vector<std::int64_t>{1, 2, 3, 4}));
    for (const Tick& t : ticks) {
        EXPECT_EQ(t.into, TickAligner::kTargetMs + 400);
    }
}

TEST(FakeClock, ReadsLikeTheSystemClockAcrossMidnight) {
    FakeClock clock(100, Time::fromHms(23, 59, 59, 99));
    clock.advanceMsecs(9);
    EXPECT_EQ(clock.now(), Time::fromHms(23, 59, 59, 99));
    clock.advanceMsecs(1);
    EXPECT_EQ(clock.today(), 101);
    EXPECT_EQ(clock.now(), 0) << "exactly midnight reads 0";
    clock.jumpMsecs(-10);
    EXPECT_EQ(clock.today(), 100);
    EXPECT_EQ(clock.wallMsecs(), 101 * Clock::kDayMsecs - 10);
    EXPECT_EQ(clock.steadyMsecs(), 10) << "setting the clock is no time passing";
}
