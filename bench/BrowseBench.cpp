// The page-loaded browse over Schedule tables of 10^3, 10^5 and 10^6 rows, nine in ten of them
// history copies: opening on the first page, End, Page Down, a thumb jump to the middle and a
// locator jump; and the resident memory of a browse over a million rows, in this process and in
// the real program.
#include "bench/support/BenchData.h"
#include "settings/IniFile.h"
#include "store/Store.h"
#include "ui/BrowseList.h"
#include "ui/CursorPageSource.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

using namespace velatask;

namespace {

constexpr std::int32_t kFirstDate = 72000; // around 1998
constexpr int kDays = 3000;
constexpr int kScreenRows = 25;
const char* const kScheduleFormat =
    "11L|M*I@s1@47L|M*~Date~@d3@32L|M*~Time~@t3@60L|M~Category~@s20@90L|M~Description~@s40@60L|"
    "M~Task Type~@s20@60L|M~Schedule Type~L(1)@s20@";

// A data folder with `rows` tasks (and as many To Do items when asked), made once per size.
class BrowseData : public BenchData {
public:
    BrowseData(int rows, bool toDo) {
        store().SCH.open();
        store().TDO.open();
        std::mt19937 random(rows);
        std::function<void(int)> addToDo;
        if (toDo) {
            addToDo = [&](int) {
                store().TDO.buffer() =
                    ToDoRecord{std::uint8_t(random() % 2), std::uint8_t(random() % 10 + 1),
                               QStringLiteral("Item %1").arg(random())};
                store().TDO.add();
            };
        }
        addTasks(
            store(), rows,
            [&](int i, ScheduleRecord& r) { r = listedTask(i, random, kFirstDate, kDays); },
            addToDo);
    }
};

DataSets<std::pair<int, bool>, BrowseData>& dataSets() {
    static DataSets<std::pair<int, bool>, BrowseData> sets;
    return sets;
}

BrowseData& data(int rows, bool toDo = false) {
    return dataSets().get({rows, toDo}, rows, toDo);
}

// A schedule browse as the windows declare it, `kScreenRows` rows high.
struct Browse {
    explicit Browse(Store& store)
        : source(store, ScheduleKey::KeyDate),
          list(source, *ListFormat::parse(QString::fromLatin1(kScheduleFormat))) {
        source.cursor().setColumns({"Completed", "SkipNextTime", "Disabled", "Date", "Time",
                                    "Category", "Description", "TaskType", "ScheduleType"});
        list.model().setValueColumns({-1, 3, 4, 5, 6, 7, 8});
        list.setChangeInterval(0);
        list.pager().setCapacity(kScreenRows);
    }
    CursorPageSource source;
    BrowseList list;
};

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

long residentKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

void BM_OpenFirstPage(benchmark::State& state) {
    Store& store = data(int(state.range(0))).store();
    for (auto _ : state) {
        Browse browse(store);
        benchmark::DoNotOptimize(browse.list.act(&BrowsePager::home));
    }
}
BENCHMARK(BM_OpenFirstPage)->Apply(sizes);

void BM_End(benchmark::State& state) {
    Browse browse(data(int(state.range(0))).store());
    browse.list.act(&BrowsePager::home);
    for (auto _ : state) {
        benchmark::DoNotOptimize(browse.list.act(&BrowsePager::end));
    }
}
BENCHMARK(BM_End)->Apply(sizes);

void BM_PageDown(benchmark::State& state) {
    Browse browse(data(int(state.range(0))).store());
    browse.list.act(&BrowsePager::home);
    for (auto _ : state) {
        browse.list.act([](BrowsePager& p) { return p.page(1); });
        if (browse.list.pager().rows().size() < kScreenRows ||
            browse.list.pager().current() == int(browse.list.pager().rows().size()) - 1) {
            state.PauseTiming();
            browse.list.act(&BrowsePager::home);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_PageDown)->Apply(sizes);

// Each time from a freshly opened browse, so the scroll bar's first look at the keys counts.
void BM_FirstThumbJumpToTheMiddle(benchmark::State& state) {
    Store& store = data(int(state.range(0))).store();
    for (auto _ : state) {
        state.PauseTiming();
        auto browse = std::make_unique<Browse>(store);
        browse->list.act(&BrowsePager::home);
        state.ResumeTiming();
        benchmark::DoNotOptimize(browse->list.act([](BrowsePager& p) { return p.jump(0.5); }));
        state.PauseTiming();
        browse.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstThumbJumpToTheMiddle)->Apply(sizes);

void BM_ThumbJump(benchmark::State& state) {
    Browse browse(data(int(state.range(0))).store());
    browse.list.act(&BrowsePager::home);
    double fraction = 0.1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            browse.list.act([fraction](BrowsePager& p) { return p.jump(fraction); }));
        fraction = fraction > 0.85 ? 0.1 : fraction + 0.13;
    }
}
BENCHMARK(BM_ThumbJump)->Apply(sizes);

void BM_Locator(benchmark::State& state) {
    Browse browse(data(int(state.range(0))).store());
    browse.list.act(&BrowsePager::home);
    std::mt19937 random(7);
    for (auto _ : state) {
        const int date = kFirstDate + int(random() % kDays);
        benchmark::DoNotOptimize(browse.list.pager().locate({date}));
    }
}
BENCHMARK(BM_Locator)->Apply(sizes);

// This process with a browse over a million tasks open and paged through.
void BM_BrowseResidentMemory(benchmark::State& state) {
    Browse browse(data(1000000).store());
    browse.list.act(&BrowsePager::home);
    for (auto _ : state) {
        browse.list.act([](BrowsePager& p) { return p.jump(0.5); });
        browse.list.act([](BrowsePager& p) { return p.page(1); });
        browse.list.act(&BrowsePager::end);
    }
    state.counters["VmRSS_MB"] = double(residentKb(QCoreApplication::applicationPid())) / 1024.0;
}
BENCHMARK(BM_BrowseResidentMemory)->Iterations(20)->Unit(benchmark::kMillisecond);

// The real program on a data folder of a million tasks and a million To Do items, with the
// schedule (on "All by Date") and the To Do list opened at start-up: its highest resident memory
// while it starts and shows the two lists.
void BM_ProgramResidentMemory(benchmark::State& state) {
    BrowseData& d = data(1000000, true);
    const QString config = QDir(d.path()).filePath(QStringLiteral("config"));
    IniFile ini(QDir(config).filePath(QStringLiteral("velatask/Vela.INI")));
    ini.write(QStringLiteral("Settings"), QStringLiteral("StartUpToDo"), QStringLiteral("1"));
    ini.write(QStringLiteral("Settings"), QStringLiteral("StartUpActive"), QStringLiteral("0"));
    ini.write(QStringLiteral("Settings"), QStringLiteral("FullSchedule"), QStringLiteral("1"));
    long settled = 0; // kB
    for (auto _ : state) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        if (!env.contains(QStringLiteral("DISPLAY"))) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(VELATASK_BINARY), {QStringLiteral("--data-dir"), d.path()});
        program.waitForStarted();
        // The highest figure of the first ten seconds: start-up, tables and the first page.
        for (int i = 0; i < 20; ++i) {
            QThread::msleep(500);
            settled = std::max(settled, residentKb(program.processId()));
        }
        program.terminate();
        program.waitForFinished(5000);
    }
    state.counters["VmRSS_MB"] = double(settled) / 1024.0;
}
BENCHMARK(BM_ProgramResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dataSets().clear(); // the stores close before the application object goes
    return 0;
}
