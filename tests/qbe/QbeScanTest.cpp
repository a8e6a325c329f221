// The scan: the store's filter, the tests in memory and the key stretches give the same records.
#include "QbeFixture.h"

#include "core/Date.h"
#include "qbe/CriteriaFilter.h"
#include "qbe/MatchTest.h"
#include "qbe/QbeScan.h"
#include "store/Transaction.h"

#include <map>
#include <random>
#include <set>

namespace velatask {
namespace {

const std::int32_t kFirstDay = Date::fromYmd(1998, 11, 1);

struct Field {
    QString name;
    FieldKind kind;
};

const std::vector<Field> kFields{
    {"TaskType", FieldKind::Option},    {"Category", FieldKind::Option},
    {"Description", FieldKind::String}, {"Message", FieldKind::Text},
    {"Every", FieldKind::Number},       {"Date", FieldKind::Date},
    {"Time", FieldKind::Date},          {"Disabled", FieldKind::Check},
    {"Alarm", FieldKind::Check},
};

std::vector<KeyOrder> scheduleKeys() {
    auto key = [](const QString& field, ScheduleKey k) {
        return KeyOrder{field, [k](WindowCursor& c) { return c.setOrder(k); }};
    };
    return {key("Date", ScheduleKey::KeyDate), key("Category", ScheduleKey::KeyCategory),
            key("Description", ScheduleKey::KeyTaskName), key("TaskType", ScheduleKey::KeyTaskType),
            key("Disabled", ScheduleKey::KeyDateEnabled)};
}

class QbeScanTest : public QbeFixture {
protected:
    void addTasks(const std::vector<ScheduleRecord>& tasks) {
        Transaction tx(store());
        ASSERT_EQ(tx.begin(), 0);
        for (const ScheduleRecord& r : tasks) {
            ASSERT_EQ(addTask(store().SCH, r), 0);
            m_tasks[store().SCH.pointer()] = r;
        }
        ASSERT_EQ(tx.commit(), 0);
    }

    // The matching records' positions by the tests in memory.
    std::set<std::int64_t> inMemory(const std::vector<Criterion>& criteria) const {
        std::set<std::int64_t> out;
        for (const auto& [position, r] : m_tasks) {
            bool all = true;
            for (const Criterion& c : criteria) {
                all = all && MatchTest::matches(c, fieldOf(r, c.field));
            }
            if (all) {
                out.insert(position);
            }
        }
        return out;
    }

    std::set<std::int64_t> byFilter(const std::vector<Criterion>& criteria) {
        WindowCursor cursor(store(), ScheduleKey::KeyID);
        cursor.setRecordOrder();
        EXPECT_EQ(cursor.setFilter(CriteriaFilter::of(criteria)), 0);
        WindowCursor::Page page;
        EXPECT_EQ(cursor.first(int(m_tasks.size()) + 1, page), 0);
        std::set<std::int64_t> out;
        for (const WindowCursor::Row& r : page) {
            out.insert(r.position);
        }
        return out;
    }

    // Positions in the order the scan found them, read in slices of `rows`.
    std::vector<std::int64_t> scan(QbeScan& scan, int rows = 7) {
        std::vector<std::int64_t> found;
        EXPECT_EQ(scan.start(), 0);
        for (int guard = 0; !scan.atEnd() && guard < 100000; ++guard) {
            EXPECT_EQ(scan.read(rows, found), 0);
        }
        EXPECT_TRUE(scan.atEnd());
        return found;
    }

