// Reports from the menu item to their first page on screen: every record read and laid out 25
// at a time from the progress window's timer, then the preview painting its first page and its
// thumbnails. Targets: "Schedule in Brief" of 10^5 tasks and the full schedule of 10^4 tasks each
// within 10 s and 300 MB resident. Also the whole brief report written into a PDF file.
#include "bench/support/BenchData.h"
#include "report/BriefScheduleReport.h"
#include "report/PageRenderJob.h"
#include "report/ReportGenerator.h"
#include "report/ScheduleReport.h"
#include "store/Store.h"
#include "ui/ReportPreview.h"
#include "ui/ReportPrinter.h"
#include "ui/RunReport.h"

#include <QApplication>
#include <QFile>
#include <QPdfWriter>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>

using namespace velatask;

namespace {

constexpr std::int32_t kFirstDate = 72000; // around 1998
constexpr int kDays = 3000;

// One filled data folder per size, made once per run: nine in ten tasks are history copies,
// one in twenty has no date.
class Dataset : public BenchData {
public:
    explicit Dataset(int rows) {
        store().SCH.open();
        std::mt19937 random(rows);
        const char* categories[] = {"Work", "Home", "Birthdays", "Backups", ""};
        const QString sentence = QStringLiteral("Remember to bring the papers for the meeting. ");
        addTasks(store(), rows, [&](int i, ScheduleRecord& r) {
            r.ID = i;
            r.TaskType = QStringLiteral("Both");
            r.ScheduleType = QStringLiteral("Day of Week");
            r.Monday = r.Thursday = 1;
            r.Category = QString::fromLatin1(categories[random() % 5]);
            r.Description = QStringLiteral("Task number %1").arg(random() % 5000);
            r.Command = QStringLiteral("/usr/bin/backup --all /home/user");
            r.Date = i % 20 ? kFirstDate + std::int32_t(random() % kDays) : 0;
            r.Time = i % 20 ? std::int32_t(random() % 8640000) + 1 : 0;
            r.Message = sentence.repeated(int(random() % 8));
            r.Disabled = r.Completed = i % 10 != 0;
        });
        store().SCH.close();
    }
};

Dataset& dataset(int rows) {
    static DataSets<int, Dataset> sets;
    return sets.get(rows, rows);
}

// Resident memory in MB: now, and the peak since resetPeak().
double residentMb(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0) {
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
        }
    }
    return 0;
}

void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void toPreview(benchmark::State& state, const std::shared_ptr<const Report>& report) {
    Dataset& data = dataset(int(state.range(0)));
    QPrinter printer(QPrinter::HighResolution);
    setUpReportPrinter(printer);
    int pages = 0;
    resetPeak();
    const double before = residentMb("VmRSS:");
    for (auto _ : state) {
        ReportPreview* preview = runReport(data.store(), report, printer, nullptr);
        if (!preview) {
            state.SkipWithError("no preview");
            return;
        }
        benchmark::DoNotOptimize(preview->grab()); // the window with page 1 and its thumbnails
        pages = preview->document().pageCount();
        state.PauseTiming();
        delete preview;
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["peak_MB"] = residentMb("VmHWM:");
    state.counters["growth_MB"] = residentMb("VmHWM:") - before;
}

void BM_BriefReportToPreview(benchmark::State& state) {
    toPreview(state, std::make_shared<BriefScheduleReport>());
}
BENCHMARK(BM_BriefReportToPreview)
    ->Arg(100000)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_FullScheduleReportToPreview(benchmark::State& state) {
    toPreview(state, std::make_shared<ScheduleReport>(ScheduleKey::KeyDate));
}
BENCHMARK(BM_FullScheduleReportToPreview)
    ->Arg(10000)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Every page of the brief report into a PDF file, as "Save as PDF" does.
void BM_BriefReportToPdf(benchmark::State& state) {
    Dataset& data = dataset(int(state.range(0)));
    auto report = std::make_shared<BriefScheduleReport>();
    ReportGenerator generator(data.store(), report->source(data.store()), report, PageGeometry());
    generator.start();
    while (generator.slice(25)) {
    }
    const ReportDocument& doc = generator.document();
    const QString file = data.filePath(QStringLiteral("brief.pdf"));
    resetPeak();
    for (auto _ : state) {
        QPdfWriter writer(file);
        writer.setPageLayout(doc.geometry().layout);
        if (!PageRenderJob::renderAll(doc, writer)) {
            state.SkipWithError("PDF not written");
        }
    }
    state.counters["pages"] = doc.pageCount();
    state.counters["peak_MB"] = residentMb("VmHWM:");
    state.counters["file_MB"] = double(QFile(file).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_BriefReportToPdf)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // fonts, the progress window and the preview
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
