#include "store/ServerCopy.h"
#include "RawSqlite.h"
#include "ServerDatabase.h"
#include "StoreTestBase.h"
#include "store/Connection.h"
#include "store/SqlDialect.h"
#include "store/TableDef.h"
#include "store/TableOpener.h"
#include "store/Tags.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace velatask {
namespace {

const std::vector<const TableDef*>& allTables() {
    static const std::vector<const TableDef*> tables{
        &TableDef::schedule(), &TableDef::history(),   &TableDef::categories(),
        &TableDef::toDo(),     &TableDef::scripting(), &TableDef::tagFile_()};
    return tables;
}

// Every record of a table with its position, each value as text (the engines hand numbers over
// in different types).
std::vector<QStringList> contents(Connection& c, const TableDef& t) {
    QStringList names{c.dialect().positionColumn()};
    for (const ColumnDef& col : t.columns) {
        names << col.name;
    }
    std::vector<Connection::Row> rows;
    StoreError e;
    c.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY 1").arg(names.join(", "), t.table), {}, e,
           &rows);
    EXPECT_EQ(e.code, 0) << e.driverText.toStdString();
    std::vector<QStringList> out;
    for (const Connection::Row& r : rows) {
        QStringList texts;
        for (const QVariant& v : r) {
            texts << v.toString();
        }
        out.push_back(texts);
    }
    return out;
}

// The files of a data folder and a new database on the private server to copy them to.
struct CopyEnds {
    explicit CopyEnds(const QDir& folder)
        : data(folder.filePath(QStringLiteral("SM"))),
          tags(folder.filePath(QStringLiteral("TagFile_.VDB"))),
          target(std::make_unique<PostgresDialect>(server.address()), "server") {}

    // Empty when the database is made and open; why not otherwise.
    QString open() {
        if (!server.problem().isEmpty()) {
            return server.problem();
        }
        StoreError e;
        return target.open(true, e) == 0 ? QString() : e.driverText;
    }

    ServerDatabase server;
    Connection data;
    Connection tags;
    Connection target;
};

class ServerCopyTest : public StoreTestBase {
protected:
    void SetUp() override {
        if (ServerDatabase::host().isEmpty()) {
            GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
        }
        // A schedule in the files, with gaps in the positions and tags that point at them.
        auto& sch = store().SCH;
        ASSERT_EQ(sch.open(), 0);
        for (int id = 1; id <= 300; ++id) {
            ASSERT_EQ(addTask(sch, task(id, id % 3 ? "Work" : "home",
                                        "it's \"quoted\", {a\\b} NULL", 1000 + id, id % 7)),
                      0);
        }
        sch.buffer().ID = 2;
        ASSERT_EQ(sch.fetch(ScheduleKey::KeyID), 0);
        ASSERT_EQ(sch.erase(), 0);
        ASSERT_EQ(store().HIS.open(), 0);
        store().HIS.buffer().ID = 7;
        store().HIS.buffer().Message = QString(900, QLatin1Char('m'));
        ASSERT_EQ(store().HIS.add(), 0);
        ASSERT_EQ(store().CAT.open(), 0);
        for (const char* name : {"Work", "home", "Äpfel"}) {
            store().CAT.buffer().Category = QString::fromUtf8(name);
            ASSERT_EQ(store().CAT.add(), 0);
        }
        ASSERT_EQ(store().TDO.open(), 0);
        store().TDO.buffer() = ToDoRecord{1, 3, "call"};
        ASSERT_EQ(store().TDO.add(), 0);
        ASSERT_EQ(store().SCR.open(), 0);
        store().SCR.buffer().ID = 3;
        store().SCR.buffer().Sequence = 1;
        store().SCR.buffer().Keystrokes = "{ENTER}";
        ASSERT_EQ(store().SCR.add(), 0);
        Tags tags(store());
        tags.SetTags_(1, {3, 5, 299});
        m_store.reset();
    }

    QString path(const char* name) const { return QDir(m_dir.path()).filePath(name); }
};

