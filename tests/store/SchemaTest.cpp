#include "RawSqlite.h"
#include "StoreTestBase.h"
#include "store/TableDef.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <functional>

namespace velatask {
namespace {

class SchemaTest : public StoreTestBase {
protected:
    QStringList names(const QString& file, const QString& type) {
        RawSqlite raw(file);
        QStringList out;
        for (const auto& r :
             raw.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                     "? AND name NOT LIKE 'sqlite_%' ORDER BY name"),
                      {type})) {
            out << r[0].toString();
        }
        return out;
    }

    void openAll() {
        ASSERT_EQ(store().SCH.open(), 0);
        ASSERT_EQ(store().HIS.open(), 0);
        ASSERT_EQ(store().CAT.open(), 0);
        ASSERT_EQ(store().TDO.open(), 0);
        ASSERT_EQ(store().SCR.open(), 0);
        ASSERT_EQ(store().TF_.open(), 0);
    }

    QByteArray digest(const QString& file) {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }
};

TEST_F(SchemaTest, MissingFilesAreCreatedWithEveryTableAndKeyAndNoMessage) {
    openAll();
    EXPECT_TRUE(m_ui.boxes().empty());
    EXPECT_FALSE(m_ui.stopped());
    EXPECT_EQ(names(dataFile(), QStringLiteral("table")),
              (QStringList{"Categories", "History", "Schedule", "Scripting", "ToDo"}));
    EXPECT_EQ(names(tagFile(), QStringLiteral("table")), QStringList{"TagFile_"});
    EXPECT_EQ(names(dataFile(), QStringLiteral("index")),
              (QStringList{"CAT:KeyCategory",    "HIS:KeyCategory",     "HIS:KeyCategoryDate",
                           "HIS:KeyDate",        "HIS:KeyID",           "HIS:KeyTaskDate",
                           "HIS:KeyTaskName",    "HIS:KeyTaskType",     "SCH:KeyAdvanced",
                           "SCH:KeyCategory",    "SCH:KeyCategoryDate", "SCH:KeyDate",
                           "SCH:KeyDateEnabled", "SCH:KeyID",           "SCH:KeyTaskDate",
                           "SCH:KeyTaskName",    "SCH:KeyTaskType",     "SCR:KeyID",
                           "TDO:KeyDone",        "TDO:KeyPriority",     "TDO:KeyToDo"}));
    EXPECT_EQ(names(tagFile(), QStringLiteral("index")), (QStringList{"TF_:PtrKey", "TF_:ValKey"}));

    RawSqlite raw(dataFile());
    EXPECT_EQ(raw.value("PRAGMA journal_mode").toString(), "wal");
    const auto columns = raw.rows("PRAGMA table_info(Schedule)");
    ASSERT_EQ(columns.size(), 36u);
    EXPECT_EQ(columns.front()[1].toString(), "ID");
    EXPECT_EQ(columns[35][1].toString(), "Message");
    EXPECT_EQ(raw.rows("PRAGMA table_info(History)").size(), 35u);
    // Unique keys are unique indexes; the ToDo keys keep empty records (no partial condition).
    EXPECT_EQ(raw.value("SELECT \"unique\" FROM pragma_index_list('Categories')").toInt(), 1);
    EXPECT_EQ(raw.value("SELECT \"partial\" FROM pragma_index_list('ToDo') WHERE name = "
                        "'TDO:KeyToDo'")
                  .toInt(),
              0);
    EXPECT_EQ(raw.value("SELECT \"partial\" FROM pragma_index_list('Schedule') WHERE name = "
                        "'SCH:KeyDate'")
                  .toInt(),
              1);
}

