#include "editing/SkipCopiedTask.h"

#include "core/Ui.h"
#include "scheduler/ErrorText.h"
#include "store/KeepBuffer.h"
#include "store/Store.h"

namespace velatask::SkipCopiedTask {

void moveToSource(Store& store, Ui& ui, std::int32_t sourceId) {
    ScheduleView& sch = store.SCH;
    sch.buffer().SkipNextTime = 0;
    if (sch.put() != 0) {
        ui.message(QStringLiteral("Could not reset SKIP status ") + errorText(sch.error()));
    }
    KeepBuffer keepCopy(sch);
    sch.clearBuffer();
    sch.buffer().ID = sourceId;
    if (sch.fetch(ScheduleKey::KeyID) != 0) {
        ui.message(QStringLiteral("Could not set SKIP status  ID #") + QString::number(sourceId) +
                   QStringLiteral(" Error: ") + errorText(sch.error()));
        return;
    }
    sch.buffer().SkipNextTime = 1;
    if (sch.put() != 0) {
        ui.message(QStringLiteral("Could not change SKIP status ") + errorText(sch.error()));
    }
}

} // namespace velatask::SkipCopiedTask
