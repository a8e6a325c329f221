// Measures the real program from outside, as a user's desktop sees it:
//   due      how late "Run Program" tasks due on whole seconds start their programs
//   idle     CPU time the running program uses per second while nothing is due
//   startup  time from starting the program to its first window being managed
// It needs an X display with a window manager (scripts/measure-punctuality.sh provides one).
#include "bench/measure/FirstWindowWatch.h"
#include "bench/support/ScheduleFill.h"
#include "core/Date.h"
#include "core/Time.h"
#include "platform/fake/ScriptedUi.h"
#include "store/Store.h"
#include "store/Transaction.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

using namespace velatask;
using std::chrono::steady_clock;

namespace {

struct Options {
    QString mode;
    QString exe;
    int runs = 3;
    int tasks = 40;
    int rows = 0;
    int seconds = 30;
    bool minimized = false;
    QString data;
};

std::int32_t dateOf(const QDateTime& t) {
    return Date::fromYmd(t.date().year(), t.date().month(), t.date().day());
}

std::int32_t timeOf(const QDateTime& t) {
    return Time::fromHms(t.time().hour(), t.time().minute(), t.time().second());
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return NAN;
    }
    std::sort(v.begin(), v.end());
    const double rank = p / 100.0 * double(v.size() - 1);
    const size_t lo = size_t(std::floor(rank));
    const size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (rank - double(lo));
}

void printSummary(const char* what, const char* unit, const std::vector<double>& v) {
    std::printf("%s: n=%zu min=%.2f median=%.2f p90=%.2f p99=%.2f max=%.2f %s\n", what, v.size(),
                percentile(v, 0), percentile(v, 50), percentile(v, 90), percentile(v, 99),
                percentile(v, 100), unit);
    std::fflush(stdout);
}

// A data folder with the tables created and `rows` filler tasks; kept when it already has SM.
bool prepareData(const QString& dir, int rows) {
    QDir().mkpath(dir);
    if (QFile::exists(dir + QStringLiteral("/SM"))) {
        return true;
    }
    ScriptedUi ui;
    Store store(dir, ui);
    if (store.HIS.open() != 0 || store.SCH1.open() != 0 || store.SCR.open() != 0 ||
        store.SCH.open() != 0) {
        return false;
    }
    if (rows > 0) {
        std::printf("filling %s with %d rows...\n", qPrintable(dir), rows);
        std::fflush(stdout);
        fillSchedule(store, rows, dateOf(QDateTime::currentDateTime()) - 3500);
    }
    return true;
}

// The program under test, started in its data folder with its own settings folder.
class AppRun {
public:
    // The program's standard output goes to `output` when given: the programs it starts write
    // there too.
    AppRun(const Options& options, const QString& dataDir, const QString& configDir,
           const QString& output = QString()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_process.setProcessEnvironment(env);
        // The folder is given both ways, so that builds from before the option can be measured.
        m_process.setArguments({QStringLiteral("--data-dir"), dataDir});
        m_process.setWorkingDirectory(dataDir);
        m_process.setStandardOutputFile(output.isEmpty() ? QProcess::nullDevice() : output,
                                        QIODevice::Append);
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.setProgram(options.exe);
    }
    ~AppRun() { stop(); }

    bool start() {
        m_process.start();
        return m_process.waitForStarted(5000);
    }
    long pid() const { return long(m_process.processId()); }
    void stop() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000)) {
                m_process.kill();
                m_process.waitForFinished(5000);
            }
        }
    }

private:
    QProcess m_process;
};

void writeSettings(const QString& configDir, bool minimized) {
    QDir().mkpath(configDir + QStringLiteral("/velatask"));
    QFile ini(configDir + QStringLiteral("/velatask/Vela.INI"));
    if (ini.open(QIODevice::WriteOnly)) {
        // No schedule browse at start-up: it is not what is measured.
        ini.write("[Settings]\nStartUpSchedule=1\n");
        if (minimized) {
            ini.write("StartUpMinimized=1\n");
        }
    }
}

