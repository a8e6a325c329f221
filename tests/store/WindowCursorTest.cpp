#include "store/WindowCursor.h"
#include "RawSqlite.h"
#include "StoreTestBase.h"
#include "core/Date.h"
#include "store/Connection.h"
#include "store/KeysetSql.h"
#include "store/TableDef.h"
#include "store/Transaction.h"

#include <algorithm>
#include <functional>
#include <random>
#include <tuple>
#include <vector>

namespace velatask {
namespace {

using Page = WindowCursor::Page;

class WindowCursorTest : public StoreTestBase, public ::testing::WithParamInterface<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Server && !useServer()) {
            GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
        }
        ASSERT_EQ(store().SCH.open(), 0);
        ASSERT_EQ(store().SCH1.open(), 0);
    }

    // The IDs of a page; the positions when the ID is not chosen.
    static std::vector<int> ids(const WindowCursor& c, const Page& page) {
        std::vector<int> out;
        const int id = c.columnIndex("ID");
        for (const auto& row : page) {
            out.push_back(id < 0 ? int(row.position) : row.values[id].toInt());
        }
        return out;
    }
    // Every row, read in pages of n from the first page on, and from the last page back.
    static std::vector<int> forward(WindowCursor& c, int n) {
        Page page;
        EXPECT_EQ(c.first(n, page), 0);
        std::vector<int> out = ids(c, page);
        // More pages than rows would mean a page that does not move on.
        for (int pages = 0; int(page.size()) == n && pages < 1000; ++pages) {
            const auto anchor = page.back();
            EXPECT_EQ(c.after(anchor, n, page), 0);
            const auto more = ids(c, page);
            out.insert(out.end(), more.begin(), more.end());
        }
        return out;
    }
    static std::vector<int> backward(WindowCursor& c, int n) {
        Page page;
        EXPECT_EQ(c.last(n, page), 0);
        std::vector<int> out = ids(c, page);
        for (int pages = 0; int(page.size()) == n && pages < 1000; ++pages) {
            const auto anchor = page.front();
            EXPECT_EQ(c.before(anchor, n, page), 0);
            const auto more = ids(c, page);
            out.insert(out.begin(), more.begin(), more.end());
        }
        return out;
    }
};

