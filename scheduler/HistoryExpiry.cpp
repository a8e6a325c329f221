#include "scheduler/HistoryExpiry.h"

#include "core/Ui.h"
#include "platform/Clock.h"
#include "scheduler/AppContext.h"
#include "scheduler/ErrorText.h"
#include "settings/Settings.h"
#include "store/BatchWriter.h"
#include "store/Store.h"
#include "store/WindowCursor.h"

#include <vector>

namespace velatask {
namespace {

// Records deleted by one tick: a transaction short enough for the tick to keep its second.
constexpr int kSlice = 100;

void report(AppContext& ctx, const StoreError& error) {
    ctx.ui->message(errorText(error) + QStringLiteral(" error while removing history"),
                    QStringLiteral("Cannot Remove History"), Ui::NoIcon, Ui::Ok, Ui::Ok);
}

} // namespace

void HistoryExpiry(AppContext& ctx) {
    const long days = ctx.settings->historyExpires;
    const std::int32_t today = ctx.clock->today();
    if (days == 0 || ctx.schedulerState.historyExpiryDate == today) {
        return;
    }
    // The disabled records of KeyDateEnabled, oldest first, up to the last day that expires.
    WindowCursor expired(*ctx.store, ScheduleKey::KeyDateEnabled);
    expired.setRange({1});
    Filter old = Filter::compare("Date", Filter::Op::Less, qlonglong(today) - days);
    if (!ctx.settings->removeUncompleted) {
        old = old && Filter::compare("Completed", Filter::Op::Equal, 1);
    }
    expired.setFilter(old);
    expired.setColumns({});
    WindowCursor::Page page;
    if (expired.first(kSlice, page) != 0) {
        ctx.schedulerState.historyExpiryDate = today;
        report(ctx, expired.error());
        return;
    }
    std::vector<std::int64_t> positions;
    positions.reserve(page.size());
    for (const WindowCursor::Row& row : page) {
        positions.push_back(row.position);
    }
    BatchWriter batch(*ctx.store);
    bool failed = batch.beginSlice() != 0;
    failed = failed || batch.erase(Table::Schedule, positions) != 0;
    failed = failed || batch.commitSlice() != 0;
    // Done for today once a slice finds the rest; a failure is reported once, not every tick.
    if (failed || page.size() < size_t(kSlice)) {
        ctx.schedulerState.historyExpiryDate = today;
    }
    if (failed) {
        report(ctx, batch.error());
    }
}

} // namespace velatask