// Run time in nanoseconds of each thread of the process, by thread id (the main thread's is the
// process's own).
QHash<QString, double> threadNanoseconds(long pid) {
    QHash<QString, double> threads;
    const QString base = QStringLiteral("/proc/%1/task/").arg(pid);
    for (const QString& t : QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(base + t + QStringLiteral("/schedstat"));
        if (f.open(QIODevice::ReadOnly)) {
            threads.insert(t, QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 0)
                                  .toDouble());
        }
    }
    return threads;
}

int measureDue(const Options& o) {
    std::vector<double> all;
    std::vector<double> runP99;
    for (int run = 0; run < o.runs; ++run) {
        QTemporaryDir tmp;
        const QString data = tmp.filePath(QStringLiteral("data"));
        const QString config = tmp.filePath(QStringLiteral("config"));
        if (!prepareData(data, o.rows)) {
            std::fprintf(stderr, "cannot create the data file\n");
            return 1;
        }
        writeSettings(config, o.minimized);
        // Tasks one second apart, the first a few seconds ahead so the program is up by then.
        const qint64 first = QDateTime::currentSecsSinceEpoch() + 4;
        {
            ScriptedUi ui;
            Store store(data, ui);
            store.SCH.open();
            Transaction tx(store);
            tx.begin();
            for (int i = 0; i < o.tasks; ++i) {
                const QDateTime due = QDateTime::fromSecsSinceEpoch(first + i);
                ScheduleRecord& r = store.SCH.buffer();
                r = ScheduleRecord{};
                r.ID = o.rows + i + 1;
                r.TaskType = QStringLiteral("Run Program");
                r.ScheduleType = QStringLiteral("Once");
                r.Description = QStringLiteral("Stamp %1").arg(i);
                // The line names the second the task was due, then the moment it started.
                r.Command = QStringLiteral("date +%1:%s.%N").arg(first + i);
                r.Date = dateOf(due);
                r.Time = timeOf(due);
                store.SCH.add();
            }
            tx.commit();
        }
        // Each started program writes its start time to the output it inherits.
        const QString stamps = data + QStringLiteral("/starts");
        AppRun app(o, data, config, stamps);
        if (!app.start()) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(o.exe));
            return 1;
        }
        const qint64 deadline = (first + o.tasks + 5) * 1000;
        int lines = 0;
        while (QDateTime::currentMSecsSinceEpoch() < deadline && lines < o.tasks) {
            QThread::msleep(250);
            QFile f(stamps);
            lines = f.open(QIODevice::ReadOnly) ? int(f.readAll().count('\n')) : 0;
        }
        app.stop();

        std::vector<double> late;
        QFile f(stamps);
        if (f.open(QIODevice::ReadOnly)) {
            QTextStream in(&f);
            for (QString line; in.readLineInto(&line);) {
                const double due = line.section(QLatin1Char(':'), 0, 0).toDouble();
                const double t = line.section(QLatin1Char(':'), 1).toDouble();
                if (due >= double(first) && due < double(first + o.tasks)) {
                    late.push_back((t - due) * 1000.0);
                }
            }
        }
        if (int(late.size()) < o.tasks) {
            std::printf("run %d: only %zu of %d programs started\n", run + 1, late.size(), o.tasks);
        }
        printSummary(qPrintable(QStringLiteral("run %1: due -> started").arg(run + 1)), "ms", late);
        runP99.push_back(percentile(late, 99));
        all.insert(all.end(), late.begin(), late.end());
    }
    printSummary("all runs: due -> started", "ms", all);
    printSummary("p99 of each run", "ms", runP99);
    return 0;
}

// The data folder of a measurement: the one given, or a fresh one in `tmp`; empty when it
// cannot be made.
QString dataFolder(const Options& o, const QTemporaryDir& tmp) {
    const QString data = o.data.isEmpty() ? tmp.filePath(QStringLiteral("data")) : o.data;
    if (!prepareData(data, o.rows)) {
        std::fprintf(stderr, "cannot create the data file\n");
        return {};
    }
    return data;
}

