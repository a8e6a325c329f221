#include "scheduler/Housekeeping.h"

#include "core/Ui.h"
#include "scheduler/AppContext.h"
#include "scheduler/ErrorText.h"
#include "scripting/ScriptQueue.h"
#include "store/BatchWriter.h"
#include "store/Store.h"
#include "store/WindowCursor.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>
#include <vector>

namespace velatask::Housekeeping {
namespace {

// Records read and deleted by one statement, and how long one transaction goes on: the timers
// wait for one slice at most, and many records share each commit's flush to disk.
constexpr int kPage = 250;
constexpr int kSliceMs = 25;

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

// The page's records at once; when that fails, one by one, so that only a record that cannot be
// deleted is reported and skipped.
void erasePage(BatchWriter& batch, Table table, const WindowCursor::Page& page,
               const Report& report) {
    std::vector<std::int64_t> positions;
    positions.reserve(page.size());
    for (const WindowCursor::Row& row : page) {
        positions.push_back(row.position);
    }
    if (batch.erase(table, positions) == 0) {
        return;
    }
    for (std::int64_t position : positions) {
        if (batch.erase(table, position) != 0) {
            report(batch.error());
        }
    }
}

// Deletes the records the cursor reads, in transactions of their own (a task with its script
// steps) that each last a slice. Between slices the timers run, so the scheduler keeps its
// second. A record that cannot be deleted is reported and skipped; a failed read or commit is
// reported and ends the work (false).
bool eraseAll(AppContext& ctx, WindowCursor& records, Table table, const Report& report) {
    records.setColumns({});
    BatchWriter batch(*ctx.store);
    WindowCursor::Page page;
    if (records.first(kPage, page) != 0) {
        report(records.error());
        return false;
    }
    while (!page.empty()) {
        QElapsedTimer slice;
        slice.start();
        if (batch.beginSlice() != 0) {
            report(batch.error());
            return false;
        }
        bool read = true;
        do {
            erasePage(batch, table, page, report);
            const WindowCursor::Row last = page.back();
            // Rows after the last one deleted: none of them is in the open slice.
            read = records.after(last, kPage, page) == 0;
        } while (read && !page.empty() && !slice.hasExpired(kSliceMs));
        if (batch.commitSlice() != 0) {
            report(batch.error());
            return false;
        }
        if (!read) {
            report(records.error());
            return false;
        }
        if (QCoreApplication::instance()) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
