#include "scripting/ScriptQueue.h"

namespace velatask {

void ScriptQueue::append(ScriptQueueEntry entry) {
    const std::lock_guard lock(m_mutex);
    entry.serial = m_nextSerial++;
    m_entries.push_back(std::move(entry));
}

void ScriptQueue::append(std::vector<ScriptQueueEntry> entries) {
    const std::lock_guard lock(m_mutex);
    for (ScriptQueueEntry& entry : entries) {
        entry.serial = m_nextSerial++;
        m_entries.push_back(std::move(entry));
    }
}

std::optional<ScriptQueueEntry> ScriptQueue::first() const {
    const std::lock_guard lock(m_mutex);
    if (m_entries.empty()) {
        return std::nullopt;
    }
    return m_entries.front();
}

bool ScriptQueue::removeFirst(std::uint64_t serial) {
    const std::lock_guard lock(m_mutex);
    if (m_entries.empty() || m_entries.front().serial != serial) {
        return false;
    }
    m_entries.pop_front();
    return true;
}

void ScriptQueue::clear() {
    const std::lock_guard lock(m_mutex);
    m_entries.clear();
}

bool ScriptQueue::isEmpty() const {
    const std::lock_guard lock(m_mutex);
    return m_entries.empty();
}

int ScriptQueue::size() const {
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_entries.size());
}

std::vector<ScriptQueueEntry> ScriptQueue::entries() const {
    const std::lock_guard lock(m_mutex);
    return {m_entries.begin(), m_entries.end()};
}

} // namespace velatask
