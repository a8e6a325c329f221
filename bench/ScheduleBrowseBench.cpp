// "View Schedule" over a Schedule table of a million tasks, nine in ten of them history copies,
// one day holding 100 tasks and 500 tasks selected by a search: opening on "All by Date" until
// its first page is painted, End, switching to each tab, and showing the day of 100 tasks.
#include "bench/support/BenchData.h"
#include "core/Date.h"
#include "core/Time.h"
#include "editing/DatePicker.h"
#include "editing/EditingContext.h"
#include "editing/FileChooser.h"
#include "platform/fake/FakeClock.h"
#include "scheduler/AppContext.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "store/Store.h"
#include "store/Tags.h"
#include "ui/BrowseList.h"
#include "windows/BrowseSchedule.h"
#include "windows/SearchSchedule.h"

#include <QApplication>
#include <QTabBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace velatask;

namespace {

constexpr int kRows = 1000000;
constexpr std::int32_t kFirstDate = 72000; // around 1998
constexpr int kDays = 3000;
// A day after every other task's, with 100 tasks of its own.
constexpr std::int32_t kBusyDay = kFirstDate + kDays + 10;
constexpr int kBusyDayTasks = 100;
constexpr int kSelected = 500;

// A calendar that always picks the day it is told.
class FixedDay : public DatePicker {
public:
    std::int32_t day = kBusyDay;
    std::int32_t pickDate(const ScheduleRecord&, std::int32_t, const QString&, const QString&,
                          QWidget*) override {
        return day;
    }
};

class NoFiles : public FileChooser {
public:
    QString openFile(QWidget*, const QString&, const QString&, const QStringList&) override {
        return QString();
    }
};

// The data folder and what the window needs of the program, made once.
class ScheduleData {
public:
    ScheduleData() : m_ini(m_data.filePath(QStringLiteral("Vela.INI"))) {
        m_clock.set(kFirstDate, Time::fromHms(12, 0));
        m_ctx.ini = &m_ini;
        m_ctx.settings = &m_settings;
        m_ctx.clock = &m_clock;
        m_ctx.ui = &m_data.ui();
        m_ctx.store = &m_data.store();
        m_data.store().SCH.open();
        fill();
    }
    ~ScheduleData() { m_data.store().SCH.close(); }

    EditingContext& services() { return m_services; }
    Settings& settings() { return m_settings; }
    FixedDay& calendar() { return m_calendar; }

private:
    void fill() {
        Store& store = m_data.store();
        std::mt19937 random(kRows);
        const char* categories[] = {"Work", "Home", "Birthdays", "backups", "WORK"};
        std::vector<std::int32_t> selected;
        addTasks(
            store, kRows + kBusyDayTasks,
            [&](int i, ScheduleRecord& r) {
                r.ID = i;
                r.TaskType = QStringLiteral("Display Message");
                r.ScheduleType = QStringLiteral("Day of Week");
                r.Category = QString::fromLatin1(categories[random() % 5]);
                r.Description = QStringLiteral("Task number %1").arg(random() % 5000);
                const bool busy = i > kRows;
                r.Date = busy ? kBusyDay : kFirstDate + std::int32_t(random() % kDays);
                r.Time = std::int32_t(random() % Time::kDay) + 1;
                r.Message = QStringLiteral("Remember the thing of the day.");
                const bool history = !busy && i % 10 != 0;
                r.Disabled = r.Completed = history ? 1 : 0;
                r.SkipNextTime = i % 97 == 0 ? 1 : 0;
            },
            [&](int i) {
                if (i % (kRows / kSelected) == 0) {
                    selected.push_back(std::int32_t(store.SCH.pointer()));
                }
            });
        Tags(store).SetTags_(SearchSchedule::kSelectedSet, selected);
    }

    BenchData m_data;
    IniFile m_ini;
    Settings m_settings;
    FakeClock m_clock;
    AppContext m_ctx;
    FixedDay m_calendar;
    NoFiles m_files;
    EditingContext m_services{m_ctx, m_calendar, m_files};
};

std::unique_ptr<ScheduleData>& dataHolder() {
    static std::unique_ptr<ScheduleData> d;
    return d;
}

ScheduleData& data() {
    if (!dataHolder()) {
        dataHolder() = std::make_unique<ScheduleData>();
    }
    return *dataHolder();
}

// What follows a move before the user sees it: the scroll bar's update and the list painted.
void paint(BrowseWindow& window) {
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.list()->view()->viewport()->grab());
}

std::unique_ptr<BrowseSchedule> openOn(bool fullSchedule) {
    data().settings().fullSchedule = fullSchedule;
    // The category of two fifths of the tasks, in either spelling.
    data().services().app.store->CAT.buffer().Category = QStringLiteral("work");
    auto window = std::make_unique<BrowseSchedule>(data().services());
    window->resize(900, 600);
    window->show();
    window->open();
    return window;
}

void BM_OpenOnAllByDate(benchmark::State& state) {
    data();
    for (auto _ : state) {
        auto window = openOn(true);
        paint(*window);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenOnAllByDate)->Unit(benchmark::kMillisecond);

void BM_End(benchmark::State& state) {
    auto window = openOn(true);
    paint(*window);
    for (auto _ : state) {
        state.PauseTiming();
        window->list()->act(&BrowsePager::home);
        paint(*window);
        state.ResumeTiming();
        window->list()->act(&BrowsePager::end);
        paint(*window);
    }
}
BENCHMARK(BM_End)->Unit(benchmark::kMillisecond);

// Switching to the tab of the argument, from "All by Date" (to that one from the day).
void BM_SwitchTab(benchmark::State& state) {
    const int to = int(state.range(0));
    const int from =
        to == BrowseSchedule::DateTab ? BrowseSchedule::DayTab : BrowseSchedule::DateTab;
    auto window = openOn(true);
    paint(*window);
    for (auto _ : state) {
        state.PauseTiming();
        window->tabs()->setCurrentIndex(from);
        paint(*window);
        state.ResumeTiming();
        window->tabs()->setCurrentIndex(to);
        paint(*window);
    }
}
BENCHMARK(BM_SwitchTab)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_DayOf100Tasks(benchmark::State& state) {
    auto window = openOn(false);
    paint(*window);
    for (auto _ : state) {
        state.PauseTiming();
        data().calendar().day = kFirstDate;
        window->pickDay();
        paint(*window);
        data().calendar().day = kBusyDay;
        state.ResumeTiming();
        window->pickDay();
        paint(*window);
    }
}
BENCHMARK(BM_DayOf100Tasks)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dataHolder().reset(); // the store closes before the application object goes
    return 0;
}