// Rows in key order with equal values in record order, both ways, for pages of every size.
TEST_P(WindowCursorTest, PagesFollowTheKeyAndRecordOrderInBothDirections) {
    struct Row {
        int id;
        QString category;
        QString description;
        int date;
        int position;
    };
    const QStringList categories{"Work", "home", "WORK", "", "Home"};
    const QStringList descriptions{"a", "B", "b", "", "A"};
    std::vector<Row> rows;
    Transaction tx(store());
    ASSERT_EQ(tx.begin(), 0);
    for (int i = 0; i < 40; ++i) {
        Row r{100 - i, categories[i % 5], descriptions[(i / 5) % 5], (i * 7) % 3 * 10, i + 1};
        rows.push_back(r);
        ASSERT_EQ(addTask(store().SCH, task(r.id, r.category, r.description, r.date, r.date)), 0);
    }
    ASSERT_EQ(tx.commit(), 0);
    auto folded = [](const QString& s) { return s.toLower().toStdString(); };
    struct Case {
        const char* name;
        ScheduleKey key;
        bool recordOrder;
        QVariantList range;
        std::function<bool(const Row&)> present;
        std::function<std::tuple<std::string, std::string, int, int>(const Row&)> sortKey;
    };
    const std::vector<Case> cases{
        {"by date",
         ScheduleKey::KeyDate,
         false,
         {},
         [](const Row& r) { return r.date != 0; },
         [](const Row& r) { return std::tuple(std::string(), std::string(), r.date, r.position); }},
        {"by category and name",
         ScheduleKey::KeyCategory,
         false,
         {},
         [](const Row& r) { return !r.category.isEmpty() || !r.description.isEmpty(); },
         [&](const Row& r) {
             return std::tuple(folded(r.category), folded(r.description), 0, r.position);
         }},
        {"in category work",
         ScheduleKey::KeyCategory,
         false,
         {"wOrK"},
         [](const Row& r) { return r.category.toLower() == "work"; },
         [&](const Row& r) {
             return std::tuple(std::string(), folded(r.description), 0, r.position);
         }},
        {"in record order",
         ScheduleKey::KeyID,
         true,
         {},
         [](const Row&) { return true; },
         [](const Row& r) { return std::tuple(std::string(), std::string(), 0, r.position); }},
    };
    for (const Case& c : cases) {
        std::vector<Row> selected;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(selected), c.present);
        std::sort(selected.begin(), selected.end(),
                  [&](const Row& a, const Row& b) { return c.sortKey(a) < c.sortKey(b); });
        std::vector<int> expected;
        for (const Row& r : selected) {
            expected.push_back(r.id);
        }
        WindowCursor cursor(store(), c.key);
        if (c.recordOrder) {
            cursor.setRecordOrder();
        }
        cursor.setRange(c.range);
        for (int n : {1, 4, 7, 100}) {
            EXPECT_EQ(forward(cursor, n), expected) << c.name << ", pages of " << n;
            EXPECT_EQ(backward(cursor, n), expected) << c.name << ", pages of " << n;
        }
        std::int64_t count = -1;
        EXPECT_EQ(cursor.count(count), 0);
        EXPECT_EQ(count, std::int64_t(expected.size())) << c.name;
    }

    // The locator finds the first name >= the typed text inside the range; a window re-anchors
    // on a row that is gone at the row after it.
    WindowCursor work(store(), ScheduleKey::KeyCategory);
    work.setRange({"work"});
    Page page;
    ASSERT_EQ(work.seek({"b"}, 3, page), 0);
    ASSERT_EQ(page.size(), 3u);
    EXPECT_EQ(page.front().values[work.columnIndex("Description")].toString().toLower(), "b");
    const auto gone = page[1];
    store().SCH.reget(QString::number(gone.position));
    ASSERT_EQ(store().SCH.erase(), 0);
    ASSERT_EQ(work.from(gone, 1, page), 0);
    EXPECT_EQ(page.front().position, [&] {
        Page rest;
        work.after(gone, 1, rest);
        return rest.front().position;
    }());
    WindowCursor::Row kept;
    EXPECT_EQ(work.reread(gone.position, kept), StoreCode::RecordNotFound);
    ASSERT_EQ(work.seek({"zzz"}, 3, page), 0);
    EXPECT_TRUE(page.empty());
}

TEST_P(WindowCursorTest, TwoWindowsAndTheSchedulerKeepTheirOwnPlaces) {
    for (int id = 1; id <= 12; ++id) {
        ASSERT_EQ(addTask(store().SCH, task(id, id % 2 ? "Odd" : "Even", "t", 100 + id, 1)), 0);
    }
    WindowCursor byDate(store(), ScheduleKey::KeyDate);
    WindowCursor byCategory(store(), ScheduleKey::KeyCategory);
    ASSERT_EQ(byCategory.setColumns({"ID", "Category"}), 0);
    Page dates;
    Page categories;
    ASSERT_EQ(byDate.first(3, dates), 0);
    store().SCH.setStart(ScheduleKey::KeyID);
    ASSERT_EQ(store().SCH.next(), 0);
    store().SCH1.setStart(ScheduleKey::KeyDateEnabled);
    ASSERT_EQ(store().SCH1.next(), 0);
    ASSERT_EQ(byCategory.first(3, categories), 0);
    EXPECT_EQ(ids(byCategory, categories), (std::vector<int>{2, 4, 6}));

    // The scheduler moves task 5 behind everything; the shared view reads on.
    store().SCH1.buffer().ID = 5;
    ASSERT_EQ(store().SCH1.fetch(ScheduleKey::KeyID), 0);
    store().SCH1.buffer().Date = 999;
    ASSERT_EQ(store().SCH1.put(), 0);
    ASSERT_EQ(store().SCH.next(), 0);
    EXPECT_EQ(store().SCH.buffer().ID, 2);

    ASSERT_EQ(byDate.after(dates.back(), 3, dates), 0);
    EXPECT_EQ(ids(byDate, dates), (std::vector<int>{4, 6, 7}));
    ASSERT_EQ(byCategory.after(categories.back(), 3, categories), 0);
    EXPECT_EQ(ids(byCategory, categories), (std::vector<int>{8, 10, 12}));
    ASSERT_EQ(store().SCH1.next(), 0);
    EXPECT_EQ(store().SCH1.buffer().ID, 6);
    EXPECT_EQ(categories.front().values.size(), 2);
}

