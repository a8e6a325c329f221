#include "store/TaskRemoval.h"

#include "store/Store.h"
#include "store/TaskRows.h"
#include "store/Transaction.h"

namespace velatask {

int RemoveTask(Store& store, ScheduleView& view) {
    if (view.pointer() == 0) {
        return view.erase(); // says why there is nothing to delete
    }
    Transaction tx(store);
    if (!store.inTransaction() && tx.begin() != 0) {
        return tx.error().code;
    }
    StoreError error;
    if (TaskRows::eraseSteps(store.dataConnection(), view.pointer(), error) != 0) {
        store.setLastError(error);
        return error.code;
    }
    if (const int code = view.erase(); code != 0) {
        return code;
    }
    if (tx.active() && tx.commit() != 0) {
        return tx.error().code;
    }
    return 0;
}

} // namespace velatask
