#include "../store/ServerDatabase.h"

#include "platform/dbus/DBusSingleInstance.h"
#include "platform/fake/ScriptedUi.h"
#include "store/Store.h"
#include "store/Tags.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace velatask;

namespace {

struct CommandRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// The real program with `--copy-data-to-server`, its settings in `configDir`.
CommandRun copyCommand(const QString& dataDir, const QString& configDir) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
    env.remove(QStringLiteral("DISPLAY")); // no window may be needed
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VELATASK_BINARY),
                  {QStringLiteral("--copy-data-to-server"), QStringLiteral("--data-dir"), dataDir});
    CommandRun run;
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.out = QString::fromLocal8Bit(program.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

bool writeIni(const QString& configDir, const QByteArray& text) {
    QDir(configDir).mkpath(QStringLiteral("velatask"));
    QFile file(QDir(configDir).filePath(QStringLiteral("velatask/Vela.INI")));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Every task as "ID Description Date Time", in key order.
QStringList tasks(Store& store) {
    QStringList out;
    if (store.SCH.open() != 0) {
        return {QStringLiteral("cannot open: ") + store.SCH.error().driverText};
    }
    store.SCH.setStart(ScheduleKey::KeyID);
    while (store.SCH.next() == 0) {
        const ScheduleRecord& r = store.SCH.buffer();
        out << QStringLiteral("%1 %2 %3 %4").arg(r.ID).arg(r.Description).arg(r.Date).arg(r.Time);
    }
    store.SCH.close();
    return out;
}

} // namespace

TEST(CopyToServer, TheCommandCopiesOnceAndRefusesAServerThatHoldsTasks) {
    if (ServerDatabase::host().isEmpty()) {
        GTEST_SKIP() << "no private server (VELATASK_TEST_PGHOST unset)";
    }
    ServerDatabase database;
    ASSERT_EQ(database.problem(), QString());
    QTemporaryDir data;
    QTemporaryDir config;
    QStringList inFiles;
    {
        ScriptedUi ui;
        Store files(data.path(), ui);
        ASSERT_EQ(files.SCH.open(), 0);
        for (int id = 1; id <= 40; ++id) {
            ScheduleRecord& r = files.SCH.buffer();
            r = ScheduleRecord{};
            r.ID = id;
            r.TaskType = QStringLiteral("Display Message");
            r.Description = QStringLiteral("task \"%1\"").arg(id);
            r.ScheduleType = QStringLiteral("Once");
            r.Date = 80000 + id;
            r.Time = id * 100;
            ASSERT_EQ(files.SCH.add(), 0);
        }
        Tags tags(files);
        tags.SetTags_(1, {2, 3});
        inFiles = tasks(files);
    }
    const QByteArray server = QStringLiteral("[Database]\nDriver=PostgreSQL\nHost=%1\nName=%2\n"
                                             "User=postgres\n")
                                  .arg(ServerDatabase::host(), database.address().name)
                                  .toUtf8();
    struct Case {
        const char* what;
        QByteArray ini;
        bool running; // a Velatask runs on the files
        int exitCode;
        const char* outContains;
        const char* errContains;
    };
    const Case cases[] = {
        {"settings that name no server", "[Settings]\nNoTray=1\n", false, 1, "", "names no server"},
        {"an unknown driver", "[Database]\nDriver=Other\n", false, 1, "",
         "Unknown database driver"},
        {"a Velatask running on the files", server, true, 1, "", "is running"},
        {"the first copy", server, false, 0, "Schedule: 40 records", ""},
        {"a second copy", server, false, 1, "", "already holds tasks"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeIni(config.path(), c.ini));
        DBusSingleInstance running(QDir(data.path()).canonicalPath());
        if (c.running && running.claim() != DBusSingleInstance::Claim::Owner) {
            continue; // no session bus here: nothing to find running
        }
        const CommandRun run = copyCommand(data.path(), config.path());
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QLatin1String(c.outContains))) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(c.errContains))) << run.err.toStdString();
        EXPECT_EQ(run.out.isEmpty(), c.exitCode != 0) << run.out.toStdString();
    }
    // The server holds the schedule of the files, numbers kept, and tags that still point at it.
    ScriptedUi ui;
    Store onServer(data.path(), database.address(), ui);
    EXPECT_EQ(tasks(onServer), inFiles);
    Tags tags(onServer);
    EXPECT_TRUE(tags.isTagged(1, 3));
}
