#include "../store/RawSqlite.h"
#include "../store/ServerDatabase.h"
#include "../support/MemoryTempDir.h"
#include "../support/WaitFor.h"

#include "core/Date.h"
#include "core/Time.h"
#include "platform/fake/ScriptedUi.h"
#include "store/Connection.h"
#include "store/Store.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace velatask;

namespace {

constexpr int kTasks = 3;

// An occurrence in whole minutes since day 0, with its task.
using Occurrence = std::pair<int, std::int64_t>;

std::int64_t minutes(std::int64_t date, std::int64_t time) {
    return date * 1440 + (time - 1) / Time::kMinute;
}

enum class Backend { File, Server };

// The scheduler in processes of its own, killed or run side by side on one data folder or one
// database on the private server.
class FaultInjectionTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Server) {
            if (ServerDatabase::host().isEmpty()) {
                GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
            }
            m_server = std::make_unique<ServerDatabase>();
            ASSERT_EQ(m_server->problem(), QString());
        }
        ScriptedUi ui;
        std::unique_ptr<Store> made =
            m_server ? std::make_unique<Store>(m_dir.path(), m_server->address(), ui)
                     : std::make_unique<Store>(m_dir.path(), ui);
        Store& store = *made;
        ASSERT_EQ(store.SCH.open(), 0);
        for (int id = 1; id <= kTasks; ++id) {
            ScheduleRecord r;
            r.ID = id;
            r.TaskType = QStringLiteral("Run Program");
            r.Command = QStringLiteral("true");
            r.Description = QStringLiteral("task %1").arg(id);
            r.ScheduleType = QStringLiteral("Custom");
            r.Every = 1;
            r.EveryType = QStringLiteral("minute(s)");
            r.Date = Date::fromYmd(1999, 1, 4);
            r.Time = Time::fromHms(9, 1);
            store.SCH.buffer() = r;
            ASSERT_EQ(store.SCH.add(), 0);
        }
    }

    QString log() const { return m_dir.filePath(QStringLiteral("performed.log")); }

    // Every performance the stations logged.
    std::vector<Occurrence> performed() const {
        std::vector<Occurrence> all;
        QFile file(log());
        if (!file.open(QIODevice::ReadOnly)) {
            return all;
        }
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() == 3) {
                all.emplace_back(f[0].toInt(), minutes(f[1].toLongLong(), f[2].toLongLong()));
            }
        }
        return all;
    }

    // Polled while a station runs: counts the whole lines without parsing them.
    int performedCount() const {
        QFile file(log());
        return file.open(QIODevice::ReadOnly) ? static_cast<int>(file.readAll().count('\n')) : 0;
    }

    // All rows of a query on the stations' tables.
    std::vector<QVariantList> rows(const QString& sql) {
        if (!m_server) {
            return RawSqlite(m_dir.filePath(QStringLiteral("SM"))).rows(sql);
        }
        Connection c(std::make_unique<PostgresDialect>(m_server->address()), "server");
        StoreError e;
        std::vector<Connection::Row> out;
        EXPECT_EQ(c.open(false, e), 0);
        EXPECT_EQ(c.exec(sql, {}, e, &out), 0) << e.driverText.toStdString();
        return out;
    }

    // Checks the data: whole, each task moved once per history copy, and every history copy of
    // an occurrence that was performed. Returns the history copies.
    std::multiset<Occurrence> checkDataFile() {
        if (!m_server) {
            RawSqlite raw(m_dir.filePath(QStringLiteral("SM")));
            EXPECT_EQ(raw.value(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
        } else {
            // A killed station's server session may still be finishing the commit it sent: the
            // reads below see the server once every station's session has ended.
            EXPECT_TRUE(waitFor([&] {
                return rows(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE datname = "
                                           "current_database() AND pid <> pg_backend_pid() AND "
                                           "backend_type = 'client backend'"))
                           .at(0)
                           .at(0)
                           .toInt() == 0;
            }));
        }
        std::multiset<Occurrence> history;
        for (const QVariantList& r : rows(QStringLiteral(
                 "SELECT Description, Date, Time FROM Schedule WHERE Completed = 1"))) {
            history.emplace(r[0].toString().mid(5).toInt(),
                            minutes(r[1].toLongLong(), r[2].toLongLong()));
        }
        const std::int64_t first = minutes(Date::fromYmd(1999, 1, 4), Time::fromHms(9, 1));
        for (const QVariantList& r :
             rows(QStringLiteral("SELECT ID, Date, Time FROM Schedule WHERE Completed = 0"))) {
            const int id = r[0].toInt();
            const std::int64_t next = minutes(r[1].toLongLong(), r[2].toLongLong());
            // Moved exactly once for each history copy, which are the occurrences before it.
            for (std::int64_t m = first; m < next; ++m) {
                EXPECT_EQ(history.count({id, m}), 1u) << "task " << id << " minute " << m - first;
            }
            EXPECT_EQ(static_cast<std::int64_t>(history.size()) -
                          std::count_if(history.begin(), history.end(),
                                        [&](const Occurrence& o) { return o.first != id; }),
                      next - first)
                << "task " << id;
        }
        const std::vector<Occurrence> done = performed();
        for (const Occurrence& o : std::set<Occurrence>(history.begin(), history.end())) {
            EXPECT_NE(std::find(done.begin(), done.end(), o), done.end())
                << "recorded but never performed: task " << o.first;
        }
        return history;
    }

    QProcess* startStation(const QStringList& args) {
        auto* p = new QProcess;
        m_processes.emplace_back(p);
        if (m_server) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("VELATASK_STATION_DATABASE"), m_server->address().name);
            p->setProcessEnvironment(env);
        }
        p->start(QStringLiteral(VELATASK_STATION_CHILD), QStringList{m_dir.path(), log()} + args);
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    }

    std::unique_ptr<ServerDatabase> m_server;
    // Thousands of synced commits: a killed process keeps as much in memory as on a disk.
    QTemporaryDir m_dir{memoryTempTemplate()};
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace

