#include "CsvJobFixture.h"
#include "tests/store/RawSqlite.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>

namespace velatask {
namespace {

constexpr int kLines = 50000;

class ImportKillTest : public CsvJobFixture {};

// The last count of committed tasks that the import reported on a whole line.
int lastCommitted(const QByteArray& out) {
    int n = 0;
    for (const QByteArray& line : out.left(out.lastIndexOf('\n') + 1).split('\n')) {
        if (line.startsWith("committed ")) {
            n = line.mid(10).toInt();
        }
    }
    return n;
}

TEST_F(ImportKillTest, KilledImportLeavesEveryCommittedTaskWhole) {
    QFile f(csvPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"SCH:Description\",\"SCH:Message\",\"SCH:Every\"\n");
    for (int i = 1; i <= kLines; ++i) {
        f.write(QStringLiteral("\"task %1\",\"message %1\nsecond line\",%1\n").arg(i).toUtf8());
    }
    f.close();

    QProcess child;
    child.start(QStringLiteral(VELATASK_IMPORT_CHILD), {m_dir.path(), csvPath()});
    ASSERT_TRUE(child.waitForStarted());
    // Kill it once a few hundred tasks are committed, while the next transaction is open.
    QByteArray out;
    int lastReported = 0;
    QDeadlineTimer deadline(60000);
    while (lastReported < 500 && !deadline.hasExpired() && child.state() == QProcess::Running) {
        child.waitForReadyRead(100);
        out += child.readAllStandardOutput();
        lastReported = lastCommitted(out);
    }
    child.kill();
    child.waitForFinished(10000);
    out += child.readAllStandardOutput();
    lastReported = lastCommitted(out);
    ASSERT_GE(lastReported, 500) << out.right(200).toStdString();
    ASSERT_LT(lastReported, kLines) << "the import ended before the kill";

    RawSqlite raw(dataFile());
    EXPECT_EQ(raw.value(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
    const int tasks = raw.value(QStringLiteral("SELECT count(*) FROM Schedule")).toInt();
    EXPECT_GE(tasks, lastReported);
    // Tasks are numbered in file order, each one whole.
    EXPECT_EQ(raw.value(QStringLiteral("SELECT max(ID) FROM Schedule")).toInt(), tasks);
    EXPECT_EQ(
        raw.value(QStringLiteral("SELECT count(*) FROM Schedule WHERE Description = 'task ' || ID "
                                 "AND Message = 'message ' || ID || char(10) || 'second line' "
                                 "AND Every = ID"))
            .toInt(),
        tasks);
}

} // namespace
} // namespace velatask