// Starts the program `runs` times with settings of its own and, once its window is managed,
// hands it over with the milliseconds that took; false when it did not come up.
bool eachShownRun(const Options& o, const std::function<void(AppRun&, double)>& measure) {
    QTemporaryDir tmp;
    const QString data = dataFolder(o, tmp);
    if (data.isEmpty()) {
        return false;
    }
    for (int run = 0; run < o.runs; ++run) {
        const QString config = tmp.filePath(QStringLiteral("config%1").arg(run));
        writeSettings(config, o.minimized);
        FirstWindowWatch watch;
        AppRun app(o, data, config);
        const auto t0 = steady_clock::now();
        std::optional<steady_clock::time_point> shown;
        if (app.start()) {
            // Started into the tray, the program shows no window at all: its run begins at once.
            shown = o.minimized ? steady_clock::now()
                                : watch.waitFor(app.pid(), std::chrono::seconds(30));
        }
        if (!shown) {
            std::fprintf(stderr, "%s did not show its window\n", qPrintable(o.exe));
            return false;
        }
        std::printf("run %d: ", run + 1);
        measure(app, std::chrono::duration<double, std::milli>(*shown - t0).count());
        std::fflush(stdout);
    }
    return true;
}

int measureIdle(const Options& o) {
    std::vector<double> mainThread;
    std::vector<double> allThreads;
    const bool done = eachShownRun(o, [&](AppRun& app, double) {
        QThread::sleep(3); // start-up work and the first ticks are not idle time
        const auto before = threadNanoseconds(app.pid());
        const auto t0 = steady_clock::now();
        QThread::sleep(o.seconds);
        const auto after = threadNanoseconds(app.pid());
        const double seconds = std::chrono::duration<double>(steady_clock::now() - t0).count();
        // Threads are compared one by one: a thread that ended in between would otherwise take
        // its whole earlier run time off the sum. Its time in between is lost, a new one's counts.
        const QString main = QString::number(app.pid());
        double all = 0;
        for (auto t = after.cbegin(); t != after.cend(); ++t) {
            all += t.value() - before.value(t.key(), 0);
        }
        mainThread.push_back((after.value(main) - before.value(main)) / 1e6 / seconds);
        allThreads.push_back(all / 1e6 / seconds);
        std::printf("main thread %.3f ms/s, all threads %.3f ms/s\n", mainThread.back(),
                    allThreads.back());
    });
    printSummary("idle CPU, main thread", "ms per s", mainThread);
    printSummary("idle CPU, all threads", "ms per s", allThreads);
    return done ? 0 : 1;
}

int measureStartup(const Options& o) {
    std::vector<double> ms;
    const bool done = eachShownRun(o, [&](AppRun&, double shownAfter) {
        ms.push_back(shownAfter);
        std::printf("first window after %.1f ms\n", shownAfter);
    });
    printSummary("start -> first window", "ms", ms);
    return done ? 0 : 1;
}

int usage() {
    std::fprintf(stderr, "usage: measure_app due|idle|startup EXECUTABLE [--runs N] [--tasks N]\n"
                         "       [--rows N] [--seconds N] [--data DIR] [--minimized]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        return usage();
    }
    Options o;
    o.mode = args[1];
    o.exe = QFileInfo(args[2]).absoluteFilePath();
    for (int i = 3; i < args.size(); ++i) {
        const QString a = args[i];
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QStringLiteral("--minimized")) {
            o.minimized = true;
            continue;
        }
        ++i;
        if (a == QStringLiteral("--runs")) {
            o.runs = value.toInt();
        } else if (a == QStringLiteral("--tasks")) {
            o.tasks = value.toInt();
        } else if (a == QStringLiteral("--rows")) {
            o.rows = value.toInt();
        } else if (a == QStringLiteral("--seconds")) {
            o.seconds = value.toInt();
        } else if (a == QStringLiteral("--data")) {
            o.data = QFileInfo(value).absoluteFilePath();
        } else {
            return usage();
        }
    }
    if (o.mode == QStringLiteral("due")) {
        return measureDue(o);
    }
    if (o.mode == QStringLiteral("idle")) {
        return measureIdle(o);
    }
    if (o.mode == QStringLiteral("startup")) {
        return measureStartup(o);
    }
    return usage();
}
