#include "scheduler/TaskExecution.h"

#include "core/FixedText.h"
#include "core/Ui.h"
#include "platform/Clock.h"
#include "platform/ProgramStarter.h"
#include "platform/Sound.h"
#include "scheduler/AppContext.h"
#include "scheduler/DeferredUi.h"
#include "scheduler/ErrorText.h"
#include "scheduler/MessageWindowOpener.h"
#include "scheduler/NextOccurrence.h"
#include "scheduler/Prompts.h"
#include "scheduler/QueueScript.h"
#include "store/Store.h"
#include "store/TaskRemoval.h"
#include "store/Transaction.h"

#include <limits>

namespace velatask {
namespace {

constexpr int kMaxMessageWindows = 60;

bool isTaskType(const ScheduleRecord& task, const char* type) {
    return FixedText::equal(task.TaskType, QLatin1String(type));
}

void showMessage(AppContext& ctx, const ScheduleRecord& task) {
    if (ctx.OpenMessageWindows.load() < kMaxMessageWindows) {
        ctx.PendingMessage = task.Message;
        ctx.messageWindows->openMessageWindow();
    } else {
        ctx.ui->message(FixedText::rtrim(task.Message), QString(), Ui::NoIcon, Ui::Ok, Ui::Ok);
    }
}

// Message and program of a task that runs (execution steps shared with RunTaskNow).
void performTask(AppContext& ctx, const ScheduleRecord& task, bool suppressRun) {
    if (suppressRun) {
        return;
    }
    if (isTaskType(task, "Display Message") || isTaskType(task, "Both")) {
        showMessage(ctx, task);
    }
    if ((isTaskType(task, "Run Program") || isTaskType(task, "Both")) && task.SkipNextTime == 0) {
        RunProgram(ctx, FixedText::rtrim(task.Command), FixedText::rtrim(task.Path), task.ID);
    }
}

void playAlarm(AppContext& ctx, const ScheduleRecord& task) {
    if (task.Alarm == 1) {
        ctx.sound->play(FixedText::rtrim(task.AlarmFile)); // a sound that cannot play is ignored
    }
}

// Sums kept within the range of a stored number: a task moved to the far end of time by a huge
// interval must not wrap its warning around to a date in the past.
std::int32_t clampedSum(std::int64_t a, std::int64_t b) {
    const std::int64_t sum = a + b;
    if (sum > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (sum < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(sum);
}

// Reads the task back inside the transaction and checks that the occurrence the scan saw is
// still the one stored: not moved by another station, not edited to another moment meanwhile.
bool claim(ScheduleView& sch1, const ScheduleRecord& seen) {
    sch1.watch();
    sch1.clearBuffer();
    sch1.buffer().ID = seen.ID;
    if (sch1.fetch(ScheduleKey::KeyID) != StoreCode::NoError) {
        return false;
    }
    const ScheduleRecord& stored = sch1.buffer();
    return stored.Disabled == 0 && stored.Date == seen.Date && stored.Time == seen.Time &&
           stored.SkipNextTime == seen.SkipNextTime;
}

// Moves the task in SCH1 to its next occurrence (or deletes a finished "Once" task) and adds the
// history copy of `occurrence`, the task as it fell due. Returns the first failing store code.
int moveOnAndRecord(AppContext& ctx, const ScheduleRecord& occurrence) {
    ScheduleView& sch1 = ctx.store->SCH1;
    SchedulerState& state = ctx.schedulerState;
    {
        ScheduleRecord& task = sch1.buffer();
        state.warningShift = false;
        if (task.AdvanceWarnDate != 0) {
            task.AdvanceWarnDate = clampedSum(task.AdvanceWarnDate, -std::int64_t(task.Date));
            state.warningShift = true;
        }
        if (task.AdvanceWarnTime != 0) {
            task.AdvanceWarnTime = clampedSum(task.AdvanceWarnTime, -std::int64_t(task.Time));
            state.warningShift = true;
        }
        ComputeNextOccurrence(task, ctx.clock->today(), ctx.clock->now(), *ctx.ui);
        int code = StoreCode::NoError;
        if (task.Completed == 1) {
            // With its steps: a new task may get its number.
            code = RemoveTask(*ctx.store, sch1);
        } else {
            task.SkipNextTime = 0;
            if (state.warningShift) {
                task.AdvanceWarnDate = clampedSum(task.AdvanceWarnDate, task.Date);
                task.AdvanceWarnTime = clampedSum(task.AdvanceWarnTime, task.Time);
            }
            task.AdvanceWarned = 0;
            code = sch1.put();
        }
        if (code != StoreCode::NoError) {
            return code;
        }
    }

    // The history copy: the occurrence as it fell due, under a new number.
    std::int32_t id = 1;
    sch1.setEnd(ScheduleKey::KeyID);
    if (sch1.previous() == StoreCode::NoError) {
        id = sch1.buffer().ID + 1;
    }
    ScheduleRecord copy = occurrence;
    copy.Completed = 1;
    copy.Disabled = 1;
    // The occurrence is over: a warning still pending on it would announce a past occurrence
    // (the task itself carries the warning on to its next occurrence).
    if (copy.AdvanceWarnDate != 0 || copy.AdvanceWarnTime != 0) {
        copy.AdvanceWarned = 1;
    }
    for (;; ++id) {
        sch1.buffer() = copy;
        sch1.buffer().ID = id;
        const int code = sch1.fetch(ScheduleKey::KeyID);
        if (code == StoreCode::RecordNotFound) {
            break;
        }
        if (code != StoreCode::NoError) {
            return code;
        }
    }
    copy.ID = id;
    sch1.buffer() = copy;
    return sch1.add();
}

void tellOnce(AppContext& ctx, HeldOccurrences::Entry& entry, const QString& title,
              const QString& text) {
    if (!entry.told) {
        entry.told = true;
        ctx.ui->notice(MessageBoxSpec{title, text, Ui::Exclamation, Ui::Ok, Ui::Ok});
    }
}

} // namespace

void RunProgram(AppContext& ctx, const QString& command, const QString& directory,
                std::int32_t taskId) {
    const StartResult result = ctx.programs->start(command, directory);
    ctx.LastInstance = result.value;
    if (!result.started) {
        // Keys meant for the program would go to whatever window has the focus.
        ctx.ui->notice(MessageBoxSpec{QStringLiteral("Cannot Start Program"),
                                      result.reason.isEmpty() ? command : result.reason,
                                      Ui::Exclamation, Ui::Ok, Ui::Ok});
        return;
    }
    QueueScript(ctx, taskId, ctx.LastInstance);
}

bool OccurrenceIsHeld(AppContext& ctx) {
    return ctx.schedulerState.held.find(ctx.schedulerState.saved) != nullptr;
}

void ProcessDueOccurrence(AppContext& ctx, OccurrenceAction action) {
    SchedulerState& state = ctx.schedulerState;
    const ScheduleRecord seen = state.saved;
    const QString description = FixedText::rtrim(seen.Description);
    HeldOccurrences::Entry* held = state.held.find(seen);
    const bool performedBefore =
        held != nullptr && held->stage == HeldOccurrences::Stage::Performed;
    const bool suppressRun = held != nullptr ? held->suppressRun : state.suppressRun;

    // Declared first so that held boxes are shown after the transaction has ended.
    DeferredUi deferred(ctx);
    Transaction tx(*ctx.store);
    if (tx.begin() != StoreCode::NoError) {
        // Another program holds the file: the occurrence stays due, its answer is kept.
        if (action == OccurrenceAction::Perform && !performedBefore) {
            HeldOccurrences::Entry& entry = state.held.hold(seen, HeldOccurrences::Stage::Answered);
            entry.suppressRun = suppressRun;
            tellOnce(ctx, entry, QStringLiteral("Data File Busy"),
                     description + QStringLiteral(" is due, but another program is writing to "
                                                  "the data file.  It runs as soon as the file "
                                                  "is free."));
        }
        return;
    }
    ScheduleView& sch1 = ctx.store->SCH1;
    if (!claim(sch1, seen)) {
        state.held.release(seen.ID); // taken by another station, or moved by a window
        return;
    }
    const ScheduleRecord occurrence = sch1.buffer();
    ScheduleRecord& task = sch1.buffer();
    bool performed = performedBefore;
    if (performedBefore) {
        task.LastRunDate = held->stampDate;
        task.LastRunTime = held->stampTime;
    } else if (action == OccurrenceAction::Perform) {
        task.LastRunDate = ctx.clock->today();
        task.LastRunTime = ctx.clock->now();
        performTask(ctx, task, suppressRun);
        performed = true;
    }
    const std::int32_t stampDate = task.LastRunDate;
    const std::int32_t stampTime = task.LastRunTime;

    int code = moveOnAndRecord(ctx, occurrence);
    if (code == StoreCode::NoError) {
        code = tx.commit();
    }
    if (code == StoreCode::NoError) {
        state.held.release(seen.ID);
        return;
    }
    const QString reason = errorText(ctx.store->lastError());
    tx.rollback();
    if (performed) {
        HeldOccurrences::Entry& entry = state.held.hold(seen, HeldOccurrences::Stage::Performed);
        entry.stampDate = stampDate;
        entry.stampTime = stampTime;
        tellOnce(ctx, entry, QStringLiteral("Cannot Update Schedule"),
                 description + QStringLiteral(" is done, but the schedule could not be updated (") +
                     reason +
                     QStringLiteral(").  It will not be run again; the update is tried again "
                                    "every second."));
    }
}

void RunTaskNow(AppContext& ctx) {
    ScheduleRecord& task = ctx.store->SCH.buffer();
    playAlarm(ctx, task);
    bool suppressRun = false;
    MissedTaskPrompts(ctx, task, suppressRun);
    task.LastRunDate = ctx.clock->today();
    task.LastRunTime = ctx.clock->now();
    performTask(ctx, task, suppressRun);
}

} // namespace velatask
