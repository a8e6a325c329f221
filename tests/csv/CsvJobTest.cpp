#include "CsvJobFixture.h"
#include "store/Checkpointer.h"
#include "store/Connection.h"
#include "tests/store/RawSqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace velatask {
namespace {

class CsvJobTest : public CsvJobFixture {
protected:
    // The exported line of every task, sorted: two task sets with equal lists hold the same
    // 34 fields.
    QStringList linesOf(bool imported, int originals) {
        ExportLineBuilder builder(allFields());
        CsvLine line;
        QStringList out;
        UseCount open(store().SCH);
        store().SCH.setStart(ScheduleKey::KeyID);
        while (store().SCH.next() == 0) {
            const ScheduleRecord& r = store().SCH.buffer();
            if ((r.ID > originals) == imported) {
                EXPECT_TRUE(!imported || r.Completed == 0);
                builder.build(r, line);
                out << line.text();
            }
        }
        out.sort();
        return out;
    }

    // The exported file, opened, and a plan that imports the descriptions in it.
    void openForDescriptions(ImportFile& file, ImportPlan& plan) {
        ASSERT_TRUE(file.open(csvPath()));
        plan.setFields(file.fields());
        plan.assign(ScheduleField::indexOf(u"SCH:Description"), 3);
    }
};

TEST_F(CsvJobTest, ExportWithHeaderThenAutoImportDoublesTheTasks) {
    constexpr int kTasks = 300;
    addRandomTasks(kTasks);
    {
        // A history copy, and a task that the category-and-date key leaves out.
        UseCount open(store().SCH);
        ScheduleRecord copy =
            task(kTasks + 1, QStringLiteral("Work"), QStringLiteral("done"), 72000, 360001, 1);
        copy.Completed = 1;
        ASSERT_EQ(addTask(store().SCH, copy), 0);
        ASSERT_EQ(addTask(store().SCH, task(kTasks + 2, QString(), QStringLiteral("bare"), 0, 0)),
                  0);
    }
    const int originals = kTasks + 2;
    ASSERT_EQ(runExport(allFields(), true, csvPath()), ExportJob::Step::Finished);

    ASSERT_EQ(runImport(csvPath(), true), ImportJob::Step::Finished);
    EXPECT_EQ(taskCount(), 2 * originals);
    const QStringList before = linesOf(false, originals);
    EXPECT_EQ(before.size(), originals);
    EXPECT_EQ(linesOf(true, originals), before);
    EXPECT_TRUE(m_ui.boxes().empty());
}

TEST_F(CsvJobTest, ExportFailuresAreReportedAndLeaveTheTasks) {
    addRandomTasks(60);
    const QString missing = csvPath("no-such-folder/x.csv");
    EXPECT_EQ(runExport(allFields(), false, missing), ExportJob::Step::Stopped);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, QStringLiteral("Cannot CREATE ") + missing);
    EXPECT_TRUE(m_ui.boxes()[0].text.startsWith(QStringLiteral("Error #")));

    // The data file itself, also through a link, is never written over.
    const QString link = csvPath("link-to-data.csv");
    ASSERT_TRUE(QFile::link(dataFile(), link));
    for (const QString& path : {dataFile(), link}) {
        m_ui.clear();
        EXPECT_EQ(runExport(allFields(), false, path), ExportJob::Step::Stopped);
        ASSERT_EQ(m_ui.boxes().size(), 1u);
        EXPECT_EQ(m_ui.boxes()[0].title, QStringLiteral("Cannot CREATE ") + path);
        EXPECT_EQ(m_ui.boxes()[0].text, CsvFileError::storeFile().message());
    }

    if (QFile::exists(QStringLiteral("/dev/full"))) {
        m_ui.clear();
        m_ui.answerNext(Ui::Retry); // the same data fails again, then the default: Abort
        EXPECT_NE(runExport(allFields(), false, QStringLiteral("/dev/full")),
                  ExportJob::Step::More);
        ASSERT_EQ(m_ui.boxes().size(), 2u);
        for (const MessageBoxSpec& box : m_ui.boxes()) {
            EXPECT_EQ(box.title, QStringLiteral("Cannot ADD to /dev/full"));
            EXPECT_TRUE(box.text.endsWith(QStringLiteral("No space left on device")));
            EXPECT_EQ(box.buttons, Ui::Retry | Ui::Abort);
            EXPECT_EQ(box.defaultButton, Ui::Abort);
        }
    }
    EXPECT_EQ(taskCount(), 60);
}

