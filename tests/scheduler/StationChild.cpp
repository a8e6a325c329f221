// A scheduler station for the fault-injection tests: the real tick over a data folder, with a
// program starter that logs each performed occurrence ("<task> <date> <time>") to a file.
//
//   scheduler_station_child DIR LOG crash [DIE_AFTER]
//       Runs tasks back to back on a clock that moves a minute whenever nothing is due, until
//       killed; with DIE_AFTER it kills itself right after that many performances, between
//       performing an occurrence and recording it.
//   scheduler_station_child DIR LOG station EPOCH_MS FACTOR END_MINUTES
//       Runs on a clock FACTOR times faster than real time that started at 09:00 on 4 Jan 1999
//       at EPOCH_MS, one tick per simulated second, until half a minute past 09:END_MINUTES and
//       nothing due before then is left.
//
// With VELATASK_STATION_DATABASE set, the tables are those of that database on the server whose
// socket folder VELATASK_TEST_PGHOST names, not the files of DIR.
#include "EngineFixture.h"
#include "store/SqlDialect.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace velatask;

namespace {

// Appends one line per start, written whole so that two stations may share the file.
class LoggingStarter : public ProgramStarter {
public:
    LoggingStarter(Store& store, int fd, int dieAfter)
        : m_store(store), m_fd(fd), m_dieAfter(dieAfter) {}
    StartResult start(const QString&, const QString&) override {
        const ScheduleRecord& task = m_store.SCH1.buffer();
        const QByteArray line =
            QStringLiteral("%1 %2 %3\n").arg(task.ID).arg(task.Date).arg(task.Time).toLatin1();
        if (::write(m_fd, line.constData(), static_cast<size_t>(line.size())) != line.size()) {
            std::_Exit(3);
        }
        if (++m_started == m_dieAfter) {
            std::raise(SIGKILL);
        }
        return StartResult{true, 100, QString()};
    }
    bool isProgram(const QString&) const override { return true; }

private:
    Store& m_store;
    int m_fd;
    int m_dieAfter;
    int m_started = 0;
};

// A clock that runs `factor` times faster than the machine's from a common start.
class ScaledClock : public Clock {
public:
    ScaledClock(qint64 epochMs, int factor) : m_epochMs(epochMs), m_factor(factor) {}
    std::int32_t today() const override { return split().first; }
    std::int32_t now() const override { return split().second; }

private:
    std::pair<std::int32_t, std::int32_t> split() const {
        const qint64 elapsed = (QDateTime::currentMSecsSinceEpoch() - m_epochMs) * m_factor / 10;
        std::int32_t date = Date::fromYmd(1999, 1, 4);
        std::int32_t time = Time::fromHms(9, 0) + static_cast<std::int32_t>(elapsed);
        Time::normalise(date, time);
        return {date, time};
    }
    qint64 m_epochMs;
    int m_factor;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const int log = ::open(argv[2], O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    const QByteArray mode = argv[3];
    const bool station = mode == "station";
    if (log < 0 || (station && argc < 7)) {
        return 2;
    }

    IniFile ini(dir + QStringLiteral("/Vela.INI"));
    Settings settings;
    ScriptedUi ui;
    const QString database = qEnvironmentVariable("VELATASK_STATION_DATABASE");
    std::unique_ptr<Store> stationStore =
        database.isEmpty()
            ? std::make_unique<Store>(dir, ui)
            : std::make_unique<Store>(dir,
                                      ServerAddress{qEnvironmentVariable("VELATASK_TEST_PGHOST"), 0,
                                                    database, QStringLiteral("postgres")},
                                      ui);
    Store& store = *stationStore;
    FakeClock fakeClock;
    ScaledClock scaledClock(station ? QByteArray(argv[4]).toLongLong() : 0,
                            station ? std::atoi(argv[5]) : 1);
    const Clock& clock = station ? static_cast<const Clock&>(scaledClock) : fakeClock;
    EventLog events;
    FakeFrame frame(events);
    AppContext ctx;
    RecordingMessageWindows messageWindows(ctx, events);
    RecordingSound sound;
    LoggingStarter programs(store, log, !station && argc > 4 ? std::atoi(argv[4]) : 0);
    ScriptQueue queue;
    RecordingKeyInjector keys;
    FakeWindowSystem windows;
    RecordingDdeClient dde;
    ImmediateDelivery delivery;
    KeyPlayback playback(keys, delivery);
    RecordingPause pause(&fakeClock);
    KeystrokeSender sender(playback, clock, pause);
    ScriptRunner runner(ScriptRunner::Services{queue, clock, ui, windows, dde, keys, sender});
    ctx.ini = &ini;
    ctx.settings = &settings;
    ctx.clock = &clock;
    ctx.ui = &ui;
    ctx.store = &store;
    ctx.sound = &sound;
    ctx.programs = &programs;
    ctx.scriptQueue = &queue;
    ctx.scriptRunner = &runner;
    ctx.frame = &frame;
    ctx.messageWindows = &messageWindows;
    SchedulerTick ticker(ctx);
    if (store.HIS.open() != 0 || store.SCH1.open() != 0 || store.SCR.open() != 0 ||
        store.SCH.open() != 0) {
        return 1;
    }

    if (station) {
        // Half a minute after the last occurrence, so the stop never races a due task.
        const std::int32_t endTime = Time::fromHms(9, std::atoi(argv[6]), 30);
        QTimer timer;
        timer.setInterval(std::max(1, 1000 / std::atoi(argv[5])));
        QObject::connect(&timer, &QTimer::timeout, [&] {
            // A station that fell behind first catches up with what is due before the end.
            if (clock.now() > endTime) {
                store.SCH.setStart(ScheduleKey::KeyDateEnabled);
                if (store.SCH.next() != 0 || store.SCH.buffer().Time > endTime) {
                    QCoreApplication::quit();
                    return;
                }
            }
            ticker.tick();
        });
        timer.start();
        return QCoreApplication::exec();
    }

    // Start just after the earliest waiting occurrence.
    store.SCH.setStart(ScheduleKey::KeyDateEnabled);
    if (store.SCH.next() != 0 || store.SCH.buffer().Disabled == 1) {
        return 1;
    }
    fakeClock.set(store.SCH.buffer().Date, store.SCH.buffer().Time + 1);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        ticker.tick();
        store.SCH.setStart(ScheduleKey::KeyDateEnabled);
        if (store.SCH.next() != 0) {
            return 1;
        }
        const ScheduleRecord& next = store.SCH.buffer();
        if (next.Date > fakeClock.today() ||
            (next.Date == fakeClock.today() && next.Time >= fakeClock.now())) {
            fakeClock.advance(Time::kMinute);
        }
    }
}
