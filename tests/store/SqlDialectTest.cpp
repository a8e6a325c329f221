#include "store/SqlDialect.h"
#include "../support/WaitFor.h"
#include "ServerDatabase.h"
#include "StoreTestBase.h"
#include "store/TableDef.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace velatask {
namespace {

enum class Backend { File, Server };

const std::vector<const TableDef*>& allTables() {
    static const std::vector<const TableDef*> tables{
        &TableDef::schedule(), &TableDef::history(),   &TableDef::categories(),
        &TableDef::toDo(),     &TableDef::scripting(), &TableDef::tagFile_()};
    return tables;
}

// Everything a table needs, in one write transaction, as the opener makes it.
StoreError createTable(DialectSession& session, const SqlDialect& dialect, const TableDef& t) {
    StoreError e;
    if (dialect.begin(session.runner(), 2000, 2000, e) != 0) {
        return e;
    }
    QStringList statements = dialect.createSchemaSql() + dialect.createTableSql(t);
    for (int k = 0; k < int(t.keys.size()); ++k) {
        statements += dialect.createIndexSql(t, k);
    }
    e = session.runAll(statements);
    StoreError end;
    session.run(e.code == 0 ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"), end);
    return e.code != 0 ? e : end;
}

// A file in a temporary folder, or a database of its own on the private server.
class Engine {
public:
    explicit Engine(Backend backend) : m_backend(backend) {}

    // Empty when usable; "skip" when the server is not there.
    QString start() {
        if (m_backend == Backend::File) {
            m_dialect = std::make_unique<SqliteDialect>(QDir(m_dir.path()).filePath("SM"));
        } else {
            if (ServerDatabase::host().isEmpty()) {
                return QStringLiteral("skip");
            }
            m_server = std::make_unique<ServerDatabase>();
            if (!m_server->problem().isEmpty()) {
                return m_server->problem();
            }
            m_dialect = std::make_unique<PostgresDialect>(m_server->address());
        }
        m_session = std::make_unique<DialectSession>(*m_dialect);
        return m_session->problem();
    }
    const SqlDialect& dialect() const { return *m_dialect; }
    DialectSession& session() { return *m_session; }
    std::unique_ptr<DialectSession> another(int waitMs = 2000) {
        return std::make_unique<DialectSession>(*m_dialect, waitMs);
    }

private:
    Backend m_backend;
    QTemporaryDir m_dir;
    std::unique_ptr<ServerDatabase> m_server;
    std::unique_ptr<SqlDialect> m_dialect;
    std::unique_ptr<DialectSession> m_session;
};

#define START_ENGINE(engine)                                                                       \
    do {                                                                                           \
        const QString problem = (engine).start();                                                  \
        if (problem == QLatin1String("skip")) {                                                    \
            GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";                      \
        }                                                                                          \
        ASSERT_EQ(problem, QString());                                                             \
    } while (false)

class DialectCatalogTest : public ::testing::TestWithParam<Backend> {};

TEST_P(DialectCatalogTest, TheSchemaIsMadeOnceAndReadsBackAsDeclared) {
    Engine engine(GetParam());
    START_ENGINE(engine);
    const SqlDialect& d = engine.dialect();
    DialectSession& s = engine.session();
    for (const TableDef* t : allTables()) {
        SCOPED_TRACE(t->table.toStdString());
        // Made twice: the second time finds everything there and changes nothing.
        for (int round = 0; round < 2; ++round) {
            const StoreError e = createTable(s, d, *t);
            ASSERT_EQ(e.code, 0) << e.driverText.toStdString();
        }
        EXPECT_EQ(s.value(d.tableSql(), {d.catalogName(t->table)}).toString(),
                  d.catalogName(t->table));
        std::vector<QVariantList> columns;
        StoreError e;
        ASSERT_EQ(s.run(d.columnsSql(), e, {d.catalogName(t->table)}, &columns), 0);
        ASSERT_EQ(columns.size(), t->columns.size());
        for (size_t c = 0; c < columns.size(); ++c) {
            EXPECT_EQ(columns[c].value(0).toString(), d.catalogName(t->columns[c].name));
            EXPECT_EQ(columns[c].value(1).toString(),
                      t->isText(int(c)) ? QStringLiteral("TEXT") : QStringLiteral("INTEGER"));
            EXPECT_TRUE(columns[c].value(2).toBool());
        }
        for (int k = 0; k < int(t->keys.size()); ++k) {
            EXPECT_EQ(s.value(d.indexSql(), {t->indexName(k)}).toString(),
                      d.indexDeclaration(*t, k));
        }
    }
    EXPECT_FALSE(s.value(d.tableSql(), {d.catalogName(QStringLiteral("Nothing"))}).isValid());

    // A key made otherwise by hand no longer reads as declared.
    const TableDef& sch = TableDef::schedule();
    ASSERT_EQ(s.runAll({d.dropIndexSql(sch, 1), QStringLiteral("CREATE INDEX \"%1\" ON Schedule "
                                                               "(Date)")
                                                    .arg(sch.indexName(1))})
                  .code,
              0);
    EXPECT_NE(s.value(d.indexSql(), {sch.indexName(1)}).toString(), d.indexDeclaration(sch, 1));
}

INSTANTIATE_TEST_SUITE_P(Backends, DialectCatalogTest,
                         ::testing::Values(Backend::File, Backend::Server),
                         [](const ::testing::TestParamInfo<Backend>& param) {
                             return param.param == Backend::File ? "File" : "Server";
                         });

// Texts whose order tells folding apart: capitals, the signs between capitals and small
// letters in ASCII, letters beyond ASCII (not folded, ordered by their bytes), prefixes.
const QStringList kTexts{"",  "a", "A", "b",  "B",  "_",  "[",   "Z",  "z",
                         "Ä", "ä", "é", "ab", "aB", "Ab", "a b", "A_", "a["};

struct Filled {
    const TableDef* table;
    QStringList columns;
    std::vector<QVariantList> rows;
};

std::vector<Filled> filledTables() {
    const int n = int(kTexts.size());
    Filled schedule{&TableDef::schedule(),
                    {"ID", "TaskType", "Category", "Description", "Date", "Time", "Disabled",
                     "AdvanceWarned", "AdvanceWarnDate", "AdvanceWarnTime"},
                    {}};
    for (int i = 0; i < 80; ++i) {
        schedule.rows.push_back({i + 1, kTexts[(i * 3) % n], kTexts[i % n], kTexts[(i * 7) % n],
                                 (i * 5) % 4, (i * 3) % 3, i % 2, i % 3 == 0 ? 1 : 0, (i % 4) * 7,
                                 i % 5});
    }
    Filled categories{&TableDef::categories(), {"Category"}, {}};
    for (const char* c : {"Work", "home", "_x", "[y", "Äpfel", "apfel", "Zed", "b", "äpfel"}) {
        categories.rows.push_back({QString::fromUtf8(c)});
    }
    Filled toDo{&TableDef::toDo(), {"Done", "Priority", "ToDo"}, {}};
    for (int i = 0; i < 40; ++i) {
        toDo.rows.push_back({i % 2, (i * 7) % 4, kTexts[(i * 5) % n]});
    }
    Filled tags{&TableDef::tagFile_(), {"Usr", "Tbl", "Ptr", "Val"}, {}};
    for (int i = 0; i < 40; ++i) {
        tags.rows.push_back({i % 2, i % 3, i, kTexts[(i * 11) % n]});
    }
    return {schedule, categories, toDo, tags};
}

StoreError fill(DialectSession& s, const Filled& f) {
    QStringList marks;
    for (int i = 0; i < f.columns.size(); ++i) {
        marks << QStringLiteral("?");
    }
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(f.table->table, f.columns.join(QStringLiteral(", ")),
                                 marks.join(QStringLiteral(", ")));
    StoreError e;
    for (const QVariantList& row : f.rows) {
        if (s.run(sql, e, row) != 0) {
            break;
        }
    }
    return e;
}

// The positions of the records a key lists, in its order.
QString keyOrderSql(const SqlDialect& d, const TableDef& t, int k) {
    QStringList terms;
    for (int c : t.keys[k].columns) {
        terms << d.keyTerm(t, c);
    }
    terms << d.positionColumn();
    const QString condition = t.presentCondition(k);
    return QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
        .arg(d.positionColumn(), t.table,
             condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition,
             terms.join(QStringLiteral(", ")));
}

std::vector<qlonglong> positions(DialectSession& s, const QString& sql) {
    std::vector<QVariantList> rows;
    StoreError e;
    EXPECT_EQ(s.run(sql, e, {}, &rows), 0) << e.driverText.toStdString();
    std::vector<qlonglong> out;
    for (const QVariantList& r : rows) {
        out.push_back(r.value(0).toLongLong());
    }
    return out;
}

TEST(ServerKeys, EachKeyListsTheRecordsAsTheFileDoesAndTheServerReadsItFromTheIndex) {
    Engine server(Backend::Server);
    START_ENGINE(server);
    Engine file(Backend::File);
    START_ENGINE(file);
    StoreError e;
    ASSERT_EQ(server.session().run(QStringLiteral("SET enable_seqscan = off"), e), 0);
    ASSERT_EQ(server.session().run(QStringLiteral("SET enable_bitmapscan = off"), e), 0);
    for (const Filled& f : filledTables()) {
        const TableDef& t = *f.table;
        for (Engine* engine : {&server, &file}) {
            ASSERT_EQ(createTable(engine->session(), engine->dialect(), t).code, 0);
            e = fill(engine->session(), f);
            ASSERT_EQ(e.code, 0) << e.driverText.toStdString();
        }
        for (int k = 0; k < int(t.keys.size()); ++k) {
            SCOPED_TRACE(t.indexName(k).toStdString());
            const auto expected = positions(file.session(), keyOrderSql(file.dialect(), t, k));
            EXPECT_GE(expected.size(), 2u); // the rows must tell orders apart
            EXPECT_EQ(positions(server.session(), keyOrderSql(server.dialect(), t, k)), expected);

            std::vector<QVariantList> plan;
            ASSERT_EQ(server.session().run(QStringLiteral("EXPLAIN ") +
                                               keyOrderSql(server.dialect(), t, k),
                                           e, {}, &plan),
                      0);
            QString text;
            for (const QVariantList& line : plan) {
                text += line.value(0).toString() + QLatin1Char('\n');
            }
            EXPECT_TRUE(text.contains(QStringLiteral("using \"%1\"").arg(t.indexName(k))))
                << text.toStdString();
            // Equal values of a non-unique key come in position order straight from the index.
            if (!t.keys[k].unique) {
                EXPECT_FALSE(text.contains(QLatin1String("Sort"))) << text.toStdString();
            }
        }
    }
}

// Two sessions that update two rows in opposite order; the server breaks the deadlock by
// failing one of them, whose error is returned.
StoreError provokeDeadlock(Engine& engine) {
    // A table without the change counter, which would make the second writer wait at once.
    const QString update = QStringLiteral("UPDATE pair SET n = n + 1 WHERE k = %1");
    // Lock waits outlast the deadlock check, which the server runs after 100 ms of waiting.
    auto a = engine.another(10000);
    auto watcher = engine.another();
    StoreError e;
    EXPECT_EQ(a->runAll({QStringLiteral("CREATE TABLE pair (k int, n int)"),
                         QStringLiteral("INSERT INTO pair VALUES (1, 0), (2, 0)"),
                         QStringLiteral("SET deadlock_timeout = 100"), QStringLiteral("BEGIN"),
                         update.arg(1)})
                  .code,
              0);
    std::atomic<bool> bHoldsRow{false};
    StoreError fromB;
    std::thread b([&] {
        DialectSession other(engine.dialect(), 10000);
        other.runAll(
            {QStringLiteral("SET deadlock_timeout = 100"), QStringLiteral("BEGIN"), update.arg(2)});
        bHoldsRow = true;
        other.run(update.arg(1), fromB);
        StoreError ignored;
        other.run(QStringLiteral("ROLLBACK"), ignored);
    });
    const bool bWaits = waitFor([&] {
        return bHoldsRow && watcher->value(QStringLiteral("SELECT count(*) FROM pg_stat_activity "
                                                          "WHERE wait_event_type = 'Lock'"))
                                    .toInt() == 1;
    });
    StoreError fromA;
    if (bWaits) {
        a->run(update.arg(2), fromA);
    }
    a->run(QStringLiteral("ROLLBACK"), e);
    b.join();
    EXPECT_TRUE(bWaits);
    EXPECT_TRUE((fromA.code == 0) != (fromB.code == 0)) << "exactly one side fails";
    return fromA.code != 0 ? fromA : fromB;
}

TEST(ServerErrors, EngineStatesReadAsTheFileStoreCodes) {
    Engine engine(Backend::Server);
    START_ENGINE(engine);
    const SqlDialect& d = engine.dialect();
    DialectSession& s = engine.session();
    for (const TableDef* t : {&TableDef::categories(), &TableDef::toDo()}) {
        ASSERT_EQ(createTable(s, d, *t).code, 0);
    }
    StoreError e;
    ASSERT_EQ(s.run(QStringLiteral("INSERT INTO Categories (Category) VALUES (?)"), e, {"Work"}),
              0);
    ASSERT_EQ(s.run(QStringLiteral("INSERT INTO ToDo (ToDo) VALUES ('x'), ('y')"), e), 0);

    struct Case {
        const char* what;
        std::function<StoreError()> provoke;
        int code;
        const char* state;
    };
    const Case cases[] = {
        {"a key value that differs only in letter case",
         [&] {
             StoreError out;
             s.run(QStringLiteral("INSERT INTO Categories (Category) VALUES (?)"), out, {"WORK"});
             return out;
         },
         StoreCode::DuplicateKey, "23505"},
        {"a table that is not there",
         [&] {
             StoreError out;
             s.run(QStringLiteral("SELECT * FROM Nothing"), out);
             return out;
         },
         StoreCode::FileNotFound, "42P01"},
        {"a statement the server cannot read",
         [&] {
             StoreError out;
             s.run(QStringLiteral("SELEC 1"), out);
             return out;
         },
         StoreCode::DriverError, "42601"},
        {"another station's write transaction outlasting the wait",
         [&] {
             auto holder = engine.another();
             StoreError out;
             EXPECT_EQ(d.begin(holder->runner(), 2000, 2000, out), 0);
             d.begin(s.runner(), 100, 2000, out);
             // The failed begin left no transaction and the session's own wait as it was.
             EXPECT_EQ(s.value(QStringLiteral("SHOW lock_timeout")).toString(), "2s");
             StoreError again;
             EXPECT_EQ(s.run(QStringLiteral("COMMIT"), again), 0); // a warning, no error
             holder->run(QStringLiteral("ROLLBACK"), again);
             return out;
         },
         StoreCode::IsLocked, "55P03"},
        {"a deadlock broken by the server", [&] { return provokeDeadlock(engine); },
         StoreCode::IsLocked, "40P01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StoreError out = c.provoke();
        EXPECT_EQ(out.code, c.code);
        EXPECT_TRUE(out.driverText.endsWith(QStringLiteral("(%1)").arg(c.state)))
            << out.driverText.toStdString();
        EXPECT_EQ(out.text, storeErrorText(c.code));
    }
}

TEST(ServerChanges, EveryCommittedWriteChangesTheStampAndWakesTheListeners) {
    Engine engine(Backend::Server);
    START_ENGINE(engine);
    const SqlDialect& d = engine.dialect();
    DialectSession& s = engine.session();
    ASSERT_EQ(createTable(s, d, TableDef::toDo()).code, 0);
    auto writer = engine.another();

    int notified = 0;
    QSqlDriver* driver = QSqlDatabase::database(s.connectionName(), false).driver();
    QObject::connect(driver, &QSqlDriver::notification, [&](const QString& channel) {
        notified += channel == PostgresDialect::changeChannel() ? 1 : 0;
    });
    ASSERT_TRUE(driver->subscribeToNotification(PostgresDialect::changeChannel()));

    auto stamp = [&] { return s.value(d.stampSql(QString())).toLongLong(); };
    qlonglong last = stamp();
    StoreError e;
    struct Step {
        const char* what;
        QStringList statements;
        bool changes;
    };
    const Step steps[] = {
        {"a read", {"SELECT count(*) FROM ToDo"}, false},
        {"an insert", {"INSERT INTO ToDo (ToDo) VALUES ('a')"}, true},
        {"a rolled back delete", {"BEGIN", "DELETE FROM ToDo", "ROLLBACK"}, false},
        {"a transaction of two writes",
         {"BEGIN", "DELETE FROM ToDo",
          "INSERT INTO ToDo (ToDo) "
          "VALUES ('b')",
          "COMMIT"},
         true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const int before = notified;
        ASSERT_EQ(writer->runAll(step.statements).code, 0);
        const qlonglong now = stamp();
        EXPECT_EQ(now != last, step.changes);
        last = now;
        if (step.changes) {
            EXPECT_TRUE(waitFor([&] { return notified > before; }));
        }
    }
    // A write not yet committed is not seen.
    ASSERT_EQ(writer->runAll({"BEGIN", "INSERT INTO ToDo (ToDo) VALUES ('c')"}).code, 0);
    EXPECT_EQ(stamp(), last);
    ASSERT_EQ(writer->runAll({"COMMIT"}).code, 0);
    EXPECT_NE(stamp(), last);
}

} // namespace
} // namespace velatask
