#include "RawSqlite.h"
#include "StoreTestBase.h"

#include <QDeadlineTimer>
#include <QProcess>

namespace velatask {
namespace {

constexpr int kSteps = 10;

class CrashTest : public StoreTestBase {};

TEST_F(CrashTest, KilledInTheMiddleOfTransactionsLeavesEachWholeOrAbsent) {
    QProcess child;
    child.start(QStringLiteral(VELATASK_STORE_CRASH_CHILD),
                {m_dir.path(), QString::number(kSteps)});
    ASSERT_TRUE(child.waitForStarted());
    // Kill it halfway through a transaction, after a few commits.
    QByteArray out;
    QDeadlineTimer deadline(60000);
    while (!out.contains("half 25\n") && !deadline.hasExpired() &&
           child.state() == QProcess::Running) {
        child.waitForReadyRead(100);
        out += child.readAllStandardOutput();
    }
    child.kill();
    child.waitForFinished(10000);
    out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("committed 24\n")) << out.right(200).toStdString();
    int lastReported = 0;
    for (const QByteArray& line : out.split('\n')) {
        if (line.startsWith("committed ")) {
            lastReported = line.mid(10).toInt();
        }
    }

    RawSqlite raw(dataFile());
    EXPECT_EQ(raw.value("PRAGMA integrity_check").toString(), "ok");
    // Every reported commit is there; the transaction under way when the child died is there
    // whole (committed but not yet reported) or not at all.
    const int tasks = raw.value("SELECT count(*) FROM Schedule").toInt();
    EXPECT_GE(tasks, lastReported);
    EXPECT_LE(tasks, lastReported + 1);
    EXPECT_EQ(raw.value("SELECT max(ID) FROM Schedule").toInt(), tasks);
    EXPECT_EQ(raw.value("SELECT count(*) FROM Scripting").toInt(), tasks * kSteps);
    EXPECT_EQ(raw.value("SELECT count(*) FROM Scripting WHERE ID NOT IN (SELECT ID FROM "
                        "Schedule)")
                  .toInt(),
              0);

    // The store opens the file again without complaint and carries on numbering.
    ASSERT_EQ(store().SCH.open(), 0);
    store().SCH.setEnd(ScheduleKey::KeyID);
    ASSERT_EQ(store().SCH.previous(), 0);
    EXPECT_EQ(store().SCH.buffer().ID, tasks);
    EXPECT_TRUE(m_ui.boxes().empty());
}

} // namespace
} // namespace velatask
