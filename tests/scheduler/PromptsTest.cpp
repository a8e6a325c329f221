#include "EngineFixture.h"

#include "scheduler/Prompts.h"

using namespace velatask;

namespace {

class PromptsTest : public EngineFixture {
protected:
    ScheduleRecord make(const char* taskType, std::int32_t date) {
        ScheduleRecord r;
        r.TaskType = QString::fromLatin1(taskType);
        r.ScheduleType = QStringLiteral("Monthly");
        r.Description = QStringLiteral("Pay rent   ");
        r.Date = date;
        r.Time = Time::fromHms(23, 0);
        r.Command = QStringLiteral("bank");
        r.Message = QStringLiteral("  Rent is due   ");
        return r;
    }
};

} // namespace

TEST_F(PromptsTest, MissedTaskIsAskedBeforeConfirmation) {
    setNow(1999, 1, 6, 8, 0);
    ScheduleRecord r = make("Run Program", clock.today() - 1);
    r.Warn = 1;
    r.UserSkip = 1;
    bool suppress = false;
    ui.answerNext(Ui::Yes);
    MissedTaskPrompts(ctx, r, suppress);
    ASSERT_EQ(ui.boxes().size(), 1u);
    const MessageBoxSpec& box = ui.boxes()[0];
    EXPECT_EQ(box.text, QStringLiteral("Pay rent was not run.  Run it now?"));
    EXPECT_EQ(box.title, QStringLiteral("Missed Task"));
    EXPECT_EQ(box.icon, Ui::Exclamation);
    EXPECT_EQ(box.buttons, Ui::Yes | Ui::No);
    EXPECT_EQ(box.defaultButton, Ui::No);
    EXPECT_FALSE(suppress);

    MissedTaskPrompts(ctx, r, suppress); // the default answer, No
    EXPECT_TRUE(suppress);
}

TEST_F(PromptsTest, ConfirmationWhenNotMissedOrNotWarning) {
    setNow(1999, 1, 6, 8, 0);
    ScheduleRecord r = make("Run Program", clock.today() - 1);
    r.UserSkip = 1;
    bool suppress = false;
    MissedTaskPrompts(ctx, r, suppress);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Pay rent is due to run.  Run it now?"));
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Confirm Task"));
    EXPECT_TRUE(suppress);

    // A message that was missed is simply shown late.
    ScheduleRecord message = make("Display Message", clock.today() - 3);
    message.Warn = 1;
    suppress = false;
    MissedTaskPrompts(ctx, message, suppress);
    EXPECT_EQ(ui.boxes().size(), 1u);
    EXPECT_FALSE(suppress);

    // Due this morning, run this evening: not missed.
    ScheduleRecord today = make("Both", clock.today());
    today.Warn = 1;
    MissedTaskPrompts(ctx, today, suppress);
    EXPECT_EQ(ui.boxes().size(), 1u);
}

TEST_F(PromptsTest, AdvanceWarningTextsByTaskType) {
    setNow(1999, 1, 6, 12, 0);
    const std::int32_t date = Date::fromYmd(1999, 1, 8);
    struct Case {
        const char* type;
        const char* command;
        QString rest;
    };
    const Case cases[] = {
        {"Display Message", "bank", QStringLiteral("  Rent is due")},
        {"Run Program", "bank", QStringLiteral("Command:  bank")},
        {"Both", "bank", QStringLiteral("Rent is due\rCommand: bank")},
        {"None", "bank", QStringLiteral("Rent is due\rCommand: bank")},
        {"None", "", QStringLiteral("Rent is due")},
    };
    for (const Case& c : cases) {
        ScheduleRecord r = make(c.type, date);
        r.Command = QString::fromLatin1(c.command);
        r.AdvanceWarnDate = clock.today();
        r.AdvanceWarnTime = Time::fromHms(11, 0);
        const std::int32_t id = addTask(r);
        ui.clear();
        AdvanceWarningScan(ctx);
        ASSERT_EQ(ui.boxes().size(), 1u) << c.type;
        EXPECT_EQ(ui.boxes()[0].text, QStringLiteral("Jan 8, 1999 11:00PM\r") + c.rest) << c.type;
        EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Advanced Warning"));
        EXPECT_EQ(ui.boxes()[0].icon, Ui::NoIcon);
        EXPECT_EQ(task(id)->AdvanceWarned, 1);
        ui.clear();
        AdvanceWarningScan(ctx);
        EXPECT_TRUE(ui.boxes().empty()) << "given once";
    }
}

TEST_F(PromptsTest, WarningsWaitForTheirMomentAndOneIsShownPerScan) {
    setNow(1999, 1, 6, 11, 0);
    ScheduleRecord a = make("Run Program", Date::fromYmd(1999, 1, 9));
    a.AdvanceWarnDate = clock.today();
    a.AdvanceWarnTime = Time::fromHms(11, 0);
    addTask(a);
    ScheduleRecord b = a;
    b.AdvanceWarnTime = Time::fromHms(10, 0);
    b.Command = QStringLiteral("earlier");
    addTask(b);
    AdvanceWarningScan(ctx);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_TRUE(ui.boxes()[0].text.endsWith(QStringLiteral("earlier")));
    AdvanceWarningScan(ctx);
    EXPECT_EQ(ui.boxes().size(), 1u) << "11:00 is not past while the clock reads 11:00";
    clock.advance(1);
    AdvanceWarningScan(ctx);
    EXPECT_EQ(ui.boxes().size(), 2u);
}

TEST_F(PromptsTest, SkippedTaskIsMarkedWithoutAWarningAndBlankTypesAreLeft) {
    setNow(1999, 1, 6, 12, 0);
    ScheduleRecord blank = make("Run Program", Date::fromYmd(1999, 1, 9));
    blank.ScheduleType.clear();
    blank.AdvanceWarnDate = clock.today() - 2;
    const std::int32_t blankId = addTask(blank);
    AdvanceWarningScan(ctx);
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(task(blankId)->AdvanceWarned, 0);

    store->SCH.clearBuffer();
    store->SCH.buffer().ID = blankId;
    ASSERT_EQ(store->SCH.fetch(ScheduleKey::KeyID), 0);
    ASSERT_EQ(store->SCH.erase(), 0);
    ScheduleRecord skipped = make("Run Program", Date::fromYmd(1999, 1, 9));
    skipped.SkipNextTime = 1;
    skipped.AdvanceWarnDate = clock.today() - 1;
    const std::int32_t skippedId = addTask(skipped);
    AdvanceWarningScan(ctx);
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(task(skippedId)->AdvanceWarned, 1);
}
