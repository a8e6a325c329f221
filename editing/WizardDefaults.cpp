#include "editing/WizardDefaults.h"

#include "editing/NewTaskDefaults.h"
#include "platform/Clock.h"
#include "scheduler/AppContext.h"
#include "store/KeepBuffer.h"
#include "store/Store.h"

namespace velatask::WizardDefaults {

void apply(ScheduleRecord& task, AppContext& app, const QString& taskType) {
    const QString category = QStringLiteral("General");
    task = ScheduleRecord{};
    NewTaskDefaults::apply(task, app.clock->today(), app.clock->now(), taskType);
    NewTaskDefaults::applyRepetition(task);
    task.Category = category;
    ensureCategory(*app.store, category);
}

int ensureCategory(Store& store, const QString& name) {
    CategoryView& cat = store.CAT;
    KeepBuffer keep(cat);
    cat.clearBuffer();
    cat.buffer().Category = name;
    if (cat.fetch(CategoryKey::KeyCategory) != StoreCode::RecordNotFound) {
        return 0;
    }
    cat.clearBuffer();
    cat.buffer().Category = name;
    return cat.add();
}

} // namespace velatask::WizardDefaults
