#include "../support/WaitFor.h"
#include "ServerDatabase.h"
#include "StoreTestBase.h"
#include "core/Date.h"
#include "store/Filter.h"
#include "store/Tags.h"
#include "store/Transaction.h"
#include "store/WindowCursor.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace velatask {
namespace {

// The store on the private server: opened by its table opener, written and read through views.
class ServerStoreTest : public StoreTestBase {
protected:
    void SetUp() override {
        if (!useServer()) {
            GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
        }
    }

    std::vector<int> order(ScheduleView& v, ScheduleKey key) {
        std::vector<int> ids;
        v.setStart(key);
        while (v.next() == 0) {
            ids.push_back(v.buffer().ID);
        }
        EXPECT_EQ(v.error().code, StoreCode::NoRecord);
        return ids;
    }
};

TEST_F(ServerStoreTest, TasksAddedByOneStationAreReadBackInKeyOrderByAnother) {
    auto& sch = store().SCH;
    ASSERT_EQ(sch.open(), 0) << sch.error().driverText.toStdString();
    const ScheduleRecord tasks[] = {
        task(1, "work", "b", 20, 5), task(2, "Home", "a", 10, 5), task(3, "WORK", "A", 10, 1),
        task(4, "", "", 0, 0),       task(5, "_", "z", 30, 0),    task(6, "Work", "B", 20, 5),
    };
    for (const ScheduleRecord& t : tasks) {
        ASSERT_EQ(addTask(sch, t), 0) << sch.error().driverText.toStdString();
    }
    EXPECT_EQ(addTask(sch, task(3, "x", "y", 1, 1)), StoreCode::DuplicateKey);

    ScriptedUi otherUi;
    QTemporaryDir otherHome;
    Store other(otherHome.path(), m_server->address(), otherUi);
    ASSERT_EQ(other.SCH.open(), 0);
    struct Case {
        ScheduleKey key;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {ScheduleKey::KeyID, {1, 2, 3, 4, 5, 6}},
        // No date and time: left out of the key.
        {ScheduleKey::KeyDate, {3, 2, 1, 6, 5}},
        // Folded letters, '_' below them; equal keys in the order they were added.
        {ScheduleKey::KeyCategory, {5, 2, 3, 1, 6}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(order(other.SCH, c.key), c.ids) << int(c.key);
    }
    other.SCH.clearBuffer();
    other.SCH.buffer().ID = 9;
    ASSERT_EQ(other.SCH.fetch(ScheduleKey::KeyID), StoreCode::RecordNotFound);
    other.SCH.buffer().Category = "home";
    other.SCH.buffer().Description = "A";
    ASSERT_EQ(other.SCH.fetch(ScheduleKey::KeyCategory), 0);
    EXPECT_EQ(other.SCH.buffer().ID, 2);
}

TEST_F(ServerStoreTest, AFailedWriteInATransactionLeavesTheRestOfItAsOnTheFile) {
    auto& sch = store().SCH;
    ASSERT_EQ(sch.open(), 0);
    ASSERT_EQ(addTask(sch, task(1, "", "a", 1, 1)), 0);
    Transaction t(store());
    ASSERT_EQ(t.begin(), 0);
    ASSERT_EQ(addTask(sch, task(2, "", "b", 1, 1)), 0);
    EXPECT_EQ(addTask(sch, task(1, "", "again", 1, 1)), StoreCode::DuplicateKey);
    ASSERT_EQ(addTask(sch, task(3, "", "c", 1, 1)), 0) << sch.error().driverText.toStdString();
    ASSERT_EQ(t.commit(), 0);
    EXPECT_EQ(order(sch, ScheduleKey::KeyID), (std::vector<int>{1, 2, 3}));
}

TEST_F(ServerStoreTest, AWindowPagesThroughTheServerAndSeesAnotherStationsWrites) {
    auto& sch = store().SCH;
    ASSERT_EQ(sch.open(), 0);
    // More rows than the scroll bar counts exactly, in 30 categories of mixed case.
    for (int id = 1; id <= 2400; ++id) {
        const QString category =
            QStringLiteral("%1%2").arg(id % 2 ? "c" : "C").arg(id % 30, 2, 10, QChar('0'));
        ASSERT_EQ(addTask(sch, task(id, category, "t", 100 + id % 7, 1)), 0);
    }
    WindowCursor cursor(store(), ScheduleKey::KeyCategory);
    ASSERT_EQ(cursor.setColumns({"ID"}), 0);
    auto ids = [](const WindowCursor::Page& page) {
        std::vector<int> out;
        for (const WindowCursor::Row& r : page) {
            out.push_back(r.values.value(0).toInt());
        }
        return out;
    };
    WindowCursor::Page page;
    ASSERT_EQ(cursor.first(3, page), 0) << cursor.error().driverText.toStdString();
    EXPECT_EQ(ids(page), (std::vector<int>{30, 60, 90})); // "C00" folded, in added order
    WindowCursor::Page next;
    ASSERT_EQ(cursor.after(page.back(), 2, next), 0);
    EXPECT_EQ(ids(next), (std::vector<int>{120, 150}));
    ASSERT_EQ(cursor.before(next.front(), 2, next), 0);
    EXPECT_EQ(ids(next), (std::vector<int>{60, 90}));
    ASSERT_EQ(cursor.seek({"c01"}, 1, next), 0);
    EXPECT_EQ(ids(next), (std::vector<int>{1}));
    std::int64_t n = 0;
    ASSERT_EQ(cursor.count(n), 0);
    EXPECT_EQ(n, 2400);
    EXPECT_GT(cursor.approximateCount(), 2000);
    ASSERT_EQ(cursor.atFraction(0.5, 1, next), 0);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_NEAR(cursor.fractionOf(next.front()), 0.5, 0.1);

    // Another station's write moves the change count that windows compare.
    const std::uint64_t seen = store().changeCount();
    EXPECT_EQ(store().changeCount(), seen);
    ScriptedUi otherUi;
    Store other(m_dir.path(), m_server->address(), otherUi);
    ASSERT_EQ(other.SCH.open(), 0);
    other.SCH.buffer() = task(5000, "C00", "new", 1, 1);
    ASSERT_EQ(other.SCH.add(), 0);
    EXPECT_NE(store().changeCount(), seen);
    ASSERT_EQ(cursor.count(n), 0);
    EXPECT_EQ(n, 2401);
}

TEST_F(ServerStoreTest, AWindowFilteredByATagSetListsTheTaggedTasksInKeyOrder) {
    auto& sch = store().SCH;
    ASSERT_EQ(sch.open(), 0);
    for (int id = 1; id <= 60; ++id) {
        ASSERT_EQ(addTask(sch, task(id, "", "t", 1000 - id, 1)), 0);
    }
    Tags tags(store());
    tags.SetTags_(1, {3, 10, 50}); // positions, which are the IDs here
    tags.SetTag_(2, 4);
    tags.setUser(7);
    tags.SetTag_(1, 5);
    EXPECT_TRUE(tags.isTagged(1, 5));
    tags.setUser(0);
    EXPECT_FALSE(tags.isTagged(1, 5));

    WindowCursor cursor(store(), ScheduleKey::KeyDate);
    ASSERT_EQ(cursor.setColumns({"ID"}), 0);
    ASSERT_EQ(cursor.setFilter(Filter::taggedIn(1)), 0);
    WindowCursor::Page page;
    ASSERT_EQ(cursor.first(10, page), 0) << cursor.error().driverText.toStdString();
    std::vector<int> ids;
    for (const WindowCursor::Row& r : page) {
        ids.push_back(r.values.value(0).toInt());
    }
    EXPECT_EQ(ids, (std::vector<int>{50, 10, 3})); // later tasks are dated earlier
    std::int64_t n = 0;
    ASSERT_EQ(cursor.count(n), 0);
    EXPECT_EQ(n, 3);
}

TEST_F(ServerStoreTest, FiltersSelectTheSameTasksAsOnTheFile) {
    ScriptedUi fileUi;
    QTemporaryDir fileHome;
    Store file(fileHome.path(), fileUi);
    const QStringList texts{"Work",  " work ", "WORKS", "home",  "Straße", "STRASSE",
                            "äpfel", "Äpfel",  "a_b",   "ab cd", "",       "x"};
    for (Store* s : {&store(), &file}) {
        ASSERT_EQ(s->SCH.open(), 0);
        for (int id = 1; id <= 120; ++id) {
            ScheduleRecord r = task(
                id, texts[id % texts.size()], texts[(id * 5) % texts.size()],
                id % 9 == 0 ? 0 : Date::make(1 + id % 12, 1 + id % 28, 1890 + id % 30 * 5), id % 5);
            ASSERT_EQ(addTask(s->SCH, r), 0);
        }
    }
    using F = Filter;
    const F filters[] = {
        F::text("Category", F::Text::BeginsWith, "wo"),
        F::text("Category", F::Text::BeginsWith, "WO", F::Fold::CapitalsNoLeadingBlanks),
        F::text("Description", F::Text::EndsWith, "S"),
        F::text("Description", F::Text::Contains, "b c"),
        F::text("Category", F::Text::Contains, "ÄPF"),
        F::text("Category", F::Text::BeginsWith, "STRASS"),
        F::compare("Category", F::Op::Less, "a"), // capitals and '_' sort below small letters
        F::text("ID", F::Text::EndsWith, "7"),
        F::compare("Category", F::Op::Equal, "WORK", F::Fold::Capitals),
        F::compare("Category", F::Op::Greater, "Work"),
        F::between("Description", "a", "x"),
        F::datePart("Date", F::DatePart::Year, 1900),
        F::datePart("Date", F::DatePart::Month, 2) || F::datePart("Date", F::DatePart::Day, 29),
        !F::datePart("Date", F::DatePart::Year, 1960) && F::compare("Time", F::Op::Less, 3),
    };
    auto ids = [](Store& s, const F& filter) {
        WindowCursor cursor(s, ScheduleKey::KeyID);
        EXPECT_EQ(cursor.setColumns({"ID"}), 0);
        EXPECT_EQ(cursor.setFilter(filter), 0);
        WindowCursor::Page page;
        EXPECT_EQ(cursor.first(1000, page), 0) << cursor.error().driverText.toStdString();
        std::vector<int> out;
        for (const WindowCursor::Row& r : page) {
            out.push_back(r.values.value(0).toInt());
        }
        return out;
    };
    for (size_t i = 0; i < std::size(filters); ++i) {
        SCOPED_TRACE(i);
        const std::vector<int> expected = ids(file, filters[i]);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(ids(store(), filters[i]), expected);
    }
}

TEST_F(ServerStoreTest, TheOpenerFindsDamagedKeysAndForeignColumnsOnTheServer) {
    struct Case {
        const char* what;
        QStringList damage;
        int answer; // to the one box shown
        int code;
        const char* title;
    };
    const Case cases[] = {
        {"a key dropped", {"DROP INDEX \"SCH:KeyDate\""}, Ui::Yes, 0, "Invalid Key"},
        {"a key made otherwise by hand",
         {"DROP INDEX \"SCH:KeyDateEnabled\"",
          "CREATE INDEX \"SCH:KeyDateEnabled\" ON Schedule (Date)"},
         Ui::Yes,
         0,
         "Invalid Key"},
        {"a rebuild refused",
         {"DROP INDEX \"SCH:KeyTaskName\""},
         Ui::No,
         StoreCode::KeyRebuild,
         "Invalid Key"},
        {"a column of another type",
         {"ALTER TABLE Schedule ALTER COLUMN Every TYPE text"},
         Ui::Ok,
         StoreCode::BadDeclaration,
         "Invalid File"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_store.reset();
        m_server = std::make_unique<ServerDatabase>();
        ASSERT_EQ(store().SCH.open(), 0);
        ASSERT_EQ(addTask(store().SCH, task(1, "Work", "a", 10, 20)), 0);
        m_store.reset();
        for (const QString& sql : c.damage) {
            ASSERT_EQ(dataExec(sql), QString());
        }
        ScriptedUi ui;
        ui.answerNext(c.answer);
        auto station = std::make_unique<Store>(m_dir.path(), m_server->address(), ui);
        EXPECT_EQ(station->SCH.open(), c.code) << station->SCH.error().driverText.toStdString();
        ASSERT_EQ(ui.boxes().size(), 1u);
        EXPECT_EQ(ui.boxes()[0].title, c.title);
        if (c.code == 0) {
            station->SCH.setStart(ScheduleKey::KeyDateEnabled);
            ASSERT_EQ(station->SCH.next(), 0);
            EXPECT_EQ(station->SCH.buffer().ID, 1);
        }
    }
}

TEST_F(ServerStoreTest, TheNextOpenMendsTheSharedPartsOfASchemaMadeByAnOlderBuild) {
    ASSERT_EQ(store().SCH.open(), 0);
    ASSERT_EQ(store().HIS.open(), 0);
    ASSERT_EQ(store().TF_.open(), 0);
    m_store.reset();
    struct Case {
        const char* what;
        const char* damage;
        const char* check;
        QVariant expected;
    };
    const Case cases[] = {
        {"capitals without the full mapping",
         "CREATE OR REPLACE FUNCTION velatask_fold(t text, mode bigint) RETURNS text LANGUAGE sql "
         "IMMUTABLE AS $$SELECT CASE WHEN mode & 1 <> 0 THEN 'old' ELSE t END$$",
         "SELECT velatask_fold('straße ', 1)", QStringLiteral("STRASSE")},
        {"text in the server's order",
         "ALTER TABLE Schedule ALTER COLUMN Category TYPE text COLLATE \"default\"",
         "SELECT collation_name FROM information_schema.columns WHERE table_name = 'schedule' "
         "AND column_name = 'category'",
         QStringLiteral("C")},
        {"tag text in the server's order under the tag view",
         "DO $$BEGIN DROP VIEW IF EXISTS velatask_tags.tagfile_; "
         "ALTER TABLE TagFile_ ALTER COLUMN Val TYPE text COLLATE \"default\"; "
         "CREATE SCHEMA IF NOT EXISTS velatask_tags; "
         "CREATE VIEW velatask_tags.tagfile_ AS SELECT * FROM TagFile_; END$$",
         "SELECT string_agg(c.collation_name || v.table_name, ',') FROM "
         "information_schema.columns c, information_schema.views v WHERE c.table_schema = "
         "current_schema() AND c.table_name = 'tagfile_' AND c.column_name = 'val' "
         "AND v.table_schema = 'velatask_tags'",
         QStringLiteral("Ctagfile_")},
        {"a table without the change trigger", "DROP TRIGGER velatask_changes ON History",
         "SELECT count(*) FROM pg_trigger WHERE tgname = 'velatask_changes' "
         "AND tgrelid = 'history'::regclass",
         1},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(dataExec(QString::fromUtf8(c.damage)), QString()) << c.what;
    }
    // Older builds left no mark.
    ASSERT_EQ(dataExec(QStringLiteral("COMMENT ON TABLE velatask_changes IS NULL")), QString());

    ScriptedUi ui;
    Store station(m_dir.path(), m_server->address(), ui);
    ASSERT_EQ(station.SCH.open(), 0) << station.SCH.error().driverText.toStdString();
    EXPECT_TRUE(ui.boxes().empty());
    for (const Case& c : cases) {
        EXPECT_EQ(dataValue(QString::fromUtf8(c.check)).toString(), c.expected.toString())
            << c.what;
    }
    // The mended tables still take and show writes.
    ASSERT_EQ(station.HIS.open(), 0);
    station.HIS.clearBuffer();
    const std::uint64_t seen = station.changeCount();
    ASSERT_EQ(station.HIS.add(), 0) << station.HIS.error().driverText.toStdString();
    EXPECT_NE(station.changeCount(), seen);
}

TEST_F(ServerStoreTest, AStationWhoseConnectionTheServerEndedCarriesOnOnANewOne) {
    auto& sch = store().SCH;
    ASSERT_EQ(sch.open(), 0);
    ASSERT_EQ(addTask(sch, task(1, "", "first", 10, 1)), 0);
    ScriptedUi otherUi;
    Store other(m_dir.path(), m_server->address(), otherUi);
    ASSERT_EQ(other.SCH.open(), 0);
    // As a restart of the server does: every session of this station ends.
    const auto cut = [&] {
        return dataValue(
                   QStringLiteral("SELECT count(*) FILTER (WHERE pg_terminate_backend(pid, 5000)) "
                                  "FROM pg_stat_activity WHERE datname = current_database() "
                                  "AND pid <> pg_backend_pid()"))
            .toInt();
    };
    struct Case {
        const char* what;
        bool cutFirst;
        std::function<int()> step;
        int code;
    };
    int id = 10;
    const Case cases[] = {
        {"a read", true,
         [&] {
             sch.buffer().ID = 1;
             return sch.fetch(ScheduleKey::KeyID);
         },
         0},
        {"a transaction begun", true,
         [&] {
             Transaction t(store());
             if (const int code = t.begin(); code != 0) {
                 return code;
             }
             if (const int code = addTask(sch, task(++id, "", "in one", 10, 1)); code != 0) {
                 return code;
             }
             return t.commit();
         },
         0},
        {"a write alone, reported once", true,
         [&] { return addTask(sch, task(++id, "", "x", 1, 1)); }, StoreCode::DriverError},
        {"the write again", false, [&] { return addTask(sch, task(id, "", "x", 1, 1)); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.cutFirst) {
            ASSERT_GT(cut(), 0);
        }
        EXPECT_EQ(c.step(), c.code) << store().lastError().driverText.toStdString();
    }
    // A transaction the cut ends is undone; the next one writes.
    {
        Transaction t(store());
        ASSERT_EQ(t.begin(), 0);
        ASSERT_EQ(addTask(sch, task(50, "", "lost", 1, 1)), 0);
        ASSERT_GT(cut(), 0);
        EXPECT_NE(addTask(sch, task(51, "", "lost", 1, 1)), 0);
        t.rollback();
    }
    ASSERT_EQ(addTask(sch, task(52, "", "kept", 1, 1)), 0) << sch.error().driverText.toStdString();
    // The change count reads the same after a cut, and still moves with another station's write.
    const std::uint64_t seen = store().changeCount();
    ASSERT_GT(cut(), 0);
    EXPECT_EQ(store().changeCount(), seen);
    other.SCH.buffer().ID = 1;
    ASSERT_EQ(other.SCH.fetch(ScheduleKey::KeyID), 0) << other.SCH.error().driverText.toStdString();
    other.SCH.buffer() = task(60, "", "theirs", 1, 1);
    ASSERT_EQ(other.SCH.add(), 0) << other.SCH.error().driverText.toStdString();
    EXPECT_NE(store().changeCount(), seen);
    EXPECT_EQ(order(sch, ScheduleKey::KeyID), (std::vector<int>{1, 11, 12, 52, 60}));
}

TEST_F(ServerStoreTest, AStationSaysWhyWhileTheServerIsAwayAndCarriesOnWhenItIsBack) {
    auto& sch = store().SCH;
    ASSERT_EQ(sch.open(), 0);
    ASSERT_EQ(addTask(sch, task(1, "", "first", 10, 1)), 0);
    ASSERT_EQ(m_server->allowConnections(false), QString());
    ASSERT_EQ(m_server->endSessions(), QString());
    const auto read = [&] {
        sch.buffer().ID = 1;
        return sch.fetch(ScheduleKey::KeyID);
    };
    struct Case {
        const char* what;
        std::function<int()> step;
    };
    const Case cases[] = {
        {"a read", read},
        {"a write", [&] { return addTask(sch, task(2, "", "second", 10, 1)); }},
        {"a transaction", [&] { return Transaction(store()).begin(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.step(), StoreCode::DriverError);
        // The server's own words, not a file that is not open.
        EXPECT_TRUE(store().lastError().driverText.contains(QLatin1String("connections")))
            << store().lastError().driverText.toStdString();
    }
    ASSERT_EQ(m_server->allowConnections(true), QString());
    EXPECT_TRUE(waitFor([&] { return read() == 0; }));
    ASSERT_EQ(addTask(sch, task(2, "", "second", 10, 1)), 0)
        << sch.error().driverText.toStdString();
    EXPECT_EQ(order(sch, ScheduleKey::KeyID), (std::vector<int>{1, 2}));
}

} // namespace
} // namespace velatask
