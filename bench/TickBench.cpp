// One tick of the scheduler over a Schedule table of 10^6 rows, nine in ten of them history
// copies: when nothing is due, when one task is due (performed, moved on, copied), and while batch
// work runs.
#include "bench/support/BenchData.h"
#include "bench/support/ScheduleFill.h"
#include "tests/csv/RandomTask.h"

#include "core/Date.h"
#include "core/Time.h"
#include "csv/CsvOutputFile.h"
#include "csv/ExportLineBuilder.h"
#include "csv/ImportFile.h"
#include "csv/ImportJob.h"
#include "platform/Tray.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/RecordingProgramStarter.h"
#include "platform/fake/RecordingSound.h"
#include "scheduler/AppContext.h"
#include "scheduler/Frame.h"
#include "scheduler/MessageWindowOpener.h"
#include "scheduler/SchedulerTick.h"
#include "scripting/ScriptQueue.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "store/BatchWriter.h"
#include "store/Checkpointer.h"
#include "store/Store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace velatask;

namespace {

class QuietTray : public Tray {
public:
    bool add(const QString&) override { return false; }
    bool modify(const QString&) override { return false; }
    bool remove() override { return false; }
    QString tip() const override { return {}; }
};

class QuietFrame : public Frame {
public:
    QString applicationTitle() const override { return QStringLiteral("Velatask"); }
    QString caption() const override { return m_caption; }
    void setCaption(const QString& caption) override { m_caption = caption; }
    bool isIconised() const override { return false; }
    void unIconise() override {}
    void showNormally() override {}
    void bringToForeground() override {}
    Tray& tray() override { return m_tray; }
    bool inTray() const override { return false; }
    void setInTray(bool) override {}

private:
    QuietTray m_tray;
    QString m_caption;
};

class CountingMessageWindows : public MessageWindowOpener {
public:
    void openMessageWindow() override { ++opened; }
    int opened = 0;
};

constexpr std::int32_t kFirstDate = 72000;
constexpr int kRows = 1000000;

using Fill = void (*)(Store&, int, std::int32_t);

// The data file and the scheduler around it, made once per run.
class TickWorld {
public:
    explicit TickWorld(Fill fill) {
        m_store.HIS.open();
        m_store.SCH1.open();
        m_store.SCR.open();
        m_store.SCH.open();
        fill(m_store, kRows, kFirstDate);

        m_ctx.ini = &m_ini;
        m_ctx.settings = &m_settings;
        m_ctx.clock = &clock;
        m_ctx.ui = &m_data.ui();
        m_ctx.store = &m_store;
        m_ctx.sound = &m_sound;
        m_ctx.programs = &m_programs;
        m_ctx.scriptQueue = &m_queue;
        m_ctx.frame = &m_frame;
        m_ctx.tray = &m_frame.tray();
        m_ctx.messageWindows = &messages;
        clock.set(kFirstDate + 3500, Time::fromHms(12, 0));
    }

    // Adds an enabled task that is due at the clock's moment; 0 or the store's code.
    int addDueTask() {
        ScheduleRecord& r = m_store.SCH.buffer();
        r = ScheduleRecord{};
        r.ID = 0;
        m_store.SCH.setEnd(ScheduleKey::KeyID);
        m_store.SCH.previous();
        const std::int32_t id = m_store.SCH.buffer().ID + 1;
        r = dailyMessage(id, QStringLiteral("Due now"));
        r.Date = clock.today();
        r.Time = clock.now() - 1;
        return m_store.SCH.add();
    }

    void tick() { m_tick.tick(); }
    Store& store() { return m_store; }
    void setHistoryExpires(long days) { m_settings.historyExpires = days; }