TEST_F(SchemaTest, TextIsStoredTrimmedAndCutToItsWidthAndFlagsAsZeroOrOne) {
    ASSERT_EQ(store().SCH.open(), 0);
    ScheduleRecord r = task(1, QStringLiteral("Work   "), QString(50, QLatin1Char('d')), 5, 6);
    r.Monday = 7;
    r.AdvanceWarned = 2;
    r.Message = QString(1200, QLatin1Char('m'));
    r.AlarmFile = QStringLiteral("/x/") + QString(100, QLatin1Char('a'));
    ASSERT_EQ(addTask(store().SCH, r), 0);

    RawSqlite raw(dataFile());
    const auto row = raw.rows("SELECT Category, Description, Monday, AdvanceWarned, "
                              "length(Message), length(AlarmFile), TaskType FROM Schedule");
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0][0].toString(), "Work");
    EXPECT_EQ(row[0][1].toString(), QString(40, QLatin1Char('d')));
    EXPECT_EQ(row[0][2].toInt(), 1);
    EXPECT_EQ(row[0][3].toInt(), 2); // a state, not a flag
    EXPECT_EQ(row[0][4].toInt(), 1000);
    EXPECT_EQ(row[0][5].toInt(), 80);
    EXPECT_EQ(row[0][6].toString(), "Display Message");

    store().SCH.clearBuffer();
    store().SCH.buffer().ID = 1;
    ASSERT_EQ(store().SCH.fetch(ScheduleKey::KeyID), 0);
    EXPECT_EQ(store().SCH.buffer().Category, "Work");
    EXPECT_EQ(store().SCH.buffer().Message.size(), 1000);
}

TEST_F(SchemaTest, UseCountsKeepTheTableOpenUntilTheLastClose) {
    ASSERT_EQ(store().CAT.open(), 0);
    ASSERT_EQ(store().CAT.open(), 0);
    EXPECT_EQ(store().CAT.useCount(), 2);
    store().CAT.close();
    EXPECT_TRUE(store().CAT.isOpen());
    store().CAT.close();
    EXPECT_FALSE(store().CAT.isOpen());
    store().CAT.buffer().Category = QStringLiteral("Work");
    EXPECT_EQ(store().CAT.add(), StoreCode::NotOpen);
    EXPECT_EQ(store().CAT.error().text, "File Not Open");
    // SCH1 has a life of its own.
    ASSERT_EQ(store().SCH.open(), 0);
    EXPECT_FALSE(store().SCH1.isOpen());
}

TEST_F(SchemaTest, AFileThatIsNoDatabaseIsReportedAndNeverOverwritten) {
    {
        QFile f(dataFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
    }
    const QByteArray before = digest(dataFile());
    EXPECT_NE(store().SCH.open(), 0);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, "File Access Error");
    EXPECT_TRUE(m_ui.boxes()[0].text.startsWith(
        "File (SM\\!Schedule) could not be opened.  Error: file is not a database (26)"))
        << m_ui.boxes()[0].text.toStdString();
    EXPECT_EQ(m_ui.stops(), QStringList{"Disk Error"});
    EXPECT_TRUE(store().stopped());
    // Nothing is written after the stop, not even through another table.
    EXPECT_NE(store().CAT.open(), 0);
    EXPECT_EQ(digest(dataFile()), before);
    EXPECT_FALSE(QFile::exists(dataFile() + "-wal"));
}

TEST_F(SchemaTest, TheTagFileIsNamedByItsFileNameInMessages) {
    {
        QFile f(tagFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    EXPECT_NE(store().TF_.open(), 0);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].text,
              "File (TagFile_.VDB) could not be opened.  Error: file is not a database (26).");
}

TEST_F(SchemaTest, HistoryKeepsTheScheduleFieldsButTheWarnedState) {
    ASSERT_EQ(store().HIS.open(), 0);
    HistoryRecord r = task(3, "Work", "copy", 10, 20, 1);
    r.AdvanceWarnDate = 9;
    r.AdvanceWarned = 1;
    r.Completed = 1;
    r.Message = "done";
    store().HIS.buffer() = r;
    ASSERT_EQ(store().HIS.add(), 0);
    store().HIS.clearBuffer();
    store().HIS.setStart(HistoryKey::KeyTaskName);
    ASSERT_EQ(store().HIS.next(), 0);
    r.AdvanceWarned = 0;
    EXPECT_EQ(store().HIS.buffer(), r);
}

TEST_F(SchemaTest, ATableWithOtherColumnsStopsWithInvalidFile) {
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.exec("CREATE TABLE Categories (Name TEXT)"));
    }
    EXPECT_EQ(store().CAT.open(), StoreCode::BadDeclaration);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, "Invalid File");
    EXPECT_EQ(m_ui.boxes()[0].text,
              "Error: (Invalid Record Declaration (47)) accessing SM\\!Categories.  Press OK to "
              "end this application.");
    EXPECT_EQ(m_ui.stops(), QStringList{"Invalid File!"});
}

