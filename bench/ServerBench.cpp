// The store on a PostgreSQL server: copying a schedule of 10^5 tasks from the files; at 10^6
// tasks the reads of a scheduler tick and a browse's first page. Needs the private server of
// scripts/bench.sh (its socket folder in VELATASK_TEST_PGHOST).
#include "bench/support/BenchData.h"
#include "store/Connection.h"
#include "store/ServerCopy.h"
#include "store/SqlDialect.h"
#include "store/WindowCursor.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace velatask;

namespace {

constexpr std::int32_t kFirstDate = 72000;
constexpr int kDays = 3000;

QString serverHost() {
    return qEnvironmentVariable("VELATASK_TEST_PGHOST");
}

// Runs one statement on the server's own database; false when it fails.
bool onServer(const QString& sql) {
    const QString name = QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(serverHost());
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("postgres"));
        ok = db.open() && QSqlQuery(db).exec(sql);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

class Files : public BenchData {
public:
    explicit Files(int rows) {
        store().SCH.open();
        std::mt19937 random(rows);
        addTasks(store(), rows,
                 [&](int i, ScheduleRecord& r) { r = listedTask(i, random, kFirstDate, kDays); });
    }
};

// Made on first use; closed in main() while the SQL drivers are still there.
std::unique_ptr<Files> g_files;

void BM_CopyToServer(benchmark::State& state) {
    if (serverHost().isEmpty()) {
        state.SkipWithError("no private server (VELATASK_TEST_PGHOST unset)");
        return;
    }
    if (!g_files) {
        g_files = std::make_unique<Files>(int(state.range(0)));
    }
    const Files& files = *g_files;
    std::int64_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString database = QStringLiteral("b_") + QUuid::createUuid().toString(QUuid::Id128);
        if (!onServer(QStringLiteral("CREATE DATABASE ") + database)) {
            state.SkipWithError("cannot make a database on the server");
            return;
        }
        {
            Connection data(QDir(files.path()).filePath(QStringLiteral("SM")));
            Connection tags(QDir(files.path()).filePath(QStringLiteral("TagFile_.VDB")));
            Connection server(std::make_unique<PostgresDialect>(
                                  ServerAddress{serverHost(), 0, database, "postgres"}),
                              database);
            StoreError error;
            server.open(true, error);
            state.ResumeTiming();
            ServerCopy copy(data, tags, server);
            if (copy.run(error) != 0) {
                state.SkipWithError(error.driverText.toUtf8().constData());
                return;
            }
            rows += copy.copied();
            state.PauseTiming();
        }
        onServer(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(database));
        state.ResumeTiming();
    }
    state.counters["rows/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}
// 10^6 tasks copied to a database of their own, and a station on it; made once per run.
class ServerTables {
public:
    ServerTables() : m_name(QStringLiteral("b_") + QUuid::createUuid().toString(QUuid::Id128)) {
        if (!onServer(QStringLiteral("CREATE DATABASE ") + m_name)) {
            return;
        }
        const ServerAddress address{serverHost(), 0, m_name, QStringLiteral("postgres")};
        {
            Files files(1000000);
            Connection data(QDir(files.path()).filePath(QStringLiteral("SM")));
            Connection tags(QDir(files.path()).filePath(QStringLiteral("TagFile_.VDB")));
            Connection server(std::make_unique<PostgresDialect>(address), m_name);
            StoreError error;
            if (server.open(true, error) != 0 || ServerCopy(data, tags, server).run(error) != 0) {
                return;
            }
        }
        m_store = std::make_unique<Store>(m_dir.path(), address, m_ui);
        if (m_store->SCH.open() != 0 || m_store->SCH1.open() != 0) {
            m_store.reset();
        }
    }
    ~ServerTables() {
        m_store.reset();
        onServer(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(m_name));
    }
    Store* store() { return m_store.get(); }

private:
    QString m_name;
    QTemporaryDir m_dir;
    ScriptedUi m_ui;
    std::unique_ptr<Store> m_store;
};
std::unique_ptr<ServerTables> g_tables;

Store* serverStore(benchmark::State& state) {
    if (serverHost().isEmpty()) {
        state.SkipWithError("no private server (VELATASK_TEST_PGHOST unset)");
        return nullptr;
    }
    if (!g_tables) {
        g_tables = std::make_unique<ServerTables>();
    }
    if (!g_tables->store()) {
        state.SkipWithError("cannot fill the server");
    }
    return g_tables->store();
}

// A tick while nothing changed: the change count, then (as after any write) the first task of
// KeyDateEnabled with the fields the scheduler reads.
void BM_ServerTickReads(benchmark::State& state) {
    Store* store = serverStore(state);
    if (!store) {
        return;
    }
    WindowCursor::Page page;
    for (auto _ : state) {
        store->changeCount();
        if (state.range(0) == 1) {
            WindowCursor cursor(*store, ScheduleKey::KeyDateEnabled);
            cursor.first(1, page);
        }
    }
    if (state.range(0) == 1 && page.size() != 1) {
        state.SkipWithError("no first task");
    }
}
BENCHMARK(BM_ServerTickReads)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Opening a browse of all tasks by date: its first page of 40 with the schedule list's columns.
void BM_ServerBrowseFirstPage(benchmark::State& state) {
    Store* store = serverStore(state);
    if (!store) {
        return;
    }
    WindowCursor::Page page;
    for (auto _ : state) {
        WindowCursor cursor(*store, ScheduleKey::KeyDate);
        cursor.setColumns({"Date", "Time", "Category", "Description", "TaskType", "ScheduleType",
                           "Completed", "Disabled", "SkipNextTime"});
        cursor.first(40, page);
    }
    if (page.size() != 40) {
        state.SkipWithError("short page");
    }
}
BENCHMARK(BM_ServerBrowseFirstPage)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_CopyToServer)
    ->Arg(100000)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_tables.reset();
    g_files.reset();
    return 0;
}
