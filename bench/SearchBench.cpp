// Searching the schedule by example over 10^5 and 10^6 tasks, nine in ten of them history copies:
// all tasks whose description contains a word (the table is read and the store tests each
// record), and a date range (only the key stretch of the range is read).
#include "bench/support/BenchData.h"
#include "core/Date.h"
#include "qbe/QbeRun.h"
#include "qbe/QbeScan.h"
#include "store/Store.h"
#include "store/Tags.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <random>

using namespace velatask;

namespace {

const std::int32_t kFirstDate = Date::fromYmd(1998, 1, 1);
constexpr int kDays = 3000;

class Dataset : public BenchData {
public:
    explicit Dataset(int rows) {
        store().SCH.open();
        std::mt19937 random(rows);
        // One description in fifty holds the word searched for.
        const char* words[] = {"Call", "Report", "Meeting", "Pay", "Water"};
        addTasks(store(), rows, [&](int i, ScheduleRecord& r) {
            r.ID = i;
            r.TaskType = QStringLiteral("Display Message");
            r.ScheduleType = QStringLiteral("Day of Week");
            r.Category = random() % 2 ? QStringLiteral("Work") : QStringLiteral("Home");
            r.Description =
                QStringLiteral("%1 the %2 plants, number %3")
                    .arg(random() % 50 == 0 ? QStringLiteral("Backup")
                                            : QString::fromLatin1(words[random() % 5]))
                    .arg(random() % 2 ? QStringLiteral("office") : QStringLiteral("home"))
                    .arg(random() % 5000);
            r.Date = kFirstDate + std::int32_t(random() % kDays);
            r.Time = std::int32_t(random() % 8640000) + 1;
            r.Message = QStringLiteral("Remember the thing of the day.");
            const bool history = i % 10 != 0;
            r.Disabled = history ? 1 : 0;
            r.Completed = history ? 1 : 0;
        });
    }
};

DataSets<int, Dataset>& datasets() {
    static DataSets<int, Dataset> sets;
    return sets;
}

Dataset& dataset(int rows) {
    return datasets().get(rows, rows);
}

std::vector<KeyOrder> keys() {
    return {
        {QStringLiteral("Date"), [](WindowCursor& c) { return c.setOrder(ScheduleKey::KeyDate); }},
        {QStringLiteral("Description"),
         [](WindowCursor& c) { return c.setOrder(ScheduleKey::KeyTaskName); }}};
}

// Runs a whole search as the progress window does, slice by slice; the rows of the table
// count as scanned.
void search(benchmark::State& state, const std::vector<Criterion>& criteria,
            QbeRun::Action action) {
    const int rows = int(state.range(0));
    Store& store = dataset(rows).store();
    Tags tags(store);
    store.TF_.open(); // held by the search window while it runs
    std::int64_t found = 0;
    std::int64_t visited = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tags.NewTag_(1);
        state.ResumeTiming();
        WindowCursor cursor(store, ScheduleKey::KeyID);
        QbeScan scan(cursor, criteria, keys());
        QbeRun run(store, scan, tags, 1, action, QStringLiteral("Schedule"));
        run.start();
        while (run.slice(4096)) {
        }
        found = run.found();
        visited = scan.rowsVisited();
    }
    store.TF_.close();
    state.counters["found"] = double(found);
    state.counters["visited"] = double(visited);
    state.counters["rows/s"] =
        benchmark::Counter(double(rows) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void sizes(benchmark::internal::Benchmark* b) {
    // Wall time: the user waits for the tags to be written as much as for the reading.
    b->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

// "Contains this": every description is looked at; the matches are tagged in set 1.
static void BM_SelectDescriptionContainsWord(benchmark::State& state) {
    search(state,
           {{QStringLiteral("Description"),
             FieldKind::String,
             MatchType::Contains,
             QStringLiteral("backup"),
             {}}},
           QbeRun::Action::Select);
}
BENCHMARK(BM_SelectDescriptionContainsWord)->Apply(sizes);

// The same search, counting the matches only (edit mode without stopping is not offered; the
// unselect of an empty set tags nothing).
static void BM_ScanDescriptionContainsWord(benchmark::State& state) {
    search(state,
           {{QStringLiteral("Description"),
             FieldKind::String,
             MatchType::Contains,
             QStringLiteral("backup"),
             {}}},
           QbeRun::Action::Unselect);
}
BENCHMARK(BM_ScanDescriptionContainsWord)->Apply(sizes);

// "Inside range" on the date key: one week of tasks out of about eight years.
static void BM_SelectDateRange(benchmark::State& state) {
    search(state,
           {{QStringLiteral("Date"), FieldKind::Date, MatchType::InsideRange,
             qlonglong(kFirstDate + 1000), qlonglong(kFirstDate + 1006)}},
           QbeRun::Action::Select);
}
BENCHMARK(BM_SelectDateRange)->Apply(sizes);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    datasets().clear();
    return 0;
}
