#include "scheduler/Prompts.h"

#include "core/FixedText.h"
#include "core/Picture.h"
#include "core/Ui.h"
#include "platform/Clock.h"
#include "scheduler/AppContext.h"
#include "store/ScheduleRecord.h"
#include "store/Store.h"

namespace velatask {
namespace {

bool isTaskType(const ScheduleRecord& task, const char* type) {
    return FixedText::equal(task.TaskType, QLatin1String(type));
}

QString trimLeft(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' ')) {
        ++i;
    }
    return text.mid(i);
}

QString warningText(const ScheduleRecord& task) {
    const QString cr = QStringLiteral("\r");
    QString rest;
    const QString both =
        trimLeft(FixedText::rtrim(task.Message) + cr + QStringLiteral("Command: ") + task.Command);
    if (isTaskType(task, "Display Message")) {
        rest = task.Message;
    } else if (isTaskType(task, "Run Program")) {
        rest = QStringLiteral("Command:  ") + task.Command;
    } else if (isTaskType(task, "Both") || !FixedText::isBlank(task.Command)) {
        rest = both;
    } else {
        rest = trimLeft(FixedText::rtrim(task.Message));
    }
    return Picture::formatDate(task.Date) + QLatin1Char(' ') + Picture::formatTime(task.Time) + cr +
           rest;
}

} // namespace

void MissedTaskPrompts(AppContext& ctx, const ScheduleRecord& task, bool& suppressRun) {
    const QString description = FixedText::rtrim(task.Description);
    if (ctx.clock->today() > task.Date && task.Warn == 1 && !isTaskType(task, "Display Message")) {
        const int answer = ctx.ui->message(
            description + QStringLiteral(" was not run.  Run it now?"),
            QStringLiteral("Missed Task"), Ui::Exclamation, Ui::Yes | Ui::No, Ui::No);
        if (answer != Ui::Yes) {
            suppressRun = true;
        }
        return;
    }
    if (task.UserSkip == 1) {
        const int answer = ctx.ui->message(
            description + QStringLiteral(" is due to run.  Run it now?"),
            QStringLiteral("Confirm Task"), Ui::Exclamation, Ui::Yes | Ui::No, Ui::No);
        if (answer != Ui::Yes) {
            suppressRun = true;
        }
    }
}

void AdvanceWarningScan(AppContext& ctx) {
    ScheduleView& sch1 = ctx.store->SCH1;
    std::int64_t position = 0;
    const ScheduleRecord* first = ctx.schedulerState.warningTask.read(*ctx.store, position);
    if (first == nullptr) {
        return;
    }
    const auto due = [&ctx](const ScheduleRecord& task) {
        const std::int32_t today = ctx.clock->today();
        return task.AdvanceWarned != 1 && !FixedText::isBlank(task.ScheduleType) &&
               (today > task.AdvanceWarnDate ||
                (today == task.AdvanceWarnDate && ctx.clock->now() > task.AdvanceWarnTime));
    };
    // The whole task only for a warning to give, tested again in case another program changed it.
    if (!due(*first) || sch1.reget(QString::number(position)) != StoreCode::NoError ||
        !due(sch1.buffer())) {
        return;
    }
    ScheduleRecord& task = sch1.buffer();
    if (task.SkipNextTime == 0) {
        ctx.ui->message(warningText(task), QStringLiteral("Advanced Warning"), Ui::NoIcon, Ui::Ok,
                        Ui::Ok);
    }
    task.AdvanceWarned = 1;
    sch1.put(); // a failure leaves the warning pending for the next tick
}

} // namespace velatask
