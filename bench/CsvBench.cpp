// Export and import of 10^5 tasks with all 34 fields, and the longest slice that the progress
// window's timer runs (batches of 25 while the slice's time lasts). Their rates are of wall time,
// what a user waits; "rows_per_s_cpu" is the same of this thread's processor time. The "Lines"
// benchmarks run the same files through the CSV layer alone, without the store: what the lines cost
// apart from reading and writing tasks.
#include "bench/support/BenchData.h"
#include "tests/csv/RandomTask.h"

#include "csv/CsvOutputFile.h"
#include "csv/ExportJob.h"
#include "csv/ImportFile.h"
#include "csv/ImportJob.h"
#include "store/ScheduleReader.h"
#include "store/Store.h"
#include "store/StoredRows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <vector>

using namespace velatask;

namespace {

constexpr int kTasks = 100000;
constexpr int kSlice = 25;

QList<ExportField> allFields() {
    QList<ExportField> fields;
    for (int i = 0; i < ScheduleField::kCount; ++i) {
        fields.append({i, ScheduleField::all()[size_t(i)].pictureText()});
    }
    return fields;
}

// A data folder with the tasks, made once per run, and the file they export to.
class Dataset : public BenchData {
public:
    Dataset() {
        store().SCH.open();
        RandomTask random(7);
        addTasks(store(), kTasks, [&](int i, ScheduleRecord& r) {
            r = random.next();
            r.ID = i;
        });
    }
    QString file() const { return filePath(QStringLiteral("tasks.csv")); }
};

Dataset& dataset() {
    static Dataset d;
    return d;
}

// This thread's processor time in nanoseconds: on a loaded machine a slice's wall time also
// counts the time others ran, so the longest slice is given both ways.
qint64 threadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The longest slice (wall and processor time) and how many slices there were.
struct SliceFigures {
    double wallMs = 0;
    double cpuMs = 0;
    double cpuTotalMs = 0;
    int slices = 0;
    int over50 = 0;    // slices longer than 50 ms (wall)
    int cpuOver50 = 0; // slices that took more than 50 ms of processor time
    void take(const SliceFigures& o) {
        wallMs = std::max(wallMs, o.wallMs);
        cpuMs = std::max(cpuMs, o.cpuMs);
        cpuTotalMs += o.cpuTotalMs;
        slices += o.slices;
        over50 += o.over50;
        cpuOver50 += o.cpuOver50;
    }
    void report(benchmark::State& state) const {
        state.counters["longest_slice_ms"] = wallMs;
        state.counters["longest_slice_cpu_ms"] = cpuMs;
        state.counters["slices_over_50ms"] = over50;
        state.counters["slices_over_50ms_cpu"] = cpuOver50;
        state.counters["slices"] = slices;
        state.counters["rows_per_s_cpu"] =
            double(kTasks) * double(state.iterations()) / std::max(cpuTotalMs / 1000.0, 1e-9);
        state.counters["rows_per_slice"] =
            double(kTasks) * double(state.iterations()) / std::max(slices, 1);
    }
};

// Runs slices to the end, as the progress window gives them time.
template <class Job> SliceFigures runSlices(Job& job) {
    job.setSliceMilliseconds(SliceBudget::kWindowMs);
    QElapsedTimer t;
    SliceFigures figures;
    for (;;) {
        t.start();
        const qint64 cpu = threadCpuNs();
        const auto step = job.step(kSlice);
        const double wallMs = double(t.nsecsElapsed()) / 1e6;
        const double cpuMs = double(threadCpuNs() - cpu) / 1e6;
        figures.take({wallMs, cpuMs, cpuMs, 1, wallMs > 50 ? 1 : 0, cpuMs > 50 ? 1 : 0});
        if (step != Job::Step::More) {
            break;
        }
    }
    return figures;
}

} // namespace