// The tasks without category, date and time come last, and the read that finds them begins a
// step of its own, whatever time the step has left.
TEST_F(CsvJobTest, TasksTheKeyLeavesOutBeginAStepOfTheirOwn) {
    ASSERT_EQ(store().SCH.open(), 0);
    for (int id = 1; id <= 5; ++id) {
        const bool keyed = id % 2 == 1;
        ASSERT_EQ(addTask(store().SCH, task(id, keyed ? "Work" : "", QString::number(id),
                                            keyed ? 10 - id : 0, 0)),
                  0);
    }
    store().SCH.close();
    const int description = ScheduleField::indexOf(u"SCH:Description");
    ASSERT_GE(description, 0);
    for (int sliceMs : {0, 1000}) {
        ExportJob job(store(), {{description, QStringLiteral("@s40")}}, false);
        job.setSliceMilliseconds(sliceMs);
        ASSERT_TRUE(job.start(csvPath()));
        EXPECT_EQ(job.step(kSlice), ExportJob::Step::More) << sliceMs;
        EXPECT_EQ(job.done(), 3) << sliceMs;
        EXPECT_EQ(job.step(kSlice), ExportJob::Step::Finished) << sliceMs;
        EXPECT_EQ(job.done(), 5) << sliceMs;
        ASSERT_TRUE(job.finish());
        QFile file(csvPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(file.readAll())
                      .remove(QLatin1Char('"'))
                      .split(QRegularExpression("\\r?\\n"), Qt::SkipEmptyParts),
                  (QStringList{"5", "3", "1", "2", "4"}))
            << sliceMs;
    }
}

TEST_F(CsvJobTest, CancelledOrFailedImportKeepsTheTasksAdded) {
    addRandomTasks(100);
    ASSERT_EQ(runExport(allFields(), false, csvPath()), ExportJob::Step::Finished);
    // Cancelled after two slices.
    EXPECT_EQ(runImport(csvPath(), false, 2), ImportJob::Step::More);
    m_store.reset(); // what another program would find
    EXPECT_EQ(taskCount(), 100 + 2 * kSlice);

    // A task that the database refuses ends the import; the tasks before it stay.
    m_store.reset();
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.exec(
            QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Schedule WHEN NEW.ID = 160 "
                           "BEGIN SELECT RAISE(ABORT, 'refused by test'); END")));
    }
    EXPECT_EQ(runImport(csvPath(), false), ImportJob::Step::Stopped);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, QStringLiteral("Cannot ADD to Schedule!"));
    EXPECT_TRUE(m_ui.boxes()[0].text.contains(QStringLiteral("refused by test")));
    m_store.reset();
    EXPECT_EQ(taskCount(), 159);
}

// The commits do not wait for the disk: the checkpointer's thread makes each reach it, and the
// import's end, or its cancel, waits for that before it reports. The scheduler's connection syncs
// every commit.
TEST_F(CsvJobTest, AnImportsCommitsReachTheDiskOnAThreadAndItsEndWaitsForThem) {
    addRandomTasks(100);
    ASSERT_EQ(runExport(allFields(), false, csvPath()), ExportJob::Step::Finished);
    const auto synced = [this] {
        const Checkpointer::Figures f = store().checkpointer().figures();
        return f.syncedTicket == f.syncTickets;
    };
    for (const bool cancelled : {false, true}) {
        SCOPED_TRACE(cancelled);
        ImportFile file;
        ImportPlan plan;
        openForDescriptions(file, plan);
        const Checkpointer::Figures before = store().checkpointer().figures();
        ImportJob job(store(), file.reader(), file.size(), plan);
        ASSERT_TRUE(job.start(false));
        ASSERT_EQ(job.step(kSlice), ImportJob::Step::More);
        ASSERT_EQ(job.step(kSlice), ImportJob::Step::More);
        EXPECT_EQ(job.committed(), 2 * kSlice);
        EXPECT_EQ(store().checkpointer().figures().syncTickets, before.syncTickets + 2);
        std::vector<Connection::Row> rows;
        StoreError e;
        ASSERT_EQ(store().dataConnection().exec(QStringLiteral("PRAGMA synchronous"), {}, e, &rows),
                  0);
        EXPECT_EQ(rows.at(0).value(0).toInt(), 2); // full
        if (cancelled) {
            job.cancel();
        } else {
            ImportJob::Step step;
            while ((step = job.step(kSlice)) == ImportJob::Step::More) {
            }
            EXPECT_EQ(step, ImportJob::Step::Finished);
            EXPECT_EQ(job.committed(), 100);
        }
        EXPECT_TRUE(synced());
        EXPECT_EQ(store().checkpointer().figures().logSyncs, before.logSyncs)
            << "no sync on the window's thread";
    }
    EXPECT_EQ(taskCount(), 100 + 100 + 2 * kSlice);
}

