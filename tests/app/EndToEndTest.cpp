#include "../support/WaitFor.h"

#include "core/Time.h"
#include "platform/dbus/DBusSingleInstance.h"
#include "platform/fake/ScriptedUi.h"
#include "platform/qt/SystemClock.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11WindowSystem.h"
#include "store/Store.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

std::vector<ScheduleRecord> readSchedule(const QString& dataDir) {
    ScriptedUi ui;
    Store store(dataDir, ui);
    std::vector<ScheduleRecord> all;
    if (store.SCH.open() != 0) {
        return all;
    }
    store.SCH.setStart(ScheduleKey::KeyID);
    while (store.SCH.next() == 0) {
        all.push_back(store.SCH.buffer());
    }
    store.SCH.close();
    return all;
}

bool windowTitled(X11WindowSystem& windows, const QString& title) {
    for (const WindowEntry& w : windows.BuildWindowList()) {
        if (w.title == title) {
            return true;
        }
    }
    return false;
}

// Starts the program on the test display in `dataDir`, with its settings in `configDir`.
bool startProgram(QProcess& app, const QString& dataDir, const QString& configDir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    app.setProcessEnvironment(env);
    app.start(QStringLiteral(VELATASK_BINARY), {QStringLiteral("--data-dir"), dataDir});
    return app.waitForStarted(10000);
}

} // namespace

// The real program on the test display: two tasks written into its data file a few seconds ahead
// fall due, show their message, start their program, move on and leave history copies.
TEST(EndToEnd, TasksInTheDataFileFallDueAndRun) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        GTEST_SKIP() << "needs the test display";
    }
    QTemporaryDir data;
    QTemporaryDir config;
    SystemClock clock;
    std::int32_t today = clock.today();
    std::int32_t due = clock.now() + 3 * Time::kSecond;
    Time::normalise(today, due);
    {
        ScriptedUi ui;
        Store store(data.path(), ui);
        ASSERT_EQ(store.SCH.open(), 0);
        ScheduleRecord message;
        message.ID = 1;
        message.TaskType = QStringLiteral("Display Message");
        message.ScheduleType = QStringLiteral("Custom");
        message.Every = 1;
        message.EveryType = QStringLiteral("day(s)");
        message.Description = QStringLiteral("Reminder");
        message.Message = QStringLiteral("Time to stretch");
        message.Date = today;
        message.Time = due;
        store.SCH.buffer() = message;
        ASSERT_EQ(store.SCH.add(), 0);
        ScheduleRecord program = message;
        program.ID = 2;
        program.TaskType = QStringLiteral("Run Program");
        // Written aside and moved, so the file is never seen before it holds the folder.
        program.Command =
            QStringLiteral("sh -c \"pwd > started.tmp && mv started.tmp started.txt\"");
        program.Path = data.path();
        program.Message.clear();
        store.SCH.buffer() = program;
        ASSERT_EQ(store.SCH.add(), 0);
        store.SCH.close();
    }

    QProcess app;
    ASSERT_TRUE(startProgram(app, data.path(), config.path()));

    X11Display display;
    X11WindowSystem windows(display);
    const QString started = data.filePath(QStringLiteral("started.txt"));
    EXPECT_TRUE(waitFor([&] { return windowTitled(windows, QStringLiteral("Message")); }, 30000));
    // The file exists as soon as the shell opens it; its line follows.
    EXPECT_TRUE(waitFor([&] { return QFileInfo(started).size() > 0; }, 30000));
    QFile file(started);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).trimmed(), QDir(data.path()).canonicalPath());

    std::vector<ScheduleRecord> all;
    EXPECT_TRUE(waitFor(
        [&] {
            // Read row by row while the program writes: wait for both tasks' whole work.
            all = readSchedule(data.path());
            return all.size() == 4 && all[0].LastRunDate == today && all[1].LastRunDate == today;
        },
        30000));
    app.terminate();
    app.waitForFinished(10000);

    ASSERT_EQ(all.size(), 4u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(all[i].Date, today + 1) << "moved to its next occurrence";
        EXPECT_EQ(all[i].Disabled, 0);
        EXPECT_EQ(all[i].LastRunDate, today);
    }
    for (int i = 2; i < 4; ++i) {
        EXPECT_EQ(all[i].Completed, 1) << "history copy";
        EXPECT_EQ(all[i].Disabled, 1);
        EXPECT_EQ(all[i].Date, today);
        EXPECT_EQ(all[i].Time, due);
    }
    EXPECT_EQ(all[2].TaskType, QStringLiteral("Display Message"));
    EXPECT_EQ(all[3].TaskType, QStringLiteral("Run Program"));
}

