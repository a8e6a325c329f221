#pragma once

#include "store/View.h"

namespace velatask {

class Store;

// Deletes the current record of a Schedule view together with its script steps, in one
// transaction (the open one, when the caller runs one), so that no step outlives its task and
// a later task given the same number starts without steps. Returns the store code; nothing is
// shown to the user.
int RemoveTask(Store& store, ScheduleView& view);

} // namespace velatask