// Killed at random moments in the middle of ticks that perform tasks, and at the worst moment on
// purpose (after performing, before recording), the scheduler leaves a whole data file in which
// each occurrence is performed and moved on with one history copy, or not moved at all.
TEST_P(FaultInjectionTest, KilledSchedulerNeverRecordsAnOccurrenceTwiceOrWithoutPerformingIt) {
    constexpr int kRuns = 200;
    QRandomGenerator random(20260116);
    int kills = 0;
    for (int run = 0; run < kRuns; ++run) {
        SCOPED_TRACE(run);
        const int before = performedCount();
        if (run % 2 == 0) {
            QProcess* child =
                startStation({QStringLiteral("crash"), QString::number(random.bounded(1, 5))});
            ASSERT_TRUE(child->waitForFinished(20000));
            EXPECT_EQ(child->exitStatus(), QProcess::CrashExit);
        } else {
            QProcess* child = startStation({QStringLiteral("crash")});
            const int target = before + random.bounded(1, 6);
            ASSERT_TRUE(waitFor([&] { return performedCount() >= target; }, 20000));
            child->kill();
            ASSERT_TRUE(child->waitForFinished(10000));
        }
        ++kills;
        checkDataFile();
        if (HasFailure()) {
            return;
        }
    }
    // Performances that were never recorded are the ones cut short, at most one per kill.
    const std::multiset<Occurrence> history = checkDataFile();
    EXPECT_LE(performedCount() - static_cast<int>(history.size()), kills);
    EXPECT_GT(history.size(), static_cast<std::size_t>(kRuns)) << "the runs made progress";
}

// Two stations on one data folder, tasks due every minute for ten minutes on a clock thirty times
// faster than real time: every occurrence is performed once in all and recorded once.
TEST_P(FaultInjectionTest, TwoStationsPerformEveryOccurrenceExactlyOnceInAll) {
    constexpr int kMinutes = 10;
    const QString epoch = QString::number(QDateTime::currentMSecsSinceEpoch());
    const QStringList args{QStringLiteral("station"), epoch, QStringLiteral("30"),
                           QString::number(kMinutes)};
    QProcess* first = startStation(args);
    QProcess* second = startStation(args);
    for (QProcess* p : {first, second}) {
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    const std::vector<Occurrence> done = performed();
    const std::multiset<Occurrence> history = checkDataFile();
    std::map<Occurrence, int> times;
    for (const Occurrence& o : done) {
        ++times[o];
    }
    EXPECT_EQ(times.size(), static_cast<std::size_t>(kTasks * kMinutes));
    for (const auto& [occurrence, count] : times) {
        EXPECT_EQ(count, 1) << "task " << occurrence.first << " performed " << count << " times";
        EXPECT_EQ(history.count(occurrence), 1u);
    }
    EXPECT_EQ(history.size(), done.size());
}

INSTANTIATE_TEST_SUITE_P(Backends, FaultInjectionTest,
                         ::testing::Values(Backend::File, Backend::Server),
                         [](const ::testing::TestParamInfo<Backend>& param) {
                             return param.param == Backend::File ? "File" : "Server";
                         });
