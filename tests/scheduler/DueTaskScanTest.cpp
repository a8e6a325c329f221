#include "EngineFixture.h"

#include "scheduler/DueTaskScan.h"

#include <functional>
#include <vector>

using namespace velatask;

namespace {

ScheduleRecord dailyMessage(const char* description, std::int32_t date, std::int32_t time) {
    ScheduleRecord r;
    r.TaskType = QStringLiteral("Display Message");
    r.ScheduleType = QStringLiteral("Custom");
    r.Every = 1;
    r.EveryType = QStringLiteral("day(s)");
    r.Description = QString::fromLatin1(description);
    r.Message = QString::fromLatin1(description) + QStringLiteral(" message");
    r.Date = date;
    r.Time = time;
    return r;
}

class DueTaskScanTest : public EngineFixture {};

} // namespace

TEST_F(DueTaskScanTest, NoEnabledTaskLeavesJustTheTitle) {
    setNow(1999, 1, 6, 12, 0);
    frame.setCaption(QStringLiteral("something else"));
    DueTaskScan(ctx);
    EXPECT_EQ(frame.caption(), QStringLiteral("Velatask"));

    ScheduleRecord disabled = dailyMessage("Off", clock.today() - 1, Time::fromHms(9, 0));
    disabled.Disabled = 1;
    addTask(disabled);
    ScheduleRecord empty = dailyMessage("No moment", 0, 0); // absent from the key
    addTask(empty);
    frame.iconised = true;
    DueTaskScan(ctx);
    EXPECT_EQ(frame.caption(), QStringLiteral("Velatask"));
    EXPECT_TRUE(messageWindows.opened.isEmpty());
    EXPECT_EQ(allTasks().size(), 2u);
}

TEST_F(DueTaskScanTest, NotDueAtTheExactMomentButOnTheNextTick) {
    setNow(1999, 1, 6, 10, 0);
    addTask(dailyMessage("Ten", clock.today(), Time::fromHms(10, 0)));
    DueTaskScan(ctx);
    EXPECT_TRUE(messageWindows.opened.isEmpty());
    clock.advance(1);
    DueTaskScan(ctx);
    EXPECT_EQ(messageWindows.opened, QStringList{QStringLiteral("Ten message")});
}

TEST_F(DueTaskScanTest, TasksDueTogetherRunOnConsecutiveTicksEarliestFirst) {
    setNow(1999, 1, 6, 9, 0);
    const std::int32_t today = clock.today();
    addTask(dailyMessage("Second", today, Time::fromHms(8, 59, 30)));
    addTask(dailyMessage("Third", today, Time::fromHms(8, 59, 30)));
    addTask(dailyMessage("First", today, Time::fromHms(8, 59, 10)));
    for (int tick = 0; tick < 4; ++tick) {
        DueTaskScan(ctx);
        clock.advance(Time::kSecond);
    }
    EXPECT_EQ(messageWindows.opened,
              (QStringList{QStringLiteral("First message"), QStringLiteral("Second message"),
                           QStringLiteral("Third message")}));
}

TEST_F(DueTaskScanTest, CaptionAndTrayTipShowTheNextTaskWhileIconised) {
    setNow(1999, 1, 6, 8, 0);
    addTask(dailyMessage("Standup", clock.today(), Time::fromHms(9, 5)));
    DueTaskScan(ctx);
    EXPECT_EQ(frame.caption(), QStringLiteral("Velatask"));

    frame.iconised = true;
    settings.noTray = true;
    DueTaskScan(ctx);
    EXPECT_EQ(frame.caption(), QStringLiteral("Velatask - Standup Jan 6, 1999 9:05AM"));

    settings.noTray = false;
    frame.fakeTray().installed = true;
    addTask(dailyMessage(QString(60, QLatin1Char('x')).toLatin1().constData(), clock.today(),
                         Time::fromHms(8, 30)));
    DueTaskScan(ctx);
    EXPECT_EQ(frame.fakeTray().tipText.size(), 63);
    EXPECT_TRUE(frame.caption().startsWith(frame.fakeTray().tipText));
}

TEST_F(DueTaskScanTest, FrameLeavesTheTrayBeforeAlarmAndPrompt) {
    setNow(1999, 1, 6, 9, 0, 1);
    ScheduleRecord r = dailyMessage("Call", clock.today(), Time::fromHms(9, 0));
    r.TaskType = QStringLiteral("Run Program");
    r.Command = QStringLiteral("phone");
    r.UserSkip = 1;
    r.Alarm = 1;
    r.AlarmFile = QStringLiteral("/sounds/ring.wav");
    addTask(r);
    frame.iconised = true;
    frame.visible = false;
    frame.setInTray(true);
    frame.fakeTray().installed = true;
    ui.answerNext(Ui::Yes);
    DueTaskScan(ctx);
    EXPECT_EQ(log, (QStringList{QStringLiteral("un-iconise"), QStringLiteral("tray remove"),
                                QStringLiteral("show"), QStringLiteral("alarm /sounds/ring.wav")}));
    EXPECT_FALSE(frame.inTray());
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Confirm Task"));
    EXPECT_EQ(programs.starts().size(), 1u);
}