// Counts and pages agree for every kind of condition a search builds.
TEST_P(WindowCursorTest, FiltersSelectTheSameRowsForPagesAndCounts) {
    const QStringList texts{"Call Mom",  "  call dad", "Ärger lösen", "ÄRGER",   "50% off",
                            "500 items", "a_b",        "axb",         "STRASSE", "Straße"};
    for (int i = 0; i < texts.size(); ++i) {
        ScheduleRecord r = task(i + 1, "", texts[i], Date::fromYmd(1999, 1 + i, 10 + i), i + 1);
        r.Disabled = std::uint8_t(i % 2);
        ASSERT_EQ(addTask(store().SCH, r), 0);
    }
    using F = Filter;
    const auto march = Date::fromYmd(1999, 3, 12);
    const std::vector<std::tuple<const char*, Filter, std::vector<int>>> cases{
        {"none", F(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"date equals", F::compare("SCH:Date", F::Op::Equal, march), {3}},
        {"date not equal",
         F::compare("Date", F::Op::NotEqual, march),
         {1, 2, 4, 5, 6, 7, 8, 9, 10}},
        {"time above", F::compare("Time", F::Op::Greater, 8), {9, 10}},
        {"time at most", F::compare("Time", F::Op::LessOrEqual, 2), {1, 2}},
        {"inside a range", F::between("Time", 3, 5), {3, 4, 5}},
        {"outside a range", !F::between("Time", 3, 5), {1, 2, 6, 7, 8, 9, 10}},
        {"contains, any case", F::text("Description", F::Text::Contains, "CALL"), {1, 2}},
        {"begins, non-ASCII letters", F::text("Description", F::Text::BeginsWith, "ärger"), {3, 4}},
        {"begins, case kept",
         F::text("Description", F::Text::BeginsWith, "ÄRG", F::Fold::None),
         {4}},
        {"ends", F::text("Description", F::Text::EndsWith, "DAD"), {2}},
        {"percent is no wildcard", F::text("Description", F::Text::Contains, "50%"), {5}},
        {"underscore is no wildcard", F::text("Description", F::Text::Contains, "a_b"), {7}},
        {"sharp s in capitals", F::text("Description", F::Text::Contains, "straße"), {9, 10}},
        {"empty text holds",
         F::text("Description", F::Text::Contains, ""),
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"equal past leading blanks",
         F::compare("Description", F::Op::Equal, "CALL DAD", F::Fold::CapitalsNoLeadingBlanks),
         {2}},
        {"month of the date", F::datePart("Date", F::DatePart::Month, 4), {4}},
        {"and",
         F::compare("Disabled", F::Op::Equal, 1) && F::compare("Time", F::Op::Less, 5),
         {2, 4}},
        {"or",
         F::compare("Time", F::Op::Equal, 1) || F::compare("Time", F::Op::Equal, 10),
         {1, 10}},
    };
    for (const auto& [name, filter, expected] : cases) {
        for (ScheduleKey key : {ScheduleKey::KeyID, ScheduleKey::KeyDate}) {
            WindowCursor cursor(store(), key);
            ASSERT_EQ(cursor.setFilter(filter), 0) << name;
            std::vector<int> found = forward(cursor, 3);
            std::sort(found.begin(), found.end());
            EXPECT_EQ(found, expected) << name;
            std::int64_t n = -1;
            EXPECT_EQ(cursor.count(n), 0);
            EXPECT_EQ(n, std::int64_t(expected.size())) << name;
        }
    }
    WindowCursor cursor(store(), ScheduleKey::KeyID);
    ASSERT_EQ(cursor.setFilter(F::compare("Time", F::Op::Equal, 1)), 0);
    EXPECT_EQ(cursor.setFilter(F::compare("Priority", F::Op::Equal, 1)), StoreCode::DriverError);
    EXPECT_EQ(cursor.error().driverText, "no such field: Priority");
    EXPECT_EQ(cursor.setColumns({"ID", "TDO:ToDo"}), StoreCode::DriverError);
    EXPECT_EQ(forward(cursor, 5), (std::vector<int>{1})) << "the earlier filter stays";
}

// Rows written by another tool into a table that allows NULL: every row reads, in both
// directions, with values cut to their fields or blank.
TEST_P(WindowCursorTest, RowsWrittenByAnotherToolReadWithoutTrustingThem) {
    if (GetParam() == Backend::Server) {
        GTEST_SKIP() << "tables written by another tool to the file";
    }
    const TableDef& schedule = TableDef::schedule();
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.remake(schedule, true)) << raw.lastError().toStdString();
        const QString longText(200, QLatin1Char('x'));
        const QString insert =
            "INSERT INTO Schedule (ID, Category, Description, Date, Time, Message) VALUES ";
        ASSERT_TRUE(raw.exec(insert + "(1, NULL, 'b', 5, 5, NULL)"));
        ASSERT_TRUE(raw.exec(insert + "(2, ?, NULL, 5000000000, 'noon', 'm')", {longText}));
        ASSERT_TRUE(raw.exec(insert + "(3, NULL, NULL, -5, 1, 'm')"));
        ASSERT_TRUE(raw.exec(insert + "(4, 'Work', 'a', 7, 7, 'm')"));
        ASSERT_TRUE(raw.exec(insert + "(5, NULL, 'a', 6, NULL, 'm')"));
        ASSERT_TRUE(raw.exec(insert + "(6, 'Work', NULL, NULL, 7, 'm')"));
        // Key texts whose bytes do not come back from a round trip through UTF-16.
        ASSERT_TRUE(raw.exec(insert + "(7, CAST(X'EFBBBF41' AS TEXT), 'c', 8, 8, 'm')"));
        ASSERT_TRUE(raw.exec(insert + "(8, 'Work', CAST(X'EFBBBF' AS TEXT), 8, 8, 'm')"));
        ASSERT_TRUE(raw.exec(insert + "(9, CAST(X'C328' AS TEXT), 'a', 9, 9, 'm')"));
        ASSERT_TRUE(raw.exec(insert + "(10, 'Work', CAST(X'61F0908D' AS TEXT), 9, 9, 'm')"));
        // Bytes in a text column sort after every text and page as bytes.
        ASSERT_TRUE(raw.exec(insert + "(11, X'41FF42', X'EFBBBF', 10, 10, 'm')"));
    }
    ScriptedUi otherUi;
    Store reader(m_dir.path(), otherUi);
    ASSERT_EQ(reader.SCH.open(), 0);
    for (ScheduleKey key : {ScheduleKey::KeyCategory, ScheduleKey::KeyTaskName,
                            ScheduleKey::KeyDate, ScheduleKey::KeyID}) {
        WindowCursor cursor(reader, key);
        std::int64_t n = 0;
        ASSERT_EQ(cursor.count(n), 0);
        for (int size : {1, 2, 3}) {
            const std::vector<int> all = forward(cursor, size);
            EXPECT_EQ(all.size(), size_t(n)) << int(key);
            EXPECT_EQ(backward(cursor, size), all) << int(key);
        }
    }
    // A range on a row's own key text holds that row, whatever its bytes, and pages to its end.
    // (IDs are the positions here.)
    {
        WindowCursor byKey(reader, ScheduleKey::KeyTaskName);
        Page rows;
        ASSERT_EQ(byKey.first(100, rows), 0);
        for (const WindowCursor::Row& row : rows) {
            if (row.key.value(0).isNull()) {
                continue; // a range is on values; NULL equals none
            }
            WindowCursor ranged(reader, ScheduleKey::KeyTaskName);
            ranged.setRange(row.key.mid(0, 1));
            std::int64_t n = 0;
            ASSERT_EQ(ranged.count(n), 0);
            const std::vector<int> inRange = forward(ranged, 1);
            EXPECT_EQ(inRange.size(), size_t(n)) << row.position;
            EXPECT_NE(std::find(inRange.begin(), inRange.end(), int(row.position)), inRange.end())
                << row.position;
        }
    }
    WindowCursor cursor(reader, ScheduleKey::KeyID);
    ASSERT_EQ(cursor.setColumns({"Category", "Description", "Date", "Time", "Message"}), 0);
    Page page;
    ASSERT_EQ(cursor.first(3, page), 0);
    ASSERT_EQ(page.size(), 3u);
    EXPECT_EQ(page[0].values, (QVariantList{"", "b", 5, 5, ""}));
    EXPECT_EQ(page[1].values, (QVariantList{QString(20, QLatin1Char('x')), "", 0, 0, "m"}));
    EXPECT_EQ(page[2].values[2], -5) << "a date before the calendar is the formatter's to blank";
    // The shared view reads them alike and reaches the end.
    ScheduleView& sch = reader.SCH;
    for (ScheduleKey key : {ScheduleKey::KeyCategory, ScheduleKey::KeyTaskName}) {
        std::vector<int> onward;
        sch.setStart(key);
        while (sch.next() == 0 && onward.size() < 100) {
            onward.push_back(sch.buffer().ID);
        }
        std::vector<int> back;
        sch.setEnd(key);
        while (sch.previous() == 0 && back.size() < 100) {
            back.insert(back.begin(), sch.buffer().ID);
        }
        WindowCursor pages(reader, key);
        EXPECT_EQ(onward, forward(pages, 4)) << int(key);
        EXPECT_EQ(back, onward) << int(key);
    }
    sch.setStart(ScheduleKey::KeyCategory);
    int read = 0;
    while (sch.next() == 0 && read < 100) {
        ++read;
    }
    EXPECT_EQ(read, 10);
    ASSERT_EQ(sch.reget("2"), 0);
    EXPECT_EQ(sch.buffer().Category.size(), 20);
    EXPECT_EQ(sch.buffer().Date, 0);
}

