#include "scheduler/HeldOccurrences.h"

#include "store/ScheduleRecord.h"

namespace velatask {

HeldOccurrences::Entry* HeldOccurrences::find(const ScheduleRecord& task) {
    const auto it = m_entries.find(task.ID);
    if (it == m_entries.end()) {
        return nullptr;
    }
    if (it->second.date != task.Date || it->second.time != task.Time) {
        m_entries.erase(it);
        return nullptr;
    }
    return &it->second;
}

HeldOccurrences::Entry& HeldOccurrences::hold(const ScheduleRecord& task, Stage stage) {
    Entry& entry = m_entries[task.ID];
    if (entry.date != task.Date || entry.time != task.Time) {
        entry = Entry{};
        entry.date = task.Date;
        entry.time = task.Time;
    }
    entry.stage = stage;
    return entry;
}

} // namespace velatask