    std::map<std::int64_t, ScheduleRecord> m_tasks;
};

// Values chosen to meet the awkward cases: case, leading blanks, letters whose capitals are
// longer or plain ASCII ("ß", "ﬁ", "ı"), characters between the capitals and small letters.
const QStringList kWords{"Work",  "work",  " Work",  "Home",  "Straße", "STRASSE",
                         "Ärger", "ärger", "_x",     "Zed",   "ﬁle",    "FILE",
                         "ıt",    "IT",    "Report", "  rep", "zoo",    "Backup"};

ScheduleRecord randomTask(std::mt19937& random, std::int32_t id) {
    auto pick = [&](const QStringList& list) { return list[int(random() % list.size())]; };
    ScheduleRecord r;
    r.ID = id;
    r.TaskType = pick({"Run Program", "Display Message", "Both", "None", "both", " None"});
    r.Category = random() % 5 == 0 ? QString() : pick(kWords);
    r.Description = random() % 6 == 0 ? QString() : pick(kWords) + " " + pick(kWords);
    r.Message = pick(kWords) + "\n" + pick(kWords);
    r.ScheduleType = "Once";
    r.Every = std::int32_t(random() % 12);
    r.Date = random() % 8 == 0 ? 0 : kFirstDay + std::int32_t(random() % 900);
    r.Time = random() % 8 == 0 ? 0 : std::int32_t(random() % 8640000) + 1;
    r.Disabled = std::uint8_t(random() % 2);
    r.Alarm = std::uint8_t(random() % 2);
    return r;
}

// An example drawn from a task's value (in other letter case, or a part of it), or made up.
QVariant randomExample(std::mt19937& random, const Field& f, const ScheduleRecord& from) {
    const QVariant v = QbeFixture::fieldOf(from, f.name);
    if (!FieldKinds::isText(f.kind)) {
        const qlonglong n = v.toLongLong();
        switch (random() % 4) {
        case 0:
            return n;
        case 1:
            return n + qlonglong(random() % 60) - 30;
        case 2:
            return qlonglong(random() % 3);
        default:
            return qlonglong(kFirstDay + std::int32_t(random() % 900));
        }
    }
    QString text = v.toString();
    switch (random() % 5) {
    case 0:
        return text.toLower();
    case 1:
        return text.toUpper();
    case 2:
        return text.mid(0, int(random() % 4) + 1);
    case 3:
        return text.right(int(random() % 3) + 1);
    default:
        return kWords[int(random() % kWords.size())];
    }
}

TEST_F(QbeScanTest, FilterTestsInMemoryAndKeyStretchesFindTheSameRecords) {
    std::mt19937 random(20240613);
    std::vector<ScheduleRecord> tasks;
    for (int i = 1; i <= 300; ++i) {
        tasks.push_back(randomTask(random, i));
    }
    addTasks(tasks);
    WindowCursor cursor(store(), ScheduleKey::KeyID);
    int narrowed = 0;
    for (int query = 0; query < 150; ++query) {
        std::vector<Criterion> criteria;
        const int n = 1 + int(random() % 2);
        for (int i = 0; i < n; ++i) {
            const Field& f = kFields[random() % kFields.size()];
            const std::vector<MatchType> types = FieldKinds::offered(f.kind);
            Criterion c{f.name, f.kind, types[1 + random() % (types.size() - 1)], {}, {}};
            c.value = randomExample(random, f, tasks[random() % tasks.size()]);
            c.upper = randomExample(random, f, tasks[random() % tasks.size()]);
            criteria.push_back(c);
        }
        QString trace;
        for (const Criterion& c : criteria) {
            trace += QStringLiteral("[%1 %2 '%3' '%4'] ")
                         .arg(c.field, MatchTypes::dialogText(c.type), c.value.toString(),
                              c.upper.toString());
        }
        SCOPED_TRACE(trace.toStdString());
        const std::set<std::int64_t> expected = inMemory(criteria);
        EXPECT_EQ(byFilter(criteria), expected);
        QbeScan narrowing(cursor, criteria, scheduleKeys());
        narrowing.setNarrowShare(1.0); // a stretch whenever a key allows one
        const std::vector<std::int64_t> found = scan(narrowing);
        EXPECT_EQ(std::set<std::int64_t>(found.begin(), found.end()), expected);
        EXPECT_EQ(found.size(), expected.size()); // none twice
        narrowed += narrowing.narrowingKey() >= 0 ? 1 : 0;
        QbeScan table(cursor, criteria);
        const std::vector<std::int64_t> read = scan(table);
        EXPECT_EQ(std::set<std::int64_t>(read.begin(), read.end()), expected);
    }
    EXPECT_GT(narrowed, 30); // the stretches were tried often enough to count
}

TEST_F(QbeScanTest, ADateRangeReadsOnlyTheTasksInTheRange) {
    std::mt19937 random(7);
    std::vector<ScheduleRecord> tasks;
    for (int i = 1; i <= 3000; ++i) {
        tasks.push_back(randomTask(random, i));
    }
    addTasks(tasks);
    const std::vector<Criterion> criteria{
        {"Date", FieldKind::Date, MatchType::InsideRange, kFirstDay + 100, kFirstDay + 130},
        {"Category", FieldKind::Option, MatchType::Equals, "work", {}}};
    std::int64_t inRange = 0;
    for (const ScheduleRecord& r : tasks) {
        inRange += r.Date >= kFirstDay + 100 && r.Date <= kFirstDay + 130 ? 1 : 0;
    }
    WindowCursor cursor(store(), ScheduleKey::KeyID);
    QbeScan dates(cursor, criteria, scheduleKeys());
    const std::vector<std::int64_t> found = scan(dates, 50);
    EXPECT_EQ(dates.narrowingKey(), 0); // KeyDate
    EXPECT_EQ(dates.rowsVisited(), inRange);
    EXPECT_EQ(std::set<std::int64_t>(found.begin(), found.end()), inMemory(criteria));
    EXPECT_FALSE(found.empty());

    // Most of the table: read in record order with the store's filter instead.
    const std::vector<Criterion> wide{
        {"Date", FieldKind::Date, MatchType::MoreThan, kFirstDay + 10, {}}};
    QbeScan table(cursor, wide, scheduleKeys());
    const std::vector<std::int64_t> all = scan(table, 100);
    EXPECT_EQ(table.narrowingKey(), -1);
    EXPECT_EQ(std::set<std::int64_t>(all.begin(), all.end()), inMemory(wide));
}

TEST_F(QbeScanTest, FindsMatchesOneAtATimeToTheEnd) {
    std::vector<ScheduleRecord> tasks;
    for (int i = 1; i <= 40; ++i) {
        tasks.push_back(task(i, i % 3 == 0 ? "Work" : "Home", QStringLiteral("Task %1").arg(i),
                             kFirstDay + i, 100));
    }
    addTasks(tasks);
    const std::vector<Criterion> criteria{
        {"Category", FieldKind::Option, MatchType::Equals, "WORK", {}}};
    WindowCursor cursor(store(), ScheduleKey::KeyID);
    for (double share : {1.0, 0.0}) { // through KeyCategory, then the table
        QbeScan scan(cursor, criteria, scheduleKeys());
        scan.setNarrowShare(share);
        ASSERT_EQ(scan.start(), 0);
        std::vector<std::int64_t> found;
        while (true) {
            const size_t before = found.size();
            ASSERT_EQ(scan.read(1000, found, int(before) + 1), 0);
            if (found.size() == before) {
                break;
            }
            EXPECT_EQ(m_tasks[found.back()].Category, "Work");
        }
        EXPECT_TRUE(scan.atEnd());
        EXPECT_EQ(scan.percent(), 100);
        EXPECT_EQ(found.size(), 13u);
        EXPECT_EQ(std::set<std::int64_t>(found.begin(), found.end()).size(), 13u);
    }
}

} // namespace
} // namespace velatask
