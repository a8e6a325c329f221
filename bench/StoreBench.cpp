// Store operations that the scheduler and the windows run often, on Schedule tables of 10^3,
// 10^5 and 10^6 rows, nine in ten of them history copies.
#include "bench/support/BenchData.h"
#include "store/Connection.h"
#include "store/Procedures.h"
#include "store/Store.h"
#include "store/Transaction.h"
#include "store/WindowCursor.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace velatask;

namespace {

constexpr std::int32_t kFirstDate = 72000; // around 1998
constexpr int kDays = 3000;

// One filled data folder per size, made once per run; one listed task in a hundred has an
// advance warning.
class Dataset : public BenchData {
public:
    explicit Dataset(int rows) {
        store().SCH.open();
        store().SCH1.open();
        store().SCR.open();
        std::mt19937 random(rows);
        addTasks(store(), rows, [&](int i, ScheduleRecord& r) {
            r = listedTask(i, random, kFirstDate, kDays);
            if (r.Disabled == 0 && i % 100 == 0) {
                r.AdvanceWarnDate = r.Date - 1;
                r.AdvanceWarnTime = r.Time;
            }
        });
        tagRows(rows, random);
    }

private:
    // Tag set 1 holds a few records (what a narrow search selects), set 2 one in ten.
    void tagRows(int rows, std::mt19937& random) {
        store().TF_.open();
        Connection& tags = store().tagConnection();
        StoreError error;
        tags.begin(Transaction::kDefaultWaitMs, error);
        const QString insert = QStringLiteral("INSERT OR IGNORE INTO TagFile_ (Usr, Tbl, Ptr, Val) "
                                              "VALUES (0, ?, ?, '')");
        for (int i = 0; i < std::min(1000, rows / 10); ++i) {
            tags.exec(insert, {1, int(random() % rows) + 1}, error);
        }
        for (int p = 1; p <= rows; p += 10) {
            tags.exec(insert, {2, p}, error);
        }
        tags.commit(error);
    }
};

DataSets<int, Dataset>& datasets() {
    static DataSets<int, Dataset> sets;
    return sets;
}

Dataset& dataset(int rows) {
    return datasets().get(rows, rows);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
}

} // namespace

// The scheduler's tick: the first record of KeyDateEnabled through SCH1.
static void BM_FirstKeyDateEnabled(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    for (auto _ : state) {
        store.SCH1.setStart(ScheduleKey::KeyDateEnabled);
        benchmark::DoNotOptimize(store.SCH1.next());
    }
}
BENCHMARK(BM_FirstKeyDateEnabled)->Apply(sizes);

// The advance-warning scan: the first record of KeyAdvanced.
static void BM_FirstKeyAdvanced(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    for (auto _ : state) {
        store.SCH1.setStart(ScheduleKey::KeyAdvanced);
        benchmark::DoNotOptimize(store.SCH1.next());
    }
}
BENCHMARK(BM_FirstKeyAdvanced)->Apply(sizes);