static void BM_ExportAllFields(benchmark::State& state) {
    Dataset& d = dataset();
    SliceFigures figures;
    for (auto _ : state) {
        ExportJob job(d.store(), allFields(), true);
        if (!job.start(d.file())) {
            state.SkipWithError("export did not start");
            return;
        }
        figures.take(runSlices(job));
        job.finish();
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
    figures.report(state);
}
BENCHMARK(BM_ExportAllFields)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

static void BM_ImportAllFields(benchmark::State& state) {
    Dataset& d = dataset();
    {
        ExportJob job(d.store(), allFields(), true);
        job.start(d.file());
        runSlices(job);
        job.finish();
    }
    SliceFigures figures;
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<BenchData>();
        ImportFile file;
        file.open(d.file());
        ImportPlan plan;
        plan.setFields(file.fields());
        plan.autoAssign(file.values());
        state.ResumeTiming();
        ImportJob job(target->store(), file.reader(), file.size(), plan);
        job.commitAtPace();
        job.start(true);
        figures.take(runSlices(job));
        if (job.added() != kTasks) {
            state.SkipWithError("not every task was added");
        }
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
    figures.report(state);
}
BENCHMARK(BM_ImportAllFields)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The export's reading of the tasks alone, as stored rows, without lines: in category, date and
// time order (argument 1) and in record order (0). What the export's reading thread does.
static void BM_ExportReadOnly(benchmark::State& state) {
    Dataset& d = dataset();
    StoredRows page;
    for (auto _ : state) {
        LargeRead large(d.store());
        ScheduleReader reader(d.store(), ScheduleKey::KeyCategoryDate);
        if (state.range(0) == 0) {
            reader.setRecordOrder();
        }
        std::int64_t n = 0;
        do {
            if (reader.next(500, page) != 0) {
                state.SkipWithError("read failed");
                return;
            }
            n += std::int64_t(page.size());
        } while (page.size() == 500);
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_ExportReadOnly)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

// The tasks of the data folder, held in memory.
const std::vector<ScheduleRecord>& tasksInMemory() {
    static const std::vector<ScheduleRecord> tasks = [] {
        std::vector<ScheduleRecord> all;
        RandomTask random(7);
        for (int i = 1; i <= kTasks; ++i) {
            all.push_back(random.next());
            all.back().ID = i;
        }
        return all;
    }();
    return tasks;
}

// The header and a line a task, as the export writes them but without the store.
static bool writeLines(const ExportLineBuilder& builder, const std::vector<ScheduleRecord>& tasks,
                       const QString& path) {
    CsvOutputFile file;
    CsvLine line;
    if (!file.create(path) || !file.open()) {
        return false;
    }
    builder.header(line);
    file.writeLine(line.text());
    for (const ScheduleRecord& task : tasks) {
        builder.build(task, line);
        file.writeLine(line.text());
    }
    file.close();
    return true;
}

static void BM_ExportLinesOnly(benchmark::State& state) {
    const std::vector<ScheduleRecord>& tasks = tasksInMemory();
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.csv"));
    const ExportLineBuilder builder(allFields());
    for (auto _ : state) {
        if (!writeLines(builder, tasks, path)) {
            state.SkipWithError("no file");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_ExportLinesOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_ImportLinesOnly(benchmark::State& state) {
    const std::vector<ScheduleRecord>& tasks = tasksInMemory();
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.csv"));
    if (!writeLines(ExportLineBuilder(allFields()), tasks, path)) {
        state.SkipWithError("no file");
        return;
    }
    ImportFile file;
    file.open(path);
    ImportPlan plan;
    plan.setFields(file.fields());
    plan.autoAssign(file.values());
    ScheduleRecord task;
    QString record;
    int lines = 0;
    for (auto _ : state) {
        file.reader().rewind();
        qint64 bytes = 0;
        file.reader().read(record, bytes); // the header
        while (file.reader().read(record, bytes)) {
            plan.apply(record, task);
            ++lines;
        }
    }
    if (lines != kTasks * state.iterations()) {
        state.SkipWithError("not every line was read");
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_ImportLinesOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the SQL driver wants an application object
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
