#include "scheduler/QueueScript.h"

#include "core/Ui.h"
#include "scheduler/AppContext.h"
#include "scheduler/ErrorText.h"
#include "scripting/ScriptQueue.h"
#include "store/Store.h"

#include <vector>

namespace velatask {

void QueueScript(AppContext& ctx, std::int32_t taskId, std::uint32_t startResult) {
    ScriptingView& scr = ctx.store->SCR;
    if (scr.open() != StoreCode::NoError) {
        return; // the table opener has told the user
    }
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
        entries.push_back(
            ScriptQueueEntry::queuedNow(scr.buffer(), startResult, *ctx.clock));
    }
    scr.close();
    if (!entries.empty()) {
        ctx.scriptQueue->append(std::move(entries));
    }
}

} // namespace velatask
