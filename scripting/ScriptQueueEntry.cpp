#include "scripting/ScriptQueueEntry.h"

#include "core/FixedText.h"
#include "core/Time.h"
#include "platform/Clock.h"

namespace velatask {

ScriptQueueEntry ScriptQueueEntry::queuedNow(const ScriptStep& step, std::uint32_t startResult,
                                             const Clock& clock) {
    ScriptQueueEntry entry;
    entry.S = step;
    entry.startResult = startResult;
    entry.dueDate = clock.today();
    const bool wait = FixedText::equal(step.Action, ScriptAction::kWait);
    // Counted wide: a wait of any length is carried into days instead of overflowing.
    std::int64_t time =
        clock.now() + (wait ? std::int64_t{step.SecondsToWait} * Time::kSecond : std::int64_t{50});
    if (time > Time::kDay) {
        const std::int64_t days = (time - 1) / Time::kDay;
        time -= days * Time::kDay;
        entry.dueDate += static_cast<std::int32_t>(days);
    }
    entry.dueTime = static_cast<std::int32_t>(time);
    return entry;
}

bool ScriptQueueEntry::isDue(std::int32_t today, std::int32_t now) const {
    return today > dueDate || (today == dueDate && now > dueTime);
}

} // namespace velatask
