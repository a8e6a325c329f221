#include "ReportFixture.h"

#include "core/Date.h"
#include "core/Time.h"
#include "report/BriefScheduleReport.h"
#include "report/CategoryListReport.h"
#include "report/ScheduleReport.h"
#include "report/ToDoListReport.h"
#include "store/StandardWarning.h"

using namespace velatask;

namespace {

ScheduleRecord task(const char* description, const char* category, int day, int hour,
                    bool history = false) {
    ScheduleRecord t;
    t.TaskType = QStringLiteral("Display Message");
    t.ScheduleType = QStringLiteral("Once");
    t.Description = QLatin1String(description);
    t.Category = QLatin1String(category);
    t.Date = day ? Date::fromYmd(2024, 3, day) : 0;
    t.Time = hour ? Time::fromHms(hour, 30) : 0;
    t.Disabled = t.Completed = history ? 1 : 0;
    return t;
}

class ReportContentTest : public ReportFixture {
protected:
    void SetUp() override {
        addTask(task("evening", "Work", 3, 20));
        addTask(task("late", "home", 1, 17));
        addTask(task("undated", "Misc", 0, 0));
        addTask(task("early", "", 1, 9));
        addTask(task("", "", 0, 0)); // in no key order but record order
        addTask(task("copy of evening", "Work", 2, 20, true));
    }
};

// A source that fails on its second slice, as a damaged table would.
class FailingSource : public ReportSource {
public:
    bool open() override { return true; }
    int count(std::int64_t& total) override {
        total = 100;
        return 0;
    }
    int read(int count, std::vector<QStringList>& rows) override {
        if (++m_reads > 1) {
            return StoreCode::DriverError;
        }
        rows.assign(std::size_t(count), QStringList{QStringLiteral("row")});
        return 0;
    }
    void close() override { m_closed = true; }
    QString tableName() const override { return QStringLiteral("Schedule"); }

    int m_reads = 0;
    bool m_closed = false;
};

} // namespace

TEST_F(ReportContentTest, EachReportReadsItsOrderAndDateOrdersLeaveOutUndatedTasks) {
    const struct {
        const char* name;
        std::shared_ptr<const Report> report;
        int descriptionSlot;
        QStringList descriptions;
    } cases[] = {
        {"PrintSCH:KeyDate",
         std::make_shared<ScheduleReport>(ScheduleKey::KeyDate),
         ScheduleReport::Description,
         {"early", "late", "copy of evening", "evening"}},
        {"BriefReport",
         std::make_shared<BriefScheduleReport>(),
         BriefScheduleReport::Description,
         {"early", "late", "copy of evening", "evening"}},
        {"PrintSCH:KeyCategory",
         std::make_shared<ScheduleReport>(ScheduleKey::KeyCategory),
         ScheduleReport::Description,
         {"early", "late", "undated", "copy of evening", "evening"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto doc = generate(c.report);
        EXPECT_EQ(column(*doc, c.descriptionSlot), c.descriptions);
    }
    const auto brief = generate(std::make_shared<BriefScheduleReport>());
    EXPECT_EQ(brief->blockValues(0), (QStringList{"1/03/2024", "9:30AM", "", "early"}));
}

TEST_F(ReportContentTest, HistoryCopiesArePrintedWithDisabledTicked) {
    const auto doc = generate(std::make_shared<ScheduleReport>(ScheduleKey::KeyDate));
    EXPECT_EQ(column(*doc, ScheduleReport::Disabled), (QStringList{"", "", "1", ""}));
    const QStringList copy = doc->blockValues(2);
    EXPECT_EQ(copy.value(ScheduleReport::Date), QStringLiteral("Mar 2, 2024"));
    EXPECT_EQ(copy.value(ScheduleReport::Time), QStringLiteral("8:30PM"));
    EXPECT_EQ(copy.size(), int(ScheduleReport::SlotCount));
}

TEST_F(ReportContentTest, ToDoItemsOpenBeforeDoneThenByPriorityAndText) {
    ASSERT_EQ(store.TDO.open(), 0);
    for (const ToDoRecord& item :
         {ToDoRecord{1, 1, "x done"}, ToDoRecord{0, 5, "b"}, ToDoRecord{0, 2, "z"},
          ToDoRecord{1, 0, "a done"}, ToDoRecord{0, 5, "A"}}) {
        store.TDO.buffer() = item;
        ASSERT_EQ(store.TDO.add(), 0);
    }
    store.TDO.close();
    const auto doc = generate(std::make_shared<ToDoListReport>());
    EXPECT_EQ(column(*doc, ToDoListReport::ToDo), (QStringList{"z", "A", "b", "a done", "x done"}));
    EXPECT_EQ(column(*doc, ToDoListReport::Done), (QStringList{"", "", "", "1", "1"}));
    EXPECT_EQ(column(*doc, ToDoListReport::Priority), (QStringList{"2", "5", "5", "0", "1"}));
}

TEST_F(ReportContentTest, CategoriesInNameOrderWithoutRegardToCase) {
    ASSERT_EQ(store.CAT.open(), 0);
    for (const char* name : {"work", "Alpha", "beta"}) {
        store.CAT.buffer().Category = QLatin1String(name);
        ASSERT_EQ(store.CAT.add(), 0);
    }
    store.CAT.close();
    const auto doc = generate(std::make_shared<CategoryListReport>());
    EXPECT_EQ(column(*doc, 0), (QStringList{"Alpha", "beta", "work"}));
}

TEST_F(ReportContentTest, RecordsAreReadTwentyFiveAtATimeWithoutMovingTheSharedBuffer) {
    for (int i = 0; i < 54; ++i) {
        addTask(task("more", "Work", 4, 10));
    }
    ASSERT_EQ(store.SCH.open(), 0);
    store.SCH.setStart(ScheduleKey::KeyDate);
    ASSERT_EQ(store.SCH.next(), 0);
    const QString shown = store.SCH.position();
    store.SCH.buffer().Description = QStringLiteral("being edited in a form");
    int slices = 0;
    const auto doc = generate(std::make_shared<BriefScheduleReport>(), &slices);
    EXPECT_EQ(doc->blockCount(), 58);
    EXPECT_EQ(slices, 3);
    EXPECT_EQ(store.SCH.position(), shown);
    EXPECT_EQ(store.SCH.buffer().Description, QStringLiteral("being edited in a form"));
    store.SCH.close();
}

TEST_F(ReportContentTest, AReadErrorShowsTheStandardWarningAndEndsTheReport) {
    auto source = std::make_unique<FailingSource>();
    FailingSource& failing = *source;
    ReportGenerator generator(store, std::move(source), std::make_shared<BriefScheduleReport>(),
                              PageGeometry());
    ASSERT_TRUE(generator.start());
    EXPECT_TRUE(generator.slice(25));
    EXPECT_EQ(generator.percent(), 25);
    EXPECT_FALSE(generator.slice(25));
    EXPECT_TRUE(generator.failed());
    EXPECT_FALSE(generator.finished());
    EXPECT_TRUE(failing.m_closed);
    ASSERT_EQ(ui.boxes().size(), 1u);
    const MessageBoxSpec expected =
        StandardWarningBox(35, QStringLiteral("Schedule"), QString(), StoreError{},
                           makeStoreError(StoreCode::DriverError));
    EXPECT_EQ(ui.boxes()[0].title, expected.title);
    EXPECT_EQ(ui.boxes()[0].text, expected.text);
}
