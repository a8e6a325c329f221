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
    const QString title = FixedText::rtrim(frame.applicationTitle());

    sch1.setStart(ScheduleKey::KeyDateEnabled);
    if (sch1.next() != StoreCode::NoError || sch1.buffer().Disabled == 1) {
        frame.setCaption(title);
        return;
    }
    const ScheduleRecord& task = sch1.buffer();

    QString caption = title;
    if (frame.isIconised()) {
        caption += QStringLiteral(" - ") + FixedText::rtrim(task.Description) + QLatin1Char(' ') +
                   Picture::formatDate(task.Date) + QLatin1Char(' ') +
                   Picture::formatTime(task.Time);
    }
    frame.setCaption(caption);
    if (!ctx.settings->noTray) {
        frame.tray().modify(caption.left(63)); // fails harmlessly while no icon is installed
    }

    SchedulerState& state = ctx.schedulerState;
    state.saved = task;
    state.suppressRun = false;

    const std::int32_t today = ctx.clock->today();
    const bool due = today > task.Date || (today == task.Date && ctx.clock->now() > task.Time);
    if (!due) {
        return;
    }
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
