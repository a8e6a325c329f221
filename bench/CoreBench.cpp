#include "core/Date.h"
#include "core/Picture.h"
#include "core/Time.h"
#include "platform/fake/ScriptedUi.h"
#include "scheduler/NextOccurrence.h"
#include "store/ScheduleRecord.h"

#include <benchmark/benchmark.h>

using namespace velatask;

// Day number -> calendar date -> day number over the whole supported range.
static void BM_DateConversionLoop(benchmark::State& state) {
    const std::int32_t first = Date::fromYmd(1801, 1, 1);
    const std::int32_t last = Date::fromYmd(2099, 12, 31);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (std::int32_t d = first; d <= last; ++d) {
            const Ymd c = Date::toYmd(d);
            sum += Date::fromYmd(c.year, c.month, c.day) + Date::weekday(d);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * (last - first + 1));
}
BENCHMARK(BM_DateConversionLoop)->Unit(benchmark::kMillisecond);

static void BM_FormatAndReadDate(benchmark::State& state) {
    std::int32_t d = Date::fromYmd(1999, 1, 5);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Picture::readDate(Picture::formatDate(d)));
    }
}
BENCHMARK(BM_FormatAndReadDate);

// A task repeating every minute that was last due a year ago: 525,600 steps in one call.
static void BM_OneMinuteTaskOneYearBehind(benchmark::State& state) {
    ScriptedUi ui;
    const std::int32_t today = Date::fromYmd(2000, 1, 1);
    for (auto _ : state) {
        ScheduleRecord r;
        r.ScheduleType = QStringLiteral("Custom");
        r.EveryType = QStringLiteral("minute(s)");
        r.Every = 1;
        r.Date = today - 365;
        r.Time = Time::fromHms(0, 0);
        ComputeNextOccurrence(r, today, Time::fromHms(0, 0), ui);
        benchmark::DoNotOptimize(r.Date);
    }
    state.SetItemsProcessed(state.iterations() * 525600);
}
BENCHMARK(BM_OneMinuteTaskOneYearBehind)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