TEST_F(ServerCopyTest, EveryRecordKeepsItsPositionAndAServerWithTasksIsNeverOverwritten) {
    struct Case {
        const char* what;
        QStringList before; // run on the server after its tables are made
        int code;
    };
    const Case cases[] = {
        {"an empty server takes everything", {}, 0},
        {"a server that holds tasks is refused",
         {"INSERT INTO History (ID, Description) VALUES (1, 'theirs')"},
         StoreCode::DuplicateKey},
        {"a copy that fails halfway leaves the server as it was",
         {"INSERT INTO Categories (Category) VALUES ('WORK')"},
         StoreCode::DuplicateKey},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CopyEnds ends(m_dir.path());
        ASSERT_EQ(ends.open(), QString());
        auto& [server, data, tags, target] = ends;
        StoreError e;
        std::vector<std::vector<QStringList>> before;
        if (!c.before.isEmpty()) {
            for (const TableDef* t : allTables()) {
                ASSERT_EQ(TableOpener::create(target, *t, e), 0);
            }
            for (const QString& sql : c.before) {
                ASSERT_EQ(target.exec(sql, {}, e), 0) << e.driverText.toStdString();
            }
            for (const TableDef* t : allTables()) {
                before.push_back(contents(target, *t));
            }
        }

        ServerCopy copy(data, tags, target);
        EXPECT_EQ(copy.run(e), c.code) << e.driverText.toStdString();
        for (size_t i = 0; i < allTables().size(); ++i) {
            const TableDef& t = *allTables()[i];
            SCOPED_TRACE(t.table.toStdString());
            if (c.code == 0) {
                EXPECT_EQ(contents(target, t), contents(t.tagFile ? tags : data, t));
            } else {
                EXPECT_EQ(contents(target, t), before[i]);
            }
        }
        if (c.code == 0) {
            EXPECT_EQ(copy.copied(), 299 + 1 + 3 + 1 + 1 + 3);
            std::vector<std::pair<QString, std::int64_t>> perTable;
            for (const TableDef* t : allTables()) {
                perTable.emplace_back(t->table, std::int64_t(contents(target, *t).size()));
            }
            EXPECT_EQ(copy.copiedPerTable(), perTable);
            // Records added on the server come after the copied ones.
            ScriptedUi ui;
            Store station(m_dir.path(), server.address(), ui);
            ASSERT_EQ(station.SCH.open(), 0);
            station.SCH.buffer() = task(301, "", "new", 1, 1);
            ASSERT_EQ(station.SCH.add(), 0) << station.SCH.error().driverText.toStdString();
            EXPECT_EQ(station.SCH.pointer(), 301);
        }
    }
}

// A schedule of a hundred thousand records arrives with every value and position, the gaps that
// deletions left included.
TEST_F(ServerCopyTest, AHundredThousandRecordsArriveWhole) {
    constexpr int kRecords = 100000;
    {
        RawSqlite raw(path("SM"));
        QStringList names;
        QStringList values;
        int n = 0;
        for (const ColumnDef& c : TableDef::schedule().columns) {
            names << c.name;
            ++n;
            if (c.name == QLatin1String("ID")) {
                values << QStringLiteral("1000 + x");
            } else if (c.type == ColumnType::Text) {
                values << QStringLiteral("substr('w%1 ' || (x * %1 % 9973) || ' é\"', 1, %2)")
                              .arg(n)
                              .arg(c.width > 0 ? c.width : 1000);
            } else if (c.type == ColumnType::Long) {
                values << QStringLiteral("x * %1 % 1000003").arg(n);
            } else {
                values << QStringLiteral("(x + %1) % 2").arg(n);
            }
        }
        ASSERT_TRUE(raw.exec(
            QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE "
                           "x < %1) INSERT INTO Schedule (%2) SELECT %3 FROM n")
                .arg(kRecords)
                .arg(names.join(", "), values.join(", "))))
            << raw.lastError().toStdString();
        ASSERT_TRUE(raw.exec(QStringLiteral("DELETE FROM Schedule WHERE ID % 1000 = 7")));
    }
    CopyEnds ends(m_dir.path());
    ASSERT_EQ(ends.open(), QString());
    auto& [server, data, tags, target] = ends;
    StoreError e;
    ServerCopy copy(data, tags, target);
    ASSERT_EQ(copy.run(e), 0) << e.driverText.toStdString();
    const std::vector<QStringList> expected = contents(data, TableDef::schedule());
    ASSERT_GT(expected.size(), size_t(kRecords));
    const std::vector<QStringList> copied = contents(target, TableDef::schedule());
    ASSERT_EQ(copied.size(), expected.size());
    // Compared whole: a mismatch would print a hundred thousand records.
    EXPECT_TRUE(copied == expected);
}

} // namespace
} // namespace velatask
