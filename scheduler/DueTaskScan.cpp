#include "scheduler/DueTaskScan.h"

#include "core/FixedText.h"
#include "core/Picture.h"
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/Tray.h"
#include "scheduler/AppContext.h"
#include "scheduler/Frame.h"
#include "scheduler/Prompts.h"
#include "scheduler/TaskExecution.h"
#include "settings/Settings.h"
#include "store/Store.h"

namespace velatask {

void DueTaskScan(AppContext& ctx) {
    Frame& frame = *ctx.frame;
    ScheduleView& sch1 = ctx.store->SCH1;
    SchedulerState& state = ctx.schedulerState;
    const QString title = FixedText::rtrim(frame.applicationTitle());

    std::int64_t position = 0;
    const ScheduleRecord* first = state.dueTask.read(*ctx.store, position);
    if (first == nullptr || first->Disabled == 1) {
        ShowCaption(frame, title, false);
        return;
    }
    const ScheduleRecord& next = *first;

    QString caption = title;
    if (frame.isIconised()) {
        caption += QStringLiteral(" - ") + FixedText::rtrim(next.Description) + QLatin1Char(' ') +
                   Picture::formatDate(next.Date) + QLatin1Char(' ') +
                   Picture::formatTime(next.Time);
    }
    ShowCaption(frame, caption, !ctx.settings->noTray);

    const auto due = [&ctx](const ScheduleRecord& task) {
        const std::int32_t today = ctx.clock->today();
        return task.Disabled != 1 &&
               (today > task.Date || (today == task.Date && ctx.clock->now() > task.Time));
    };
    // Then the whole task, as the execution steps and the history copy need it (and tested again,
    // in case another program changed it in between).
    if (!due(next) || sch1.reget(QString::number(position)) != StoreCode::NoError ||
        !due(sch1.buffer())) {
        return;
    }
    const ScheduleRecord& task = sch1.buffer();
    state.saved = task;
    state.suppressRun = false;

    if (task.SkipNextTime == 1) {
        ProcessDueOccurrence(ctx, OccurrenceAction::Skip);
        return;
    }
    // An occurrence already asked about (its file was busy) or performed (its record could not
    // be written) is neither announced nor asked about again.
    if (OccurrenceIsHeld(ctx)) {
        ProcessDueOccurrence(ctx, OccurrenceAction::Perform);
        return;
    }
    if (frame.isIconised()) {
        frame.unIconise();
        if (!ctx.settings->noTray && frame.inTray() && frame.tray().remove()) {
            frame.showNormally();
            frame.setInTray(false);
        }
    }
    if (task.Alarm == 1) {
        ctx.sound->play(FixedText::rtrim(task.AlarmFile)); // a sound that cannot play is ignored
    }
    MissedTaskPrompts(ctx, sch1.buffer(), state.suppressRun);
    ProcessDueOccurrence(ctx, OccurrenceAction::Perform);
}

} // namespace velatask