    FakeClock clock;
    CountingMessageWindows messages;

private:
    BenchData m_data;
    Store& m_store = m_data.store();
    IniFile m_ini{m_data.filePath(QStringLiteral("Vela.INI"))};
    Settings m_settings;
    RecordingSound m_sound;
    RecordingProgramStarter m_programs;
    ScriptQueue m_queue;
    QuietFrame m_frame;
    AppContext m_ctx;
    SchedulerTick m_tick{m_ctx};
};

TickWorld& world() {
    static TickWorld w(fillScheduleWithHistory);
    return w;
}

// History copies in no order of date or task: no run of the scheduler leaves them so, and every
// deletion lands on other index pages. Made only when a benchmark asks for it.
TickWorld& scatteredWorld() {
    static TickWorld w(fillSchedule);
    return w;
}

} // namespace

static void BM_TickNothingDue(benchmark::State& state) {
    TickWorld& w = world();
    for (auto _ : state) {
        w.tick();
    }
}
BENCHMARK(BM_TickNothingDue)->Unit(benchmark::kMicrosecond);

// The same tick as the resident program meets it after a second of sleep: the processor's caches
// and address translations hold other programs' memory, not the scheduler's.
static void BM_TickNothingDueColdCaches(benchmark::State& state) {
    TickWorld& w = world();
    std::vector<char> other(64 << 20);
    for (auto _ : state) {
        state.PauseTiming();
        for (size_t i = 0; i < other.size(); i += 64) {
            other[i] = char(other[i] + 1);
        }
        benchmark::ClobberMemory();
        state.ResumeTiming();
        w.tick();
    }
}
BENCHMARK(BM_TickNothingDueColdCaches)->Unit(benchmark::kMicrosecond)->Iterations(300);

static void BM_TickOneTaskDue(benchmark::State& state) {
    TickWorld& w = world();
    const int before = w.messages.opened;
    for (auto _ : state) {
        state.PauseTiming();
        w.addDueTask();
        state.ResumeTiming();
        w.tick();
    }
    if (w.messages.opened - before != int(state.iterations())) {
        state.SkipWithError("a due task was not performed");
    }
}
BENCHMARK(BM_TickOneTaskDue)->Unit(benchmark::kMicrosecond);

