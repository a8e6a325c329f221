#include "../support/WaitFor.h"
#include "WindowFixture.h"

#include "../store/RawSqlite.h"
#include "ui/BrowseList.h"
#include "ui/CursorPageSource.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

using namespace velatask;

namespace {

constexpr int kRows = 100000;
constexpr int kPerDay = 40;

// Task i (from 0) falls on day 72000 + i / 40, so the date order is the order of i; its
// category is Home, Work, Birthdays or Backups by i mod 4, its description "task" and i.
const char* const kFill =
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
    "INSERT INTO Schedule (ID, TaskType, Category, Description, ScheduleType, Date, Time, "
    "Disabled, Completed) SELECT i + 1, 'None', "
    "CASE i % 4 WHEN 0 THEN 'Home' WHEN 1 THEN 'Work' WHEN 2 THEN 'Birthdays' ELSE 'Backups' END, "
    "printf('task %06d', i), 'Once', 72000 + i / 40, (i % 40) * 100 + 1, i % 10 <> 0, "
    "i % 10 <> 0 FROM n";

// A hundred thousand tasks, written once for the tests of this file.
class CursorBrowseTest : public WindowFixture {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        ScriptedUi ui;
        Store store(s_dir->path(), ui);
        ASSERT_EQ(store.SCH.open(), 0); // creates the tables
        store.SCH.close();
        RawSqlite raw(QDir(s_dir->path()).filePath(QStringLiteral("SM")));
        ASSERT_TRUE(raw.exec(QString::fromLatin1(kFill))) << raw.lastError().toStdString();
    }
    static void TearDownTestSuite() { delete s_dir; }

    CursorBrowseTest() : data(s_dir->path(), ui), source(data, ScheduleKey::KeyDate) {
        EXPECT_EQ(data.SCH.open(), 0);
        source.cursor().setColumns({QStringLiteral("Description")});
        list = std::make_unique<BrowseList>(
            source, *ListFormat::parse(QStringLiteral("90L|M~Description~@s40@")));
        list->model().setValueColumns({0});
        list->setChangeInterval(10);
        list->resize(300, 20 * list->view()->verticalHeader()->defaultSectionSize() +
                              list->view()->horizontalHeader()->sizeHint().height() + 6);
        list->show();
        EXPECT_TRUE(waitFor([&] { return list->isVisible(); }));
    }
    ~CursorBrowseTest() override {
        list.reset();
        data.SCH.close();
    }

    // The number of the highlighted task.
    int highlighted() const {
        return list->currentRow() ? list->currentRow()->values.at(0).toString().mid(5).toInt() : -1;
    }

    static QTemporaryDir* s_dir;
    Store data;
    CursorPageSource source;
    std::unique_ptr<BrowseList> list;
};

QTemporaryDir* CursorBrowseTest::s_dir = nullptr;

} // namespace

TEST_F(CursorBrowseTest, KeysReachBothEndsAndTheLocatorFindsTheDay) {
    ASSERT_EQ(list->start(), 0);
    const int rows = list->pager().capacity();
    ASSERT_GE(rows, 15);
    EXPECT_EQ(highlighted(), 0);
    QTest::keyClick(list->view(), Qt::Key_End);
    EXPECT_EQ(highlighted(), kRows - 1);
    QTest::keyClick(list->view(), Qt::Key_Home);
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_PageDown);
    EXPECT_EQ(highlighted(), 1 + rows);
    EXPECT_EQ(list->pager().current(), 1);

    // The date is the order's first free component: typing a day number finds its first task.
    QTest::keyClicks(list->view(), QStringLiteral("72500"));
    EXPECT_EQ(highlighted(), 500 * kPerDay);
    list->act([](BrowsePager& p) { return p.jump(0.5); });
    EXPECT_NEAR(highlighted(), kRows / 2, kRows / 20) << "the thumb is close, not exact";
}

TEST_F(CursorBrowseTest, ARangeLocatesOnItsFreeComponent) {
    ASSERT_EQ(source.cursor().setOrder(ScheduleKey::KeyCategory), 0);
    source.cursor().setRange({QStringLiteral("work")});
    list->setLocatorComponent(1);
    ASSERT_EQ(list->start(), 0);
    EXPECT_EQ(highlighted(), 1);
    QTest::keyClicks(list->view(), QStringLiteral("TASK 05"));
    EXPECT_EQ(highlighted(), 50001) << "the first Work task at or after \"task 05\"";
    QTest::keyClick(list->view(), Qt::Key_End);
    EXPECT_EQ(highlighted(), kRows - 3);
}

TEST_F(CursorBrowseTest, ChangesByOthersAreReadWithTheRecordKeptOnItsLine) {
    ASSERT_EQ(list->start(), 0);
    list->locate(QStringLiteral("72300"));
    list->act([](BrowsePager& p) { return p.move(5); });
    const int before = highlighted();
    const int line = list->pager().current();
    {
        ScriptedUi otherUi;
        Store other(s_dir->path(), otherUi);
        ASSERT_EQ(other.SCH.open(), 0);
        other.SCH.clearBuffer();
        other.SCH.buffer().ID = before; // the task just above the highlighted one
        ASSERT_EQ(other.SCH.fetch(ScheduleKey::KeyID), 0);
        other.SCH.buffer().ID = kRows + 1;
        other.SCH.buffer().Description = QStringLiteral("task 999999");
        ASSERT_EQ(other.SCH.add(), 0);
        other.SCH.close();
    }
    ASSERT_TRUE(waitFor([&] {
        const auto& rows = list->pager().rows();
        return std::any_of(rows.begin(), rows.end(), [](const PageSource::Row& r) {
            return r.values.at(0).toString() == QStringLiteral("task 999999");
        });
    }));
    EXPECT_EQ(highlighted(), before);
    EXPECT_EQ(list->pager().current(), line);

    // A form that wrote a record far away: the list shows it on the highlighted line.
    data.SCH.clearBuffer();
    data.SCH.buffer().ID = 77777;
    ASSERT_EQ(data.SCH.fetch(ScheduleKey::KeyID), 0);
    ASSERT_EQ(list->showRecord(data.SCH.pointer()), 0);
    EXPECT_EQ(highlighted(), 77776);
    EXPECT_EQ(list->pager().current(), line);
}
