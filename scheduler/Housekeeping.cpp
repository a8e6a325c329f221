#include "scheduler/Housekeeping.h"

#include "core/Ui.h"
#include "scheduler/AppContext.h"
#include "scheduler/ErrorText.h"
#include "scripting/ScriptQueue.h"
#include "store/Store.h"

#include <functional>

namespace velatask::Housekeeping {
namespace {

void reportHistory(AppContext& ctx, const StoreError& error) {
    ctx.ui->message(errorText(error) + QStringLiteral(" error while removing history"),
                    QStringLiteral("Cannot Remove History"), Ui::NoIcon, Ui::Ok, Ui::Ok);
}

// Reads SCH on from where it stands and deletes the records `remove` selects.
void deleteSchedule(AppContext& ctx, const std::function<bool(const ScheduleRecord&)>& remove) {
    ScheduleView& sch = ctx.store->SCH;
    for (;;) {
        const int code = sch.next();
        if (code == StoreCode::NoRecord) {
            return;
        }
        if (code != StoreCode::NoError) {
            reportHistory(ctx, sch.error());
            return;
        }
        if (remove(sch.buffer()) && sch.erase() != StoreCode::NoError) {
            reportHistory(ctx, sch.error());
        }
    }
}

} // namespace

void clearDisabledTasks(AppContext& ctx) {
    ScheduleView& sch = ctx.store->SCH;
    sch.clearBuffer();
    sch.buffer().Disabled = 1;
    sch.setAt(ScheduleKey::KeyDateEnabled, 1);
    deleteSchedule(ctx, [](const ScheduleRecord& r) { return r.Disabled == 1; });
}

void clearCompletedTasks(AppContext& ctx) {
    ScheduleView& sch = ctx.store->SCH;
    sch.clearBuffer();
    sch.setStart(ScheduleKey::KeyDateEnabled);
    deleteSchedule(ctx, [](const ScheduleRecord& r) { return r.Completed != 0; });
}

bool clearToDoList(AppContext& ctx) {
    ToDoView& tdo = ctx.store->TDO;
    tdo.setStart(ToDoKey::KeyDone);
    for (;;) {
        const int code = tdo.next();
        if (code == StoreCode::NoRecord) {
            return true;
        }
        const auto report = [&] {
            ctx.ui->message(errorText(tdo.error()) +
                                QStringLiteral(" error while removing To Do entry"),
                            QStringLiteral("Cannot Remove To Do List"), Ui::NoIcon, Ui::Ok, Ui::Ok);
        };
        if (code != StoreCode::NoError) {
            report();
            return false;
        }
        if (tdo.erase() != StoreCode::NoError) {
            report();
        }
    }
}

void clearScriptQueue(AppContext& ctx) {
    ctx.scriptQueue->clear();
}

} // namespace velatask::Housekeeping