// A file made by hand (rollback journal, as other tools leave it) that the store refuses.
struct RefusedFile {
    const char* what;
    QStringList statements;
    std::function<int(Store&)> open;
    QString culprit; // the table the message names
    QString stop;
    int answer = Ui::Ok; // to the one box shown
};

TEST_F(SchemaTest, ARefusedFileIsLeftByteForByteAsItWas) {
    const TableDef& schedule = TableDef::schedule();
    QStringList goodSchedule{schedule.createTableSql()};
    for (int k = 0; k < int(schedule.keys.size()); ++k) {
        goodSchedule << schedule.createIndexSql(k);
    }
    const auto openHistory = [](Store& s) { return s.HIS.open(); };
    const auto openSchedule = [](Store& s) { return s.SCH1.open(); };
    const std::vector<RefusedFile> cases{
        {"Schedule of another shape; History opened first, as the scheduler does",
         {"CREATE TABLE Schedule (ID INTEGER)"},
         openHistory,
         "SM\\!Schedule",
         "Invalid File!"},
        {"Schedule of another shape, opened itself",
         {"CREATE TABLE Schedule (ID INTEGER)"},
         openSchedule,
         "SM\\!Schedule",
         "Invalid File!"},
        {"a good Schedule beside a History of another shape",
         goodSchedule + QStringList{"CREATE TABLE History (ID INTEGER)"}, openSchedule,
         "SM\\!History", "Invalid File!"},
        {"Schedule without its keys, rebuild declined",
         {schedule.createTableSql()},
         openSchedule,
         "SM\\!Schedule",
         "Invalid Key!",
         Ui::No},
    };
    for (const RefusedFile& c : cases) {
        SCOPED_TRACE(c.what);
        m_store.reset();
        const std::size_t boxesSeen = m_ui.boxes().size();
        const qsizetype stopsSeen = m_ui.stops().size();
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            QFile::remove(dataFile() + QLatin1String(suffix));
        }
        {
            RawSqlite raw(dataFile());
            for (const QString& sql : c.statements) {
                ASSERT_TRUE(raw.exec(sql)) << raw.lastError().toStdString();
            }
        }
        const QByteArray before = digest(dataFile());
        m_ui.answerNext(c.answer);
        EXPECT_NE(c.open(store()), 0);
        ASSERT_EQ(m_ui.boxes().size(), boxesSeen + 1);
        const QString text = m_ui.boxes().back().text;
        EXPECT_TRUE(text.contains(c.culprit)) << text.toStdString();
        EXPECT_EQ(m_ui.stops().mid(stopsSeen), QStringList{c.stop});
        m_store.reset();
        EXPECT_EQ(digest(dataFile()), before);
        EXPECT_FALSE(QFile::exists(dataFile() + "-wal"));
        EXPECT_FALSE(QFile::exists(dataFile() + "-journal"));
    }
}

TEST_F(SchemaTest, AFileMadeByAnotherToolIsSwitchedToTheLogOnceAccepted) {
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.exec("CREATE TABLE Unrelated (Name TEXT)"));
        ASSERT_EQ(raw.value("PRAGMA journal_mode").toString(), "delete");
    }
    ASSERT_EQ(store().HIS.open(), 0);
    EXPECT_TRUE(m_ui.boxes().empty());
    RawSqlite raw(dataFile());
    EXPECT_EQ(raw.value("PRAGMA journal_mode").toString(), "wal");
}

