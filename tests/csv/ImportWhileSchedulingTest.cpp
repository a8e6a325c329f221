// The scheduler performs due tasks while an import runs, and what it writes stays whatever
// becomes of the import.
#include "tests/scheduler/EngineFixture.h"
#include "tests/store/RawSqlite.h"

#include "csv/ImportFile.h"
#include "csv/ImportJob.h"
#include "scheduler/DueTaskScan.h"

#include <QFile>

namespace velatask {
namespace {

constexpr int kLines = 500;
constexpr int kSlice = 25;

class ImportWhileSchedulingTest : public EngineFixture {
protected:
    // A weekly program start due on Monday 4 January 1999 at 9:00.
    std::int32_t addDueTask() {
        ScheduleRecord r;
        r.TaskType = QStringLiteral("Run Program");
        r.ScheduleType = QStringLiteral("Day of Week");
        r.Monday = 1;
        r.Description = QStringLiteral("Backup");
        r.Command = QStringLiteral("backup --all");
        r.Date = Date::fromYmd(1999, 1, 4);
        r.Time = Time::fromHms(9, 0);
        return addTask(r);
    }

    QString writeFile() {
        const QString path = dir.filePath(QStringLiteral("tasks.csv"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"SCH:Description\",\"SCH:Date\"\n");
        for (int i = 1; i <= kLines; ++i) {
            f.write(QStringLiteral("\"imported %1\",\"1/03/1999\"\n").arg(i).toUtf8());
        }
        return path;
    }

    int rows(const QString& where) {
        RawSqlite raw(dir.filePath(QStringLiteral("SM")));
        return raw.value(QStringLiteral("SELECT count(*) FROM Schedule WHERE ") + where).toInt();
    }
};

// Each case lets the scheduler tick after some slices, then ends the import one way or another.
// At a pace the import's transaction is still open at the tick: the scheduler's write has it
// committed first, and the import goes on in a new one.
TEST_F(ImportWhileSchedulingTest, DueTasksArePerformedBetweenSlicesAndTheirWritesStay) {
    const struct {
        const char* name;
        int slicesBefore; // slices run before the tick
        int slicesAfter;  // slices run after it, then the import is cancelled (-1: to the end)
        bool paced;       // at a pace whose commit never falls due
    } cases[] = {{"cancelled", 3, 2, false},
                 {"to the end", 1, -1, false},
                 {"cancelled at once", 2, 0, false},
                 {"paced, cancelled", 3, 2, true},
                 {"paced, cancelled at once", 2, 0, true},
                 {"paced, to the end", 2, -1, true}};
    const QString path = writeFile();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            RawSqlite raw(dir.filePath(QStringLiteral("SM")));
            ASSERT_TRUE(raw.exec(QStringLiteral("DELETE FROM Schedule")));
        }
        const size_t started = programs.starts().size();
        setNow(1999, 1, 4, 9, 0, 1);
        const std::int32_t due = addDueTask();

        ImportFile file;
        ASSERT_TRUE(file.open(path));
        ImportPlan plan;
        plan.setFields(file.fields());
        plan.autoAssign(file.values());
        int slices = 0;
        {
            ImportJob job(*store, file.reader(), file.size(), plan);
            if (c.paced) {
                job.commitAtPace(CommitPace([] { return std::int64_t(0); }));
            }
            ASSERT_TRUE(job.start(true));
            for (; slices < c.slicesBefore; ++slices) {
                ASSERT_EQ(job.step(kSlice), ImportJob::Step::More);
            }
            DueTaskScan(ctx); // the frame's tick between two slices
            ASSERT_EQ(programs.starts().size(), started + 1);
            EXPECT_EQ(programs.starts().back().commandLine, QStringLiteral("backup --all"));
            ImportJob::Step step = ImportJob::Step::More;
            for (int i = 0; i != c.slicesAfter && step == ImportJob::Step::More; ++i, ++slices) {
                step = job.step(kSlice);
            }
            EXPECT_EQ(step == ImportJob::Step::Finished, c.slicesAfter < 0);
            job.cancel(); // unless it ran to the end
            EXPECT_EQ(job.committed(), job.added());
        }

        const int imported = c.slicesAfter < 0 ? kLines : slices * kSlice;
        EXPECT_EQ(rows(QStringLiteral("Description LIKE 'imported %'")), imported);
        // The reschedule and the history copy of the performed task.
        EXPECT_EQ(rows(QStringLiteral("ID = %1 AND Date = %2 AND Completed = 0")
                           .arg(due)
                           .arg(Date::fromYmd(1999, 1, 11))),
                  1);
        EXPECT_EQ(rows(QStringLiteral("Description = 'Backup' AND Completed = 1 AND Date = %1")
                           .arg(Date::fromYmd(1999, 1, 4))),
                  1);
        EXPECT_EQ(rows(QStringLiteral("1")), imported + 2);
        EXPECT_TRUE(ui.boxes().empty());
    }
}

} // namespace
} // namespace velatask