// Logout (SIGHUP, SIGTERM) and Ctrl+C end the program as "E&xit" does: a normal exit, the
// frame's position saved, the data file closed without a write-ahead log left beside it. The
// last case starts in the tray, where an iconised frame keeps the position it had.
TEST(EndToEnd, TerminationSignalsEndTheProgramAsExitDoes) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        GTEST_SKIP() << "needs the test display";
    }
    const struct {
        int signal;
        bool inTray;
    } cases[] = {{SIGTERM, false}, {SIGINT, false}, {SIGHUP, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signal);
        QTemporaryDir data;
        QTemporaryDir config;
        const QString ini = config.filePath(QStringLiteral("velatask/Vela.INI"));
        if (c.inTray) {
            ASSERT_TRUE(QDir().mkpath(config.filePath(QStringLiteral("velatask"))));
            QFile file(ini);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("[Settings]\nStartUpMinimized=1\n");
        }
        QProcess app;
        ASSERT_TRUE(startProgram(app, data.path(), config.path()));

        X11Display display;
        X11WindowSystem windows(display);
        ASSERT_TRUE(
            waitFor([&] { return windowTitled(windows, QStringLiteral("Velatask")); }, 30000));
        // The tables are opened once the window is on the screen.
        ASSERT_TRUE(
            waitFor([&] { return QFile::exists(data.filePath(QStringLiteral("SM"))); }, 30000));
        ::kill(static_cast<pid_t>(app.processId()), c.signal);
        ASSERT_TRUE(app.waitForFinished(20000));
        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(app.exitCode(), 0);
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().contains("[Main]"), !c.inTray) << "position saved";
        EXPECT_FALSE(QFile::exists(data.filePath(QStringLiteral("SM-wal"))));
    }
}

// What a person typing the command sees: help and version on standard output, usage errors on
// standard error with exit status 2; none of it needs a display.
TEST(EndToEnd, CommandLineAnswersWithoutADisplay) {
    const struct {
        QStringList arguments;
        int exitCode;
        QString out;
        QString err;
    } cases[] = {
        {{QStringLiteral("--help")}, 0, QStringLiteral("--data-dir=DIR"), QString()},
        {{QStringLiteral("--version")}, 0, QStringLiteral("velatask "), QString()},
        {{QStringLiteral("--frobnicate")}, 2, QString(), QStringLiteral("Unknown option")},
        {{QStringLiteral("extra")}, 2, QString(), QStringLiteral("Try 'velatask --help'")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        QProcess app;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        app.setProcessEnvironment(env);
        app.start(QStringLiteral(VELATASK_BINARY), c.arguments);
        ASSERT_TRUE(app.waitForFinished(30000));
        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(app.exitCode(), c.exitCode);
        const QString out = QString::fromLocal8Bit(app.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(app.readAllStandardError());
        EXPECT_EQ(out.isEmpty(), c.out.isEmpty()) << out.toStdString();
        EXPECT_EQ(err.isEmpty(), c.err.isEmpty()) << err.toStdString();
        EXPECT_TRUE(out.contains(c.out) && err.contains(c.err));
    }
}

// A new user's first start makes the data directory with its key list and works there; a second
// start for the same directory brings the first out of the tray and ends at once.
TEST(EndToEnd, FirstStartMakesTheDataDirectoryAndASecondStartRaisesIt) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !QDBusConnection::sessionBus().isConnected()) {
        GTEST_SKIP() << "needs the test display and session bus";
    }
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    const QString data = home.filePath(QStringLiteral("data/velatask"));

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(VELATASK_BINARY), {QStringLiteral("--minimized")});
    ASSERT_TRUE(first.waitForStarted(10000));
    EXPECT_TRUE(waitFor(
        [&] {
            const QString service = DBusSingleInstance::serviceName(QDir(data).canonicalPath());
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(service);
        },
        30000));
    EXPECT_TRUE(waitFor([&] { return QFile::exists(data + QStringLiteral("/SM")); }, 30000));
    EXPECT_TRUE(QFile::exists(data + QStringLiteral("/KEYCODES.TXT")));

    // Hidden in the tray, so not the active window.
    X11Display display;
    X11WindowSystem windows(display);
    const auto frame = [&] { return windows.windowOfProcess(std::uint32_t(first.processId())); };
    EXPECT_TRUE(waitFor([&] { return frame() != 0 && windows.activeWindow() != frame(); }, 30000));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(VELATASK_BINARY), {});
    EXPECT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitFor([&] { return windows.activeWindow() == frame(); }, 30000));
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    first.waitForFinished(10000);
}