namespace {

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

// A batch deletes 10^5 history copies in slices (housekeeping, an import's undo); the scheduler
// ticks between slices, as the event loop interleaves them. Each statement deletes a page of 250
// positions; a slice goes on while its time (the first argument, in ms; 0 = one page) lasts. The
// second argument picks the data: 0 = history as the scheduler writes it, 1 = scattered copies.
// Reports the ticks' durations, the batch's own speed and the longest slice.
static void BM_TickWhileABatchDeletes(benchmark::State& state) {
    TickWorld& w = state.range(1) == 0 ? world() : scatteredWorld();
    const int sliceMs = int(state.range(0));
    constexpr int kPage = 250;
    std::vector<double> ticks;
    double batchMs = 0;
    double longestSlice = 0;
    int deleted = 0;
    std::int64_t position = 1;
    std::vector<std::int64_t> page;
    for (auto _ : state) {
        BatchWriter batch(w.store());
        while (deleted < 100000) {
            const auto start = std::chrono::steady_clock::now();
            batch.beginSlice();
            do {
                page.clear();
                for (; int(page.size()) < kPage; ++position) {
                    if (position % 10 != 0) { // a history copy
                        page.push_back(position);
                    }
                }
                batch.erase(Table::Schedule, page);
                deleted += kPage;
            } while (deleted < 100000 && msSince(start) < sliceMs);
            batch.commitSlice();
            const double slice = msSince(start);
            batchMs += slice;
            longestSlice = std::max(longestSlice, slice);
            const auto tickStart = std::chrono::steady_clock::now();
            w.tick();
            ticks.push_back(msSince(tickStart));
        }
    }
    std::sort(ticks.begin(), ticks.end());
    state.counters["tick_median_ms"] = ticks[ticks.size() / 2];
    state.counters["tick_max_ms"] = ticks.back();
    state.counters["tick_p99_ms"] = ticks[ticks.size() * 99 / 100];
    state.counters["tick_p90_ms"] = ticks[ticks.size() * 9 / 10];
    state.counters["ticks"] = double(ticks.size());
    state.counters["log_copies"] = double(w.store().checkpointer().figures().batchCopies);
    state.counters["batch_rows_per_s"] = deleted / (batchMs / 1000.0);
    state.counters["slice_max_ms"] = longestSlice;
}
BENCHMARK(BM_TickWhileABatchDeletes)
    ->Args({25, 0})
    ->Args({25, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// An import of 10^5 tasks with all 34 fields (disabled, so that none falls due) into the table of
// 10^6 rows, as the import window runs it: slices of the window's time, commits at the pace. The
// scheduler ticks between slices; every tenth tick a task is due, added by a window (whose write
// has the import's open transaction committed first). Reports the ticks, the due ones apart, the
// import's slices and its rate.
static void BM_TickWhileImporting(benchmark::State& state) {
    TickWorld& w = world();
    const QString path =
        QDir(QDir::tempPath()).filePath(QStringLiteral("velatask-tick-import.csv"));
    {
        QList<ExportField> fields;
        for (int i = 0; i < ScheduleField::kCount; ++i) {
            fields.append({i, ScheduleField::all()[size_t(i)].pictureText()});
        }
        const ExportLineBuilder builder(fields);
        CsvOutputFile file;
        CsvLine line;
        if (!file.create(path) || !file.open()) {
            state.SkipWithError("no import file");
            return;
        }
        RandomTask random(11);
        for (int i = 0; i < 100000; ++i) {
            ScheduleRecord r = random.next();
            r.Disabled = 1;
            builder.build(r, line);
            file.writeLine(line.text());
        }
        file.close();
    }
    std::vector<double> ticks;
    std::vector<double> dueTicks;
    double longestSlice = 0;
    int slices = 0;
    double importMs = 0;
    for (auto _ : state) {
        ImportFile file;
        file.open(path);
        ImportPlan plan;
        plan.setFields(file.fields());
        plan.autoAssign(file.values());
        ImportJob job(w.store(), file.reader(), file.size(), plan);
        job.setSliceMilliseconds(SliceBudget::kWindowMs);
        job.commitAtPace();
        job.start(false);
        const int before = w.messages.opened;
        ImportJob::Step step = ImportJob::Step::More;
        while (step == ImportJob::Step::More) {
            auto start = std::chrono::steady_clock::now();
            step = job.step(25);
            const double slice = msSince(start);
            importMs += slice;
            longestSlice = std::max(longestSlice, slice);
            ++slices;
            const bool due = slices % 10 == 0;
            start = std::chrono::steady_clock::now();
            // The highest number read before the add has the import's open transaction
            // committed may be taken by then: the next try reads it again, as a form does.
            for (int attempt = 0; due && attempt < 3 && w.addDueTask() != 0; ++attempt) {
            }
            w.tick();
            (due ? dueTicks : ticks).push_back(msSince(start));
        }
        if (job.added() != 100000 || w.messages.opened - before != int(dueTicks.size())) {
            state.SkipWithError("a task was not imported or a due task not performed");
        }
    }
    QFile::remove(path);
    std::sort(ticks.begin(), ticks.end());
    std::sort(dueTicks.begin(), dueTicks.end());
    state.counters["tick_median_ms"] = ticks[ticks.size() / 2];
    state.counters["tick_max_ms"] = ticks.back();
    state.counters["due_tick_median_ms"] = dueTicks[dueTicks.size() / 2];
    state.counters["due_tick_max_ms"] = dueTicks.back();
    state.counters["slice_max_ms"] = longestSlice;
    state.counters["slices"] = slices;
    state.counters["import_rows_per_s"] = 100000.0 * double(state.iterations()) / (importMs / 1000);
}
BENCHMARK(BM_TickWhileImporting)->Iterations(1)->Unit(benchmark::kMillisecond);

// Ticks that each remove a slice of expired history copies (the once-a-day expiry with a large
// backlog: every copy older than 300 days).
static void BM_TickWithExpirySlice(benchmark::State& state) {
    TickWorld& w = world();
    w.setHistoryExpires(300);
    for (auto _ : state) {
        w.tick();
    }
}
BENCHMARK(BM_TickWithExpirySlice)->Iterations(40)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the SQL driver wants an application object
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