TEST_F(SchemaTest, DamagedKeysAreRebuiltWhenTheUserAgrees) {
    ASSERT_EQ(store().SCH.open(), 0);
    ASSERT_EQ(addTask(store().SCH, task(1, "Work", "a", 10, 20)), 0);
    m_store.reset();
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.exec("DROP INDEX \"SCH:KeyDate\""));
        ASSERT_TRUE(raw.exec("CREATE INDEX \"SCH:KeyDateEnabled2\" ON Schedule (Date)"));
        ASSERT_TRUE(raw.exec("DROP INDEX \"SCH:KeyDateEnabled\""));
        ASSERT_TRUE(raw.exec("CREATE INDEX \"SCH:KeyDateEnabled\" ON Schedule (Date)"));
    }
    m_ui.answerNext(Ui::Yes);
    ASSERT_EQ(store().SCH.open(), 0);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].title, "Invalid Key");
    EXPECT_EQ(m_ui.boxes()[0].text, "SM\\!Schedule key file is invalid.  Do you want to rebuild "
                                    "the key?");
    EXPECT_FALSE(m_ui.stopped());
    store().SCH.setStart(ScheduleKey::KeyDate);
    ASSERT_EQ(store().SCH.next(), 0);
    EXPECT_EQ(store().SCH.buffer().ID, 1);
    RawSqlite raw(dataFile());
    EXPECT_TRUE(raw.value("SELECT sql FROM sqlite_master WHERE name = 'SCH:KeyDateEnabled'")
                    .toString()
                    .contains("Disabled"));
}

TEST_F(SchemaTest, RefusingTheKeyRebuildStopsWithInvalidKeyAndWritesNothing) {
    ASSERT_EQ(store().CAT.open(), 0);
    m_store.reset();
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.exec("DROP INDEX \"CAT:KeyCategory\""));
    }
    const QByteArray before = digest(dataFile());
    m_ui.answerNext(Ui::No);
    EXPECT_NE(store().CAT.open(), 0);
    EXPECT_EQ(m_ui.stops(), QStringList{"Invalid Key!"});
    store().CAT.buffer().Category = "Work";
    EXPECT_NE(store().CAT.add(), 0);
    m_store.reset();
    EXPECT_EQ(digest(dataFile()), before);
    RawSqlite raw(dataFile());
    EXPECT_EQ(
        raw.value("SELECT count(*) FROM sqlite_master WHERE name = 'CAT:KeyCategory'").toInt(), 0);
}

TEST_F(SchemaTest, ALockedFileIsRetriedAndOpensOnceTheOtherHolderLetsGo) {
    ASSERT_EQ(store().CAT.open(), 0);
    m_store.reset();
    const QString cli = QStandardPaths::findExecutable("sqlite3");
    if (cli.isEmpty()) {
        GTEST_SKIP() << "sqlite3 command line not installed";
    }
    QProcess holder;
    holder.start(cli, {dataFile()});
    ASSERT_TRUE(holder.waitForStarted());
    holder.write(
        ".timeout 5000\nPRAGMA locking_mode=EXCLUSIVE;\nBEGIN EXCLUSIVE;\nDELETE FROM Categories;\n"
        ".print holding\n.system sleep 3\nCOMMIT;\n.quit\n");
    holder.waitForBytesWritten(5000);
    holder.closeWriteChannel();
    // Wait until the other process says that it holds the file.
    QDeadlineTimer deadline(5000);
    QByteArray said;
    while (!said.contains("holding") && !deadline.hasExpired()) {
        holder.waitForReadyRead(100);
        said += holder.readAllStandardOutput();
    }
    const bool locked = said.contains("holding") && holder.state() == QProcess::Running;
    ASSERT_TRUE(locked) << holder.readAllStandardError().toStdString()
                        << holder.readAllStandardOutput().toStdString() << int(holder.state());
    EXPECT_EQ(store().CAT.open(), 0);
    EXPECT_TRUE(m_ui.boxes().empty());
    holder.waitForFinished(10000);
}

TEST_F(SchemaTest, AFileThatStaysLockedEndsWithDiskError) {
    ASSERT_EQ(store().CAT.open(), 0);
    m_store.reset();
    RawSqlite holder(dataFile());
    ASSERT_TRUE(holder.exec("PRAGMA locking_mode=EXCLUSIVE"));
    ASSERT_TRUE(holder.exec("BEGIN EXCLUSIVE"));
    ASSERT_TRUE(holder.exec("DELETE FROM Categories"));
    store().setRecoverWaitMs(50);
    EXPECT_NE(store().CAT.open(), 0);
    ASSERT_EQ(m_ui.boxes().size(), 1u);
    EXPECT_EQ(m_ui.boxes()[0].text, "File (SM\\!Categories) could not be opened.  Error: File Is "
                                    "Already Locked (32).");
    EXPECT_EQ(m_ui.stops(), QStringList{"Disk Error"});
    holder.exec("ROLLBACK");
}

} // namespace
} // namespace velatask
