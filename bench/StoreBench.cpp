// Store operations that the scheduler and the windows run often, on Schedule tables of 10^3,
// 10^5 and 10^6 rows, nine in ten of them history copies.
#include "platform/fake/ScriptedUi.h"
#include "store/Procedures.h"
#include "store/Store.h"
#include "store/Transaction.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

using namespace velatask;

namespace {

constexpr std::int32_t kFirstDate = 72000; // around 1998
constexpr int kDays = 3000;

// One filled data folder per size, made once per run.
class Dataset {
public:
    explicit Dataset(int rows) : m_store(m_dir.path(), m_ui) {
        m_store.SCH.open();
        m_store.SCH1.open();
        m_store.SCR.open();
        std::mt19937 random(rows);
        Transaction tx(m_store);
        tx.begin();
        const char* categories[] = {"Work", "Home", "Birthdays", "Backups", ""};
        for (int i = 1; i <= rows; ++i) {
            ScheduleRecord& r = m_store.SCH.buffer();
            r = ScheduleRecord{};
            r.ID = i;
            r.TaskType = QStringLiteral("Display Message");
            r.ScheduleType = QStringLiteral("Day of Week");
            r.Category = QString::fromLatin1(categories[random() % 5]);
            r.Description = QStringLiteral("Task number %1").arg(random() % 5000);
            r.Date = kFirstDate + std::int32_t(random() % kDays);
            r.Time = std::int32_t(random() % 8640000) + 1;
            r.Message = QStringLiteral("Remember the thing of the day.");
            const bool history = i % 10 != 0;
            r.Disabled = history ? 1 : 0;
            r.Completed = history ? 1 : 0;
            if (!history && i % 100 == 0) {
                r.AdvanceWarnDate = r.Date - 1;
                r.AdvanceWarnTime = r.Time;
            }
            m_store.SCH.add();
        }
        tx.commit();
    }
    Store& store() { return m_store; }

private:
    QTemporaryDir m_dir;
    ScriptedUi m_ui;
    Store m_store;
};

std::map<int, std::unique_ptr<Dataset>>& datasets() {
    static std::map<int, std::unique_ptr<Dataset>> sets;
    return sets;
}

Dataset& dataset(int rows) {
    auto& d = datasets()[rows];
    if (!d) {
        d = std::make_unique<Dataset>(rows);
    }
    return *d;
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