// At a pace the transaction stays open over the steps until the pace says commit; that commit
// is a step of its own, and a cancel commits what is open.
TEST_F(CsvJobTest, APacedImportCommitsInAStepOfItsOwnAndItsCancelKeepsTheOpenTasks) {
    addRandomTasks(200);
    ASSERT_EQ(runExport(allFields(), false, csvPath()), ExportJob::Step::Finished);
    ImportFile file;
    ImportPlan plan;
    openForDescriptions(file, plan);
    std::int64_t now = 0;
    ImportJob job(store(), file.reader(), file.size(), plan);
    job.commitAtPace(CommitPace([&now] { return now; }));
    ASSERT_TRUE(job.start(false));
    const auto stored = [this] {
        RawSqlite raw(dataFile());
        return raw.value(QStringLiteral("SELECT count(*) FROM Schedule")).toInt();
    };
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(job.step(kSlice), ImportJob::Step::More);
    }
    EXPECT_EQ(job.added(), 3 * kSlice);
    EXPECT_EQ(job.committed(), 0);
    EXPECT_EQ(stored(), 200);

    now += std::int64_t(CommitPace::kIntervalMs) * 1000000;
    ASSERT_EQ(job.step(kSlice), ImportJob::Step::More); // adds, then the commit is due
    EXPECT_EQ(job.committed(), 0);
    ASSERT_EQ(job.step(kSlice), ImportJob::Step::More); // commits only
    EXPECT_EQ(job.added(), 4 * kSlice);
    EXPECT_EQ(job.committed(), 4 * kSlice);
    EXPECT_EQ(stored(), 200 + 4 * kSlice);

    ASSERT_EQ(job.step(kSlice), ImportJob::Step::More); // a new transaction
    EXPECT_EQ(stored(), 200 + 4 * kSlice);
    job.cancel();
    EXPECT_EQ(job.committed(), 5 * kSlice);
    EXPECT_EQ(stored(), 200 + 5 * kSlice);
    EXPECT_TRUE(m_ui.boxes().empty());
}

// A file whose reading fails part way (here: its descriptor comes to name a folder, as an I/O
// error would end it) stops the import with a message instead of calling it finished.
TEST_F(CsvJobTest, AnImportWhoseFileFailsPartWayStopsWithAMessage) {
    constexpr int kLines = 20000; // far more than is read ahead of the slices
    {
        QFile out(csvPath());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        for (int i = 0; i < kLines; ++i) {
            out.write(QStringLiteral("%1,\"a task read from a long file\"\n").arg(i).toUtf8());
        }
    }
    ImportFile file;
    ASSERT_TRUE(file.open(csvPath()));
    ImportPlan plan;
    plan.setFields(file.fields());
    plan.assign(ScheduleField::indexOf(u"SCH:Description"), 2);
    ImportJob job(store(), file.reader(), file.size(), plan);
    ASSERT_TRUE(job.start(false));
    ASSERT_EQ(job.step(kSlice), ImportJob::Step::More);

    const QByteArray target = QFileInfo(csvPath()).canonicalFilePath().toLocal8Bit();
    int fd = -1;
    for (int n = 3; n < 1024 && fd < 0; ++n) {
        char link[4096];
        const ssize_t size = ::readlink(
            QByteArray("/proc/self/fd/" + QByteArray::number(n)).constData(), link, sizeof link);
        if (size > 0 && QByteArray(link, size) == target) {
            fd = n;
        }
    }
    ASSERT_GE(fd, 0);
    const int folder = ::open(m_dir.path().toLocal8Bit().constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::dup2(folder, fd), fd);
    ::close(folder);

    ImportJob::Step step;
    while ((step = job.step(kSlice)) == ImportJob::Step::More) {
    }
    EXPECT_EQ(step, ImportJob::Step::Stopped);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, QStringLiteral("Cannot READ ") + csvPath());
    EXPECT_TRUE(m_ui.boxes()[0].text.startsWith(QStringLiteral("Error #")));
    EXPECT_GT(job.committed(), kSlice);
    EXPECT_LT(job.committed(), kLines);
    EXPECT_EQ(taskCount(), job.committed());
}

