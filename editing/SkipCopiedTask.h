#pragma once

#include <cstdint>

namespace velatask {

class Store;
class Ui;

// A special event saved with "skip the next regular occurrence" ticked: the flag belongs to the
// task it was copied from, not to the copy, which must happen.
namespace SkipCopiedTask {

// The copy is the current record of the Schedule view, as saved. Clears its flag, then sets the
// flag of task `sourceId`. A failure is told in a message and the rest still done; the buffer
// holds the copy afterwards.
void moveToSource(Store& store, Ui& ui, std::int32_t sourceId);

} // namespace SkipCopiedTask

} // namespace velatask