TEST_F(DueTaskScanTest, SkippedOccurrenceDoesNothingButMovesOn) {
    setNow(1999, 1, 6, 9, 0, 1);
    ScheduleRecord r = dailyMessage("Skip me", clock.today(), Time::fromHms(9, 0));
    r.TaskType = QStringLiteral("Both");
    r.Command = QStringLiteral("prog");
    r.Alarm = 1;
    r.AlarmFile = QStringLiteral("a.wav");
    r.UserSkip = 1;
    r.SkipNextTime = 1;
    r.LastRunDate = 77;
    const std::int32_t id = addTask(r);
    frame.iconised = true;
    DueTaskScan(ctx);
    EXPECT_TRUE(sound.played().isEmpty());
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_TRUE(messageWindows.opened.isEmpty());
    EXPECT_TRUE(programs.starts().empty());
    EXPECT_TRUE(frame.iconised) << "a skipped task does not restore the frame";

    const auto moved = task(id);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->Date, clock.today() + 1);
    EXPECT_EQ(moved->SkipNextTime, 0);
    EXPECT_EQ(moved->LastRunDate, 77) << "no stamp";
    const auto copy = task(id + 1);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->SkipNextTime, 1);
    EXPECT_EQ(copy->Date, clock.today());
    EXPECT_EQ(copy->Completed, 1);
    EXPECT_EQ(copy->Disabled, 1);
}

TEST_F(DueTaskScanTest, CaptionAndTipAreWrittenOnlyWhenTheirTextChanges) {
    setNow(1999, 1, 6, 8, 0);
    addTask(dailyMessage("Standup", clock.today(), Time::fromHms(9, 5)));
    frame.iconised = true;
    frame.fakeTray().installed = true;
    struct Step {
        const char* what;
        std::function<void()> change;
        int captionWrites;
        int tipWrites;
    };
    const std::vector<Step> steps = {
        {"the first tick", [] {}, 1, 1},
        {"the next tick", [] {}, 0, 0},
        {"an earlier task",
         [&] { addTask(dailyMessage("Coffee", clock.today(), Time::fromHms(8, 30))); }, 1, 1},
        {"the frame restored", [&] { frame.iconised = false; }, 1, 1},
        {"the frame restored, next tick", [] {}, 0, 0},
        {"the scheduler inactive", [&] { settings.schedulerActive = false; }, 1, 0},
        {"the scheduler inactive, next tick", [] {}, 0, 0},
    };
    for (const Step& step : steps) {
        step.change();
        const int captions = frame.captionWrites;
        const int tips = frame.fakeTray().modifies;
        clock.advance(Time::kSecond);
        ticker.tick();
        EXPECT_EQ(frame.captionWrites - captions, step.captionWrites) << step.what;
        EXPECT_EQ(frame.fakeTray().modifies - tips, step.tipWrites) << step.what;
    }
    EXPECT_EQ(frame.caption(), QStringLiteral("Velatask (Inactive)"));
    EXPECT_EQ(frame.fakeTray().tipText, QStringLiteral("Velatask"));
}

TEST_F(DueTaskScanTest, ATaskWrittenBetweenTicksIsSeenOnTheNextTick) {
    // The scan reads nothing while the data file is unchanged: a write through the program's own
    // views and one by another program on the same file must both end that.
    setNow(1999, 1, 6, 9, 0);
    for (const bool otherProgram : {false, true}) {
        DueTaskScan(ctx);
        DueTaskScan(ctx);
        const char* name = otherProgram ? "Another program's" : "Own";
        ScheduleRecord r = dailyMessage(name, clock.today(), Time::fromHms(8, 0));
        if (otherProgram) {
            ScriptedUi otherUi;
            Store other(dir.path(), otherUi);
            ASSERT_EQ(other.SCH.open(), 0);
            other.SCH.buffer() = r;
            other.SCH.buffer().ID = 1000;
            ASSERT_EQ(other.SCH.add(), 0);
        } else {
            addTask(r);
        }
        DueTaskScan(ctx);
        ASSERT_FALSE(messageWindows.opened.isEmpty()) << name;
        EXPECT_EQ(messageWindows.opened.last(), QString::fromLatin1(name) + " message");
    }
}
