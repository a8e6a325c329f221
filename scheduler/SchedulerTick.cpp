#include "scheduler/SchedulerTick.h"

#include "core/FixedText.h"
#include "scheduler/AppContext.h"
#include "scheduler/DueTaskScan.h"
#include "scheduler/Frame.h"
#include "scheduler/HistoryExpiry.h"
#include "scheduler/Prompts.h"
#include "scripting/ScriptQueue.h"
#include "scripting/ScriptRunner.h"
#include "settings/Settings.h"

namespace velatask {

void SchedulerTick::tick() {
    ReentryGuard::Scope scope(m_guard);
    if (!scope.entered()) {
        return;
    }
    if (!m_ctx.settings->schedulerActive) {
        ShowCaption(*m_ctx.frame,
                    FixedText::rtrim(m_ctx.frame->applicationTitle()) +
                        QStringLiteral(" (Inactive)"),
                    false);
        return;
    }
    DueTaskScan(m_ctx);
    AdvanceWarningScan(m_ctx);
    HistoryExpiry(m_ctx);
    if (!m_ctx.scriptQueue->isEmpty()) {
        m_ctx.scriptRunner->RunScriptStep();
    }
}

} // namespace velatask