// Pages next to a row of a range seek past the components that the range holds equal. Against
// the comparison of every component (the plain reading of the order) on random rows with many
// ties, in tables with and without NULLs, from rows inside and outside the range, spelled in
// another case, and from rows that are gone.
TEST_P(WindowCursorTest, PagesBesideARowInARangeMatchTheFullComparison) {
    if (GetParam() == Backend::Server) {
        GTEST_SKIP() << "rows written straight into the file";
    }
    const TableDef& schedule = TableDef::schedule();
    struct Case {
        ScheduleKey key;
        QVariantList range;
    };
    const std::vector<Case> cases{
        {ScheduleKey::KeyCategory, {"work"}},
        {ScheduleKey::KeyCategory, {QString::fromUtf8("ärger")}},
        {ScheduleKey::KeyCategoryDate, {"WORK"}},
        {ScheduleKey::KeyCategoryDate, {"home", 10}},
        {ScheduleKey::KeyDateEnabled, {1}},
        {ScheduleKey::KeyDateEnabled, {0, 20}},
        {ScheduleKey::KeyDate, {}},
    };
    const QStringList categories{"Work",
                                 "work",
                                 "WORK",
                                 "Home",
                                 "home",
                                 "",
                                 QString::fromUtf8("ärger"),
                                 QString::fromUtf8("Ärger")};
    const QStringList descriptions{"a", "A", "b", "B", ""};
    for (const bool nullable : {false, true}) {
        SCOPED_TRACE(nullable ? "with NULLs" : "without NULLs");
        {
            RawSqlite raw(dataFile());
            ASSERT_TRUE(raw.remake(schedule, nullable)) << raw.lastError().toStdString();
            std::mt19937 random(nullable ? 2 : 1);
            auto pick = [&](const QVariantList& values) -> QVariant {
                if (nullable && random() % 9 == 0) {
                    return QVariant();
                }
                return values[int(random() % values.size())];
            };
            ASSERT_TRUE(raw.exec("BEGIN"));
            for (int i = 1; i <= 300; ++i) {
                ASSERT_TRUE(raw.exec("INSERT INTO Schedule (ID, Category, Description, Date, "
                                     "Time, Disabled) VALUES (?, ?, ?, ?, ?, ?)",
                                     {i, pick(QVariantList(categories.begin(), categories.end())),
                                      pick(QVariantList(descriptions.begin(), descriptions.end())),
                                      pick({0, 10, 20}), pick({0, 5}), pick({0, 1})}))
                    << raw.lastError().toStdString();
            }
            ASSERT_TRUE(raw.exec("COMMIT"));
        }
        ScriptedUi otherUi;
        Store reader(m_dir.path(), otherUi);
        ASSERT_EQ(reader.SCH.open(), 0);
        RawSqlite plain(dataFile());
        for (const Case& c : cases) {
            SCOPED_TRACE(schedule.keys[size_t(c.key)].name.toStdString() + " in " +
                         QVariant(c.range).toStringList().join(",").toStdString());
            // Anchors: rows of the whole key, some spelled in capitals, some gone.
            WindowCursor all(reader, c.key);
            all.setColumns({});
            Page rows;
            ASSERT_EQ(all.first(1000, rows), 0);
            ASSERT_GT(rows.size(), 100u);
            WindowCursor cursor(reader, c.key);
            cursor.setColumns({});
            cursor.setRange(c.range);
            const KeysetSql keyset(schedule, int(c.key), reader.dataConnection().dialect());
            for (size_t i = 0; i < rows.size(); i += 3) {
                WindowCursor::Row anchor = rows[i];
                if (i % 2 == 1) {
                    for (QVariant& v : anchor.key) {
                        v = v.typeId() == QMetaType::QString ? QVariant(v.toString().toUpper()) : v;
                    }
                }
                if (i % 5 == 4) {
                    anchor.position += 1000; // a row that is gone, after its equals
                }
                struct Move {
                    int direction;
                    bool inclusive;
                };
                for (const Move m : {Move{+1, false}, Move{-1, false}, Move{+1, true}}) {
                    Page page;
                    const int code = m.direction < 0 ? cursor.before(anchor, 4, page)
                                     : m.inclusive   ? cursor.from(anchor, 4, page)
                                                     : cursor.after(anchor, 4, page);
                    ASSERT_EQ(code, 0);
                    std::vector<std::int64_t> got;
                    for (const auto& r : page) {
                        got.push_back(r.position);
                    }
                    SqlParts parts;
                    keyset.present(parts);
                    keyset.range(c.range, parts);
                    keyset.beyond(anchor.key, anchor.position, m.direction, m.inclusive, nullable,
                                  parts);
                    std::vector<std::int64_t> expected;
                    for (const QVariantList& r :
                         plain.rows("SELECT rowid FROM Schedule" + parts.whereClause() +
                                        keyset.orderBy(m.direction) + " LIMIT 4",
                                    parts.binds)) {
                        expected.insert(m.direction < 0 ? expected.begin() : expected.end(),
                                        r.value(0).toLongLong());
                    }
                    EXPECT_EQ(got, expected) << "row " << anchor.position << ", direction "
                                             << m.direction << (m.inclusive ? ", inclusive" : "");
                }
            }
        }
    }
}

