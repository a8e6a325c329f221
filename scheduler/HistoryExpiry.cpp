#include "scheduler/HistoryExpiry.h"

#include "core/Ui.h"
#include "platform/Clock.h"
#include "scheduler/AppContext.h"
#include "scheduler/ErrorText.h"
#include "settings/Settings.h"
#include "store/Store.h"

namespace velatask {
namespace {

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
    ctx.schedulerState.historyExpiryDate = today;

    ScheduleView& sch1 = ctx.store->SCH1;
    sch1.clearBuffer();
    sch1.buffer().Disabled = 1;
    sch1.setAt(ScheduleKey::KeyDateEnabled, 1);
    for (;;) {
        const int code = sch1.next();
        if (code == StoreCode::NoRecord) {
            return;
        }
        if (code != StoreCode::NoError) {
            report(ctx, sch1.error());
            return;
        }
        const ScheduleRecord& task = sch1.buffer();
        if (task.Date + days < today && (task.Completed == 1 || ctx.settings->removeUncompleted)) {
            if (sch1.erase() != StoreCode::NoError) {
                report(ctx, sch1.error());
            }
        }
    }
}

} // namespace velatask