// Numbers go on from the highest task, also when another program added one between two slices.
TEST_F(CsvJobTest, TaskNumbersFollowTasksAddedBetweenSlices) {
    addRandomTasks(60);
    ASSERT_EQ(runExport(allFields(), false, csvPath()), ExportJob::Step::Finished);
    ImportFile file;
    ImportPlan plan;
    openForDescriptions(file, plan);
    ImportJob job(store(), file.reader(), file.size(), plan);
    ASSERT_TRUE(job.start(false));
    ASSERT_EQ(job.step(kSlice), ImportJob::Step::More);
    {
        ScriptedUi otherUi;
        Store other(m_dir.path(), otherUi);
        UseCount open(other.SCH);
        ASSERT_EQ(addTask(other.SCH, task(500, QString(), QStringLiteral("other"), 1, 1)), 0);
    }
    ASSERT_EQ(job.step(kSlice), ImportJob::Step::More);
    job.cancel();
    RawSqlite raw(dataFile());
    EXPECT_EQ(raw.value(QStringLiteral("SELECT count(*) FROM Schedule WHERE ID BETWEEN 61 AND 85"))
                  .toInt(),
              kSlice);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT min(ID) || '-' || max(ID) FROM Schedule "
                                       "WHERE ID > 500"))
                  .toString(),
              QStringLiteral("501-525"));
}

TEST_F(CsvJobTest, FileChoiceRefusesWhatCannotBeImported) {
    const QString empty = csvPath("empty.csv");
    const QString binary = csvPath("binary.csv");
    const QString good = csvPath("good.csv");
    for (const auto& [path, bytes] : {std::pair{empty, QByteArray("\r\n")},
                                      std::pair{binary, QByteArray("\x7f"
                                                                   "ELF\0\0",
                                                                   6)},
                                      std::pair{good, QByteArray("\"a\",1\n\"b\",2\n")}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    addRandomTasks(1); // the data file exists
    QStringList answers{csvPath("missing.csv"), empty, binary, dataFile(), good};
    ImportFile file;
    ASSERT_TRUE(file.choose(store(), [&] { return answers.takeFirst(); }));
    ASSERT_EQ(m_ui.boxes().size(), 4u);
    EXPECT_EQ(m_ui.boxes()[0].title, QStringLiteral("Cannot OPEN ") + csvPath("missing.csv"));
    EXPECT_EQ(m_ui.boxes()[1].title, QStringLiteral("Attention!"));
    EXPECT_EQ(m_ui.boxes()[1].text,
              QStringLiteral("That file is empty!  Please pick another file."));
    EXPECT_EQ(m_ui.boxes()[2].text, QStringLiteral("Error #5 - Not a text file"));
    EXPECT_EQ(m_ui.boxes()[3].title, QStringLiteral("Cannot OPEN ") + dataFile());
    EXPECT_EQ(m_ui.boxes()[3].text, CsvFileError::storeFile().message());
    EXPECT_EQ(file.values(), (QStringList{"a", "1"}));
    EXPECT_TRUE(file.next());
    EXPECT_EQ(file.recordNumber(), 2);
    EXPECT_FALSE(file.next());
    EXPECT_EQ(file.values(), (QStringList{"b", "2"}));

    EXPECT_FALSE(file.choose(store(), [] { return QString(); }));
}

} // namespace
} // namespace velatask
