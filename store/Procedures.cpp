#include "store/Procedures.h"

#include "core/FixedText.h"
#include "store/KeepBuffer.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "store/Transaction.h"
#include "store/UseCount.h"

namespace velatask {

namespace {

const QString kSchedule = QStringLiteral("Schedule");
const QString kCategories = QStringLiteral("Categories");
const QString kToDo = QStringLiteral("Todo");
const QString kScripting = QStringLiteral("Scripting");
const QString kDelete = QStringLiteral("Delete");
const QString kUpdate = QStringLiteral("Update");

int fail(Store& store, int warning, const QString& t1, const QString& t2 = QString()) {
    store.capture();
    StandardWarning(store, warning, t1, t2);
    return 1;
}

// Steps 2 to 4 of the update procedures: write the buffer back, or report why not.
template <class V> int putWatched(Store& store, V& view, const QString& table) {
    const QString position = view.position();
    const int code = view.put();
    if (code == StoreCode::RecordChanged) {
        store.capture();
        StandardWarning(store, 15, QStringLiteral("Record Changed by Another Station"));
        view.watch();
        view.reget(position);
        return 2;
    }
    if (code != 0) {
        return fail(store, 15, table);
    }
    return 0;
}

// Whether a task of the category exists (the category key ignores letter case, and so does
// the rule: a task filed under "work" uses the category "Work").
int categoryInUse(ScheduleView& sch, const QString& name, bool& used) {
    sch.clearBuffer();
    sch.buffer().Category = name;
    sch.setAt(ScheduleKey::KeyCategory, 1);
    const int code = sch.next();
    used = code == 0 && FixedText::rtrim(sch.buffer().Category)
                                .compare(FixedText::rtrim(name), Qt::CaseInsensitive) == 0;
    return code == StoreCode::NoRecord ? 0 : code;
}

// Reads the first step of the task `id` left in the Scripting view; 33 when it has none.
int firstStep(ScriptingView& scr, std::int32_t id) {
    scr.clearBuffer();
    scr.buffer().ID = id;
    scr.setAt(ScriptingKey::KeyID, 1);
    const int code = scr.next();
    if (code == 0 && scr.buffer().ID != id) {
        return StoreCode::NoRecord;
    }
    return code;
}

template <class V> int deleteSingle(Store& store, V& view, const QString& table) {
    const QString position = view.position();
    Transaction tx(store);
    if (tx.begin() != 0) {
        return fail(store, 34, kDelete, table);
    }
    if (view.reget(position) != 0 || view.erase() != 0) {
        return fail(store, 17, table);
    }
    if (tx.commit() != 0) {
        return fail(store, 17, table);
    }
    return 0;
}

template <class V> int updateSingle(Store& store, V& view, const QString& table) {
    Transaction tx(store);
    if (tx.begin() != 0) {
        return fail(store, 34, kUpdate, table);
    }
    if (const int result = putWatched(store, view, table); result != 0) {
        return result;
    }
    if (tx.commit() != 0) {
        return fail(store, 15, table);
    }
    return 0;
}

} // namespace

int NewTaskNumber(Store& store) {
    return NewTaskNumber(store, store.SCH);
}

int NewTaskNumber(Store& store, ScheduleView& view) {
    ScheduleRecord copy = view.buffer();
    for (;;) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            view.setEnd(ScheduleKey::KeyID);
            const int code = view.previous();
            std::int32_t id = 1;
            if (code == 0) {
                id = view.buffer().ID + 1;
            } else if (code != StoreCode::NoRecord) {
                view.buffer() = copy;
                StandardWarning(store, 35, kSchedule);
                return 1;
            }
            view.buffer() = copy;
            view.buffer().ID = id;
            copy = view.buffer();
            if (view.add() == 0) {
                return 0;
            }
        }
        if (StandardWarning(store, 25) != Ui::Retry) {
            view.buffer() = copy;
            return 1;
        }
    }
}

int DeleteScheduleRecord(Store& store) {
    return DeleteScheduleRecord(store, store.SCH);
}

