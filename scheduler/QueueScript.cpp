#include "scheduler/QueueScript.h"

#include "core/Ui.h"
#include "scheduler/AppContext.h"
#include "scheduler/ErrorText.h"
#include "scripting/ScriptQueue.h"
#include "store/KeepBuffer.h"
#include "store/Store.h"

#include <vector>

namespace velatask {

void QueueScript(AppContext& ctx, std::int32_t taskId, std::uint32_t startResult) {
    ScriptingView& scr = ctx.store->SCR;
    if (scr.open() != StoreCode::NoError) {
        return; // the table opener has told the user
    }
    // A script window may be editing a step through this view while the timer runs: its buffer
    // and current record are put back, so its next write still goes to that step.
    KeepBuffer keepStep(scr);
    const QString editedStep = scr.position();
    scr.clearBuffer();
    scr.buffer().ID = taskId;
    scr.setAt(ScriptingKey::KeyID, 1);

    std::vector<ScriptQueueEntry> entries;
    for (;;) {
        const int code = scr.next();
        if (code == StoreCode::NoRecord) {
            break;
        }
        if (code != StoreCode::NoError) {
            // The steps read so far are still queued; reading stops so the message cannot repeat.
            ctx.ui->message(QStringLiteral("Error executing script: ") + errorText(scr.error()),
                            QString(), Ui::NoIcon, Ui::Ok, Ui::Ok);
            break;
        }
        if (scr.buffer().ID != taskId) {
            break;
        }
        entries.push_back(ScriptQueueEntry::queuedNow(scr.buffer(), startResult, *ctx.clock));
    }
    if (!editedStep.isEmpty()) {
        scr.reget(editedStep);
    }
    scr.close();
    if (!entries.empty()) {
        ctx.scriptQueue->append(std::move(entries));
    }
}

} // namespace velatask