// A failure while a page loads is one code for the page, and the store shows nothing itself.
TEST_P(WindowCursorTest, AFailedPageIsOneErrorCode) {
    if (GetParam() == Backend::Server) {
        GTEST_SKIP() << "a table dropped from the file";
    }
    ASSERT_EQ(addTask(store().SCH, task(1, "", "t", 1, 1)), 0);
    WindowCursor cursor(store(), ScheduleKey::KeyDate);
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.exec("DROP TABLE Schedule"));
    }
    Page page;
    EXPECT_EQ(cursor.first(10, page), StoreCode::DriverError);
    EXPECT_TRUE(page.empty());
    EXPECT_TRUE(cursor.error().driverText.contains("no such table"))
        << cursor.error().driverText.toStdString();
    EXPECT_TRUE(m_ui.boxes().empty());
}

// The scroll bar: exact over few rows, close to the truth over many, exact at both ends.
TEST_P(WindowCursorTest, ThumbPositionsAreExactForFewRowsAndCloseForMany) {
    if (GetParam() == Backend::Server) {
        GTEST_SKIP() << "rows written straight into the file";
    }
    for (int rows : {50, 5000}) {
        {
            RawSqlite raw(dataFile());
            ASSERT_TRUE(raw.exec("DELETE FROM Schedule"));
            ASSERT_TRUE(raw.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                 "WHERE i < ?) INSERT INTO Schedule (ID, Date, Time, Description) "
                                 "SELECT i, 1000 + i / 3, 1, 'x' FROM n",
                                 {rows}));
        }
        WindowCursor cursor(store(), ScheduleKey::KeyDate);
        Page page;
        const double tolerance = rows <= 2000 ? 0.0 : 0.05;
        for (double f : {0.1, 0.5, 0.9}) {
            ASSERT_EQ(cursor.atFraction(f, 5, page), 0);
            ASSERT_EQ(page.size(), 5u);
            const double at = double(ids(cursor, page).front() - 1) / rows;
            EXPECT_NEAR(at, f, tolerance) << rows;
            EXPECT_NEAR(cursor.fractionOf(page.front()), at, tolerance) << rows;
        }
        ASSERT_EQ(cursor.atFraction(1.0, 5, page), 0);
        EXPECT_EQ(page.back().position, rows);
        ASSERT_EQ(cursor.atFraction(0.0, 5, page), 0);
        EXPECT_EQ(page.front().position, 1);
        EXPECT_NEAR(double(cursor.approximateCount()), rows, rows * tolerance * 2);
    }
}

