#include "scheduler/TaskExecution.h"

#include "core/FixedText.h"
#include "core/Ui.h"
#include "platform/Clock.h"
#include "platform/ProgramStarter.h"
#include "platform/Sound.h"
#include "scheduler/AppContext.h"
#include "scheduler/MessageWindowOpener.h"
#include "scheduler/NextOccurrence.h"
#include "scheduler/Prompts.h"
#include "scheduler/QueueScript.h"
#include "store/Store.h"
#include "store/TaskRemoval.h"

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

} // namespace

void RunProgram(AppContext& ctx, const QString& command, const QString& directory,
                std::int32_t taskId) {
    const StartResult result = ctx.programs->start(command, directory);
    ctx.LastInstance = result.value;
    QueueScript(ctx, taskId, ctx.LastInstance);
}

void ExecuteDueTask(AppContext& ctx) {
    ScheduleRecord& task = ctx.store->SCH1.buffer();
    task.LastRunDate = ctx.clock->today();
    task.LastRunTime = ctx.clock->now();
    performTask(ctx, task, ctx.schedulerState.suppressRun);
    RescheduleTask(ctx);
}

void RescheduleTask(AppContext& ctx) {
    ScheduleView& sch1 = ctx.store->SCH1;
    SchedulerState& state = ctx.schedulerState;
    {
        ScheduleRecord& task = sch1.buffer();
        state.warningShift = false;
        if (task.AdvanceWarnDate != 0) {
            task.AdvanceWarnDate -= task.Date;
            state.warningShift = true;
        }
        if (task.AdvanceWarnTime != 0) {
            task.AdvanceWarnTime -= task.Time;
            state.warningShift = true;
        }
        ComputeNextOccurrence(task, ctx.clock->today(), ctx.clock->now(), *ctx.ui);
        if (task.Completed == 1) {
            RemoveTask(*ctx.store, sch1); // with its steps: a new task may get its number
        } else {
            task.SkipNextTime = 0;
            if (state.warningShift) {
                task.AdvanceWarnDate += task.Date;
                task.AdvanceWarnTime += task.Time;
            }
            task.AdvanceWarned = 0;
            sch1.put(); // a failed write is seen again on the next tick
        }
    }

    // The history copy: the occurrence as it fell due, under a new number.
    std::int32_t id = 1;
    sch1.setEnd(ScheduleKey::KeyID);
    if (sch1.previous() == StoreCode::NoError) {
        id = sch1.buffer().ID + 1;
    }
    ScheduleRecord copy = state.saved;
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
        if (sch1.fetch(ScheduleKey::KeyID) != StoreCode::NoError) {
            break;
        }
    }
    copy.ID = id;
    sch1.buffer() = copy;
    sch1.add(); // a failure is not reported
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
