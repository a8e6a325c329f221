#pragma once

#include "scripting/ScriptStep.h"

#include <cstdint>

namespace velatask {

class Clock;

// One queued step with the moment it falls due and the start result of its task's program
// (a process id here, or a small error number when the start failed).
struct ScriptQueueEntry {
    ScriptStep S;
    std::int32_t dueDate = 0;
    std::int32_t dueTime = 0;
    std::uint32_t startResult = 0;
    // Given by the queue on append; tells entries apart that hold the same step.
    std::uint64_t serial = 0;

    // An entry for a step queued now: due half a second from now, a "Wait" its seconds from now,
    // carried past midnight into the following days.
    static ScriptQueueEntry queuedNow(const ScriptStep& step, std::uint32_t startResult,
                                      const Clock& clock);

    // Due once today is past the due date, or on the due date once the time is past the due time.
    bool isDue(std::int32_t today, std::int32_t now) const;
};

} // namespace velatask