// Reserving a new task number (the reserved record is deleted again outside the timing).
static void BM_NewTaskNumber(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    for (auto _ : state) {
        store.SCH.clearBuffer();
        benchmark::DoNotOptimize(NewTaskNumber(store));
        state.PauseTiming();
        store.SCH.erase();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NewTaskNumber)->Apply(sizes);

// A browse page: 50 rows in KeyDate order from the middle of the table.
static void BM_PageOf50ByKeyDate(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    for (auto _ : state) {
        store.SCH.clearBuffer();
        store.SCH.buffer().Date = kFirstDate + kDays / 2;
        store.SCH.setAt(ScheduleKey::KeyDate, 1);
        for (int i = 0; i < 50; ++i) {
            store.SCH.next();
        }
    }
    state.SetItemsProcessed(state.iterations() * 50);
}
BENCHMARK(BM_PageOf50ByKeyDate)->Apply(sizes);

// Adding a task with ten script steps in one transaction, then deleting it with its steps.
static void BM_AddAndDeleteTaskWithTenSteps(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    for (auto _ : state) {
        {
            Transaction tx(store);
            tx.begin();
            store.SCH.clearBuffer();
            store.SCH.buffer().ID = 9999999;
            store.SCH.buffer().Description = QStringLiteral("with steps");
            store.SCH.add();
            for (int s = 1; s <= 10; ++s) {
                store.SCR.buffer() = ScriptingRecord{};
                store.SCR.buffer().ID = 9999999;
                store.SCR.buffer().Sequence = s;
                store.SCR.buffer().Keystrokes = QStringLiteral("{Alt+F}x");
                store.SCR.add();
            }
            tx.commit();
        }
        benchmark::DoNotOptimize(DeleteScheduleRecord(store));
    }
}
BENCHMARK(BM_AddAndDeleteTaskWithTenSteps)->Apply(sizes);

namespace {

constexpr int kPageRows = 40;

// A browse of all tasks by date, showing the columns of the schedule list.
std::unique_ptr<WindowCursor> browse(Store& store, ScheduleKey key = ScheduleKey::KeyDate) {
    auto cursor = std::make_unique<WindowCursor>(store, key);
    cursor->setColumns({"Date", "Time", "Category", "Description", "TaskType", "ScheduleType",
                        "Completed", "Disabled", "SkipNextTime"});
    return cursor;
}

void checkPage(benchmark::State& state, const WindowCursor::Page& page) {
    if (page.size() != size_t(kPageRows)) {
        state.SkipWithError("short page");
    }
}

} // namespace

// Opening a browse: its first page.
static void BM_CursorFirstPage(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    WindowCursor::Page page;
    for (auto _ : state) {
        browse(store)->first(kPageRows, page);
    }
    checkPage(state, page);
}
BENCHMARK(BM_CursorFirstPage)->Apply(sizes);

// End.
static void BM_CursorLastPage(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    WindowCursor::Page page;
    for (auto _ : state) {
        browse(store)->last(kPageRows, page);
    }
    checkPage(state, page);
}
BENCHMARK(BM_CursorLastPage)->Apply(sizes);

// Page Down from the middle of the table.
static void BM_CursorPageDown(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    auto cursor = browse(store);
    WindowCursor::Page page;
    WindowCursor::Page middle;
    cursor->seek({kFirstDate + kDays / 2}, kPageRows, middle);
    page = middle;
    for (auto _ : state) {
        const WindowCursor::Row anchor = page.back();
        cursor->after(anchor, kPageRows, page);
        if (page.size() < size_t(kPageRows)) {
            page = middle; // the end: down again from the middle
        }
    }
    checkPage(state, page);
}
BENCHMARK(BM_CursorPageDown)->Apply(sizes);

// The thumb dragged to the middle of a browse just opened (the key sample is taken then).
static void BM_CursorThumbToMiddle(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    WindowCursor::Page page;
    for (auto _ : state) {
        browse(store)->atFraction(0.5, kPageRows, page);
    }
    checkPage(state, page);
}
BENCHMARK(BM_CursorThumbToMiddle)->Apply(sizes);

// The locator in the by-name order: typing "Task number 25".
static void BM_CursorLocator(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    WindowCursor::Page page;
    for (auto _ : state) {
        browse(store, ScheduleKey::KeyTaskName)
            ->seek({QStringLiteral("Task number 25")}, kPageRows, page);
    }
    checkPage(state, page);
}
BENCHMARK(BM_CursorLocator)->Apply(sizes);

// Records to process: the enabled tasks (a range of KeyDateEnabled) that are not completed, and
// all records not completed (a filter on a column outside the key).
static void BM_CursorCountRangeAndFilter(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    std::int64_t n = 0;
    for (auto _ : state) {
        WindowCursor cursor(store, ScheduleKey::KeyDateEnabled);
        cursor.setRange({0});
        cursor.setFilter(Filter::compare("Completed", Filter::Op::Equal, 0));
        cursor.count(n);
    }
    state.counters["rows"] = double(n);
}
BENCHMARK(BM_CursorCountRangeAndFilter)->Apply(sizes);

static void BM_CursorCountFilterOutsideTheKey(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    std::int64_t n = 0;
    for (auto _ : state) {
        WindowCursor cursor(store, ScheduleKey::KeyDate);
        cursor.setFilter(Filter::compare("Completed", Filter::Op::Equal, 0) &&
                         Filter::text("Description", Filter::Text::Contains, "number 12"));
        cursor.count(n);
    }
    state.counters["rows"] = double(n);
}
BENCHMARK(BM_CursorCountFilterOutsideTheKey)->Apply(sizes);

// "Tagged in set n, in date order": the first page and the count, for a set of at most 1000
// records (1) and for one record in ten (2).
static void BM_CursorTaggedFirstPage(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    WindowCursor::Page page;
    std::int64_t n = 0;
    for (auto _ : state) {
        auto cursor = browse(store);
        cursor->setFilter(Filter::taggedIn(int(state.range(1))));
        cursor->first(kPageRows, page);
    }
    auto cursor = browse(store);
    cursor->setFilter(Filter::taggedIn(int(state.range(1))));
    cursor->count(n);
    state.counters["tagged"] = double(n);
    checkPage(state, page);
}
BENCHMARK(BM_CursorTaggedFirstPage)
    ->ArgsProduct({{1000, 100000, 1000000}, {1, 2}})
    ->Unit(benchmark::kMicrosecond);

static void BM_CursorTaggedCount(benchmark::State& state) {
    Store& store = dataset(int(state.range(0))).store();
    std::int64_t n = 0;
    for (auto _ : state) {
        WindowCursor cursor(store, ScheduleKey::KeyDate);
        cursor.setFilter(Filter::taggedIn(int(state.range(1))));
        cursor.count(n);
    }
    state.counters["tagged"] = double(n);
}
BENCHMARK(BM_CursorTaggedCount)
    ->ArgsProduct({{1000, 100000, 1000000}, {1, 2}})
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The stores close their connections while Qt's database registry still exists.
    datasets().clear();
    return 0;
}
