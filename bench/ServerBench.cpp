// The store on a PostgreSQL server: copying a schedule of 10^5 tasks from the files. Needs the
// private server of scripts/bench.sh (its socket folder in VELATASK_TEST_PGHOST).
#include "bench/support/BenchData.h"
#include "store/Connection.h"
#include "store/ServerCopy.h"
#include "store/SqlDialect.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
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
    g_files.reset();
    return 0;
}
