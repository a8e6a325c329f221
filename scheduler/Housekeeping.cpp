#include "scheduler/Housekeeping.h"

#include "core/Ui.h"
#include "scheduler/AppContext.h"
#include "scheduler/ErrorText.h"
#include "scripting/ScriptQueue.h"
#include "store/BatchWriter.h"
#include "store/Store.h"
#include "store/WindowCursor.h"

#include <QCoreApplication>

#include <functional>

namespace velatask::Housekeeping {
namespace {

// Records deleted per transaction; the timers wait for one slice at most.
constexpr int kSlice = 100;

using Report = std::function<void(const StoreError&)>;

Report reporter(AppContext& ctx, const char* what, const char* title) {
    return [&ctx, what, title](const StoreError& error) {
        ctx.ui->message(errorText(error) + QLatin1String(what), QLatin1String(title), Ui::NoIcon,
                        Ui::Ok, Ui::Ok);
    };
}

Report historyReporter(AppContext& ctx) {
    return reporter(ctx, " error while removing history", "Cannot Remove History");
}

// Deletes the records the cursor reads, one transaction per slice of its own (a task with its
// script steps). Between slices the timers run, so the scheduler keeps its second. A record that
// cannot be deleted is reported and skipped; a failed read or commit is reported and ends the
// work (false).
bool eraseAll(AppContext& ctx, WindowCursor& records, Table table, const Report& report) {
    records.setColumns({});
    BatchWriter batch(*ctx.store);
    WindowCursor::Page page;
    if (records.first(kSlice, page) != 0) {
        report(records.error());
        return false;
    }
    while (!page.empty()) {
        if (batch.beginSlice() != 0) {
            report(batch.error());
            return false;
        }
        for (const WindowCursor::Row& row : page) {
            if (batch.erase(table, row.position) != 0) {
                report(batch.error());
            }
        }
        if (batch.commitSlice() != 0) {
            report(batch.error());
            return false;
        }
        const WindowCursor::Row last = page.back();
        if (QCoreApplication::instance()) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        if (records.after(last, kSlice, page) != 0) {
            report(records.error());
            return false;
        }
    }
    return true;
}

} // namespace

void clearDisabledTasks(AppContext& ctx) {
    // The records of KeyDateEnabled from the first disabled one on, read in file order.
    WindowCursor records(*ctx.store, ScheduleKey::KeyDateEnabled);
    records.setRecordOrder();
    records.setFilter(Filter::compare("Disabled", Filter::Op::Equal, 1));
    eraseAll(ctx, records, Table::Schedule, historyReporter(ctx));
}

void clearCompletedTasks(AppContext& ctx) {
    using F = Filter;
    const F inKey = F::compare("Disabled", F::Op::NotEqual, 0) ||
                    F::compare("Date", F::Op::NotEqual, 0) ||
                    F::compare("Time", F::Op::NotEqual, 0);
    WindowCursor records(*ctx.store, ScheduleKey::KeyDateEnabled);
    records.setRecordOrder();
    records.setFilter(inKey && F::compare("Completed", F::Op::NotEqual, 0));
    eraseAll(ctx, records, Table::Schedule, historyReporter(ctx));
}

bool clearToDoList(AppContext& ctx) {
    WindowCursor records(*ctx.store, ToDoKey::KeyDone);
    records.setRecordOrder();
    return eraseAll(ctx, records, Table::ToDo,
                    reporter(ctx, " error while removing To Do entry", "Cannot Remove To Do List"));
}

void clearScriptQueue(AppContext& ctx) {
    ctx.scriptQueue->clear();
}

} // namespace velatask::Housekeeping