// "Tagged in set 1, in date order" is one query over the attached tag file, whether the set is
// small (read from the tags) or large (probed along the date key).
TEST_P(WindowCursorTest, TaggedRowsOfOneSetInKeyOrder) {
    if (GetParam() == Backend::Server) {
        GTEST_SKIP() << "rows and tags written straight into the files";
    }
    WindowCursor tagged(store(), ScheduleKey::KeyDate);
    ASSERT_EQ(tagged.setFilter(Filter::taggedIn(1)), 0);
    Page page;
    ASSERT_EQ(tagged.first(5, page), 0) << "the missing tag file is created";
    EXPECT_TRUE(page.empty());
    for (int setSize : {40, 3000}) {
        {
            RawSqlite raw(dataFile());
            ASSERT_TRUE(raw.exec("DELETE FROM Schedule"));
            ASSERT_TRUE(raw.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                 "WHERE i < 6000) INSERT INTO Schedule (ID, Date, Time) "
                                 "SELECT i, 5000 - i % 700, 1 + i % 3 FROM n"));
            RawSqlite tags(tagFile());
            ASSERT_TRUE(tags.exec("DELETE FROM TagFile_"));
            // Set 1 of user 0 tags every row whose position is a multiple of `step`; set 2 and
            // user 7 tag others.
            ASSERT_TRUE(tags.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                  "WHERE i < 6000) INSERT INTO TagFile_ (Usr, Tbl, Ptr) "
                                  "SELECT 0, 1, i FROM n WHERE i % ? = 0 UNION ALL "
                                  "SELECT 0, 2, i FROM n WHERE i % 5 = 1 UNION ALL "
                                  "SELECT 7, 1, i FROM n WHERE i % 5 = 2",
                                  {6000 / setSize}));
        }
        std::vector<std::tuple<int, int, int>> expected; // date, time, position
        for (int i = 6000 / setSize; i <= 6000; i += 6000 / setSize) {
            expected.emplace_back(5000 - i % 700, 1 + i % 3, i);
        }
        std::sort(expected.begin(), expected.end());
        std::vector<int> positions;
        for (const auto& e : expected) {
            positions.push_back(std::get<2>(e));
        }
        EXPECT_EQ(forward(tagged, 97), positions) << setSize;
        EXPECT_EQ(backward(tagged, 97), positions) << setSize;
        std::int64_t n = 0;
        ASSERT_EQ(tagged.count(n), 0);
        EXPECT_EQ(n, setSize);

        WindowCursor early(store(), ScheduleKey::KeyDate);
        ASSERT_EQ(
            early.setFilter(Filter::taggedIn(1) && Filter::compare("Date", Filter::Op::Less, 4400)),
            0);
        ASSERT_EQ(early.count(n), 0);
        EXPECT_EQ(n, std::count_if(expected.begin(), expected.end(),
                                   [](const auto& e) { return std::get<0>(e) < 4400; }));
    }
    // A tag of a deleted record shows nothing; set 0 is no set.
    store().SCH.reget("6000");
    ASSERT_EQ(store().SCH.erase(), 0);
    Page last;
    ASSERT_EQ(tagged.last(1, last), 0);
    EXPECT_NE(last.front().position, 6000);
    WindowCursor none(store(), ScheduleKey::KeyDate);
    ASSERT_EQ(none.setFilter(Filter::taggedIn(0)), 0);
    ASSERT_EQ(none.first(5, page), 0);
    EXPECT_TRUE(page.empty());
}

