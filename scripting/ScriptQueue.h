#pragma once

#include "scripting/ScriptQueueEntry.h"

#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace velatask {

// The script steps waiting to run, first in first out. Windows on other threads may append
// while the step runner examines the first entry; a lock keeps the two apart.
class ScriptQueue {
public:
    void append(ScriptQueueEntry entry);
    // Appends a whole script at once, so no other script's steps come between its steps.
    void append(std::vector<ScriptQueueEntry> entries);

    // A copy of the first entry, or nothing when the queue is empty.
    std::optional<ScriptQueueEntry> first() const;
    // Removes the first entry if it is still the one with this serial (the queue may have been
    // cleared and refilled while the step ran). Returns whether it was removed.
    bool removeFirst(std::uint64_t serial);
    void clear();

    bool isEmpty() const;
    int size() const;
    std::vector<ScriptQueueEntry> entries() const;

private:
    mutable std::mutex m_mutex;
    std::deque<ScriptQueueEntry> m_entries;
    std::uint64_t m_nextSerial = 1;
};

} // namespace velatask