int DeleteScheduleRecord(Store& store, ScheduleView& view) {
    UseCount scripting(store.SCR);
    if (!scripting.ok()) {
        return 1;
    }
    KeepBuffer keepSteps(store.SCR);
    const QString position = view.position();
    Transaction tx(store);
    if (tx.begin() != 0) {
        return fail(store, 34, kDelete, kSchedule);
    }
    if (view.reget(position) != 0) {
        return fail(store, 35, kSchedule);
    }
    const std::int32_t id = view.buffer().ID;
    for (;;) {
        const int code = firstStep(store.SCR, id);
        if (code == StoreCode::NoRecord) {
            break;
        }
        if (code != 0) {
            return fail(store, 35, kScripting);
        }
        if (store.SCR.erase() != 0) {
            return fail(store, 17, kScripting);
        }
    }
    if (view.erase() != 0 || tx.commit() != 0) {
        return fail(store, 17, kSchedule);
    }
    return 0;
}

int DeleteCategoriesRecord(Store& store) {
    UseCount schedule(store.SCH);
    if (!schedule.ok()) {
        return 1;
    }
    KeepBuffer keepTask(store.SCH);
    CategoryView& cat = store.CAT;
    const QString position = cat.position();
    Transaction tx(store);
    if (tx.begin() != 0) {
        return fail(store, 34, kDelete, kCategories);
    }
    if (cat.reget(position) != 0) {
        return fail(store, 35, kCategories);
    }
    bool used = false;
    if (categoryInUse(store.SCH, cat.buffer().Category, used) != 0) {
        return fail(store, 35, kSchedule);
    }
    if (used) {
        tx.rollback();
        StandardWarning(store, 13, kSchedule);
        return 1;
    }
    if (cat.erase() != 0 || tx.commit() != 0) {
        return fail(store, 17, kCategories);
    }
    return 0;
}

int DeleteToDoRecord(Store& store) {
    return deleteSingle(store, store.TDO, kToDo);
}

int DeleteScriptingRecord(Store& store) {
    return deleteSingle(store, store.SCR, kScripting);
}

int UpdateScheduleRecord(Store& store) {
    return UpdateScheduleRecord(store, store.SCH);
}

int UpdateScheduleRecord(Store& store, ScheduleView& view) {
    UseCount scripting(store.SCR);
    if (!scripting.ok()) {
        return 1;
    }
    Transaction tx(store);
    if (tx.begin() != 0) {
        return fail(store, 34, kUpdate, kSchedule);
    }
    if (const int result = putWatched(store, view, kSchedule); result != 0) {
        return result;
    }
    const std::int32_t saved = store.savedTaskNumber();
    const std::int32_t id = view.buffer().ID;
    // 0 means no number was saved: steps are moved only from a task that had one.
    if (saved != 0 && id != saved) {
        KeepBuffer keepSteps(store.SCR);
        for (;;) {
            const int code = firstStep(store.SCR, saved);
            if (code == StoreCode::NoRecord) {
                break;
            }
            if (code != 0) {
                return fail(store, 35, kScripting);
            }
            store.SCR.buffer().ID = id;
            if (store.SCR.put() != 0) {
                return fail(store, 15, kScripting);
            }
        }
    }
    if (tx.commit() != 0) {
        return fail(store, 15, kSchedule);
    }
    store.setSavedTaskNumber(id);
    return 0;
}

int UpdateCategoriesRecord(Store& store) {
    UseCount schedule(store.SCH);
    if (!schedule.ok()) {
        return 1;
    }
    CategoryView& cat = store.CAT;
    Transaction tx(store);
    if (tx.begin() != 0) {
        return fail(store, 34, kUpdate, kCategories);
    }
    const QString saved = store.savedCategory();
    const QString wanted = cat.buffer().Category;
    if (const int result = putWatched(store, cat, kCategories); result != 0) {
        return result;
    }
    if (FixedText::rtrim(wanted) != FixedText::rtrim(saved)) {
        KeepBuffer keepTask(store.SCH);
        bool used = false;
        if (categoryInUse(store.SCH, saved, used) != 0) {
            return fail(store, 35, kSchedule);
        }
        if (used) {
            tx.rollback();
            StandardWarning(store, 12, kSchedule);
            cat.buffer().Category = saved;
            return 1;
        }
    }
    if (tx.commit() != 0) {
        return fail(store, 15, kCategories);
    }
    store.setSavedCategory(wanted);
    return 0;
}

int UpdateToDoRecord(Store& store) {
    return updateSingle(store, store.TDO, kToDo);
}

int UpdateScriptingRecord(Store& store) {
    return updateSingle(store, store.SCR, kScripting);
}

} // namespace velatask