TEST_P(WindowCursorTest, TheChangeCountMovesOnlyWhenSomeoneWrites) {
    if (GetParam() == Backend::Server) {
        GTEST_SKIP() << "writes made straight to the files";
    }
    const auto before = store().changeCount();
    EXPECT_EQ(store().changeCount(), before);
    ASSERT_EQ(addTask(store().SCH, task(1, "", "t", 1, 1)), 0);
    const auto afterOwn = store().changeCount();
    EXPECT_GT(afterOwn, before);
    EXPECT_EQ(store().changeCount(), afterOwn);
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.exec("UPDATE Schedule SET Date = 2"));
    }
    EXPECT_GT(store().changeCount(), afterOwn);
}

// Each step in turn on one store: the count moves for a commit to either file, by this program
// or another, and for nothing else, however often it is asked.
TEST_P(WindowCursorTest, TheChangeCountMovesForEachCommitToEitherFile) {
    if (GetParam() == Backend::Server) {
        GTEST_SKIP() << "writes made straight to the files";
    }
    ASSERT_EQ(store().attachTags(), 0);
    struct Step {
        const char* name;
        std::function<void()> happen;
        bool moves;
    };
    const auto other = [](const QString& file, const char* sql) {
        return [file, sql] {
            RawSqlite raw(file);
            ASSERT_TRUE(raw.exec(QString::fromLatin1(sql))) << raw.lastError().toStdString();
        };
    };
    const std::vector<Step> steps{
        {"nothing", [] {}, false},
        {"another program reads", other(dataFile(), "SELECT count(*) FROM Schedule"), false},
        {"another program commits a task",
         other(dataFile(), "INSERT INTO Schedule (ID) VALUES (7)"), true},
        {"nothing after a commit", [] {}, false},
        {"another program empties the log, then commits",
         [this] {
             RawSqlite raw(dataFile());
             for (const char* sql :
                  {"PRAGMA wal_checkpoint(TRUNCATE)", "UPDATE Schedule SET Date = 3"}) {
                 ASSERT_TRUE(raw.exec(QString::fromLatin1(sql))) << sql;
             }
         },
         true},
        {"this program adds a task",
         [this] { ASSERT_EQ(addTask(store().SCH, task(8, "", "t", 1, 1)), 0); }, true},
        {"another program tags a task",
         other(tagFile(), "INSERT INTO TagFile_ (Usr, Tbl, Ptr) VALUES (0, 1, 7)"), true},
        {"another program rolls a change back",
         [this] {
             RawSqlite raw(tagFile());
             for (const char* sql : {"BEGIN", "DELETE FROM TagFile_", "ROLLBACK"}) {
                 ASSERT_TRUE(raw.exec(QString::fromLatin1(sql))) << sql;
             }
         },
         false},
    };
    std::uint64_t count = store().changeCount();
    for (const Step& step : steps) {
        step.happen();
        const std::uint64_t now = store().changeCount();
        EXPECT_EQ(now != count, step.moves) << step.name;
        EXPECT_EQ(store().changeCount(), now) << step.name << ", asked again";
        count = now;
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, WindowCursorTest,
                         ::testing::Values(Backend::File, Backend::Server), backendName);

} // namespace
} // namespace velatask
