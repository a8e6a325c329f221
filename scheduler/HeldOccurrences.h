#pragma once

#include <cstdint>
#include <map>

namespace velatask {

struct ScheduleRecord;

// Occurrences the scheduler has begun but not yet recorded in the data file, so that none is
// asked about or performed a second time: prompts answered while another program held the file,
// and occurrences performed whose write-back failed. An entry belongs to one occurrence of a task
// (its date and time); once the task shows another occurrence, the entry is gone.
class HeldOccurrences {
public:
    enum class Stage { Answered, Performed };

    struct Entry {
        std::int32_t date = 0;
        std::int32_t time = 0;
        Stage stage = Stage::Answered;
        bool suppressRun = false;
        // The run stamp given when it was performed.
        std::int32_t stampDate = 0;
        std::int32_t stampTime = 0;
        // The user has been told why it is held.
        bool told = false;
    };

    // The entry of the task's current occurrence, or nullptr. An entry left from an earlier
    // occurrence of the task is dropped.
    Entry* find(const ScheduleRecord& task);
    // Holds the task's current occurrence, replacing what was held for the task.
    Entry& hold(const ScheduleRecord& task, Stage stage);
    void release(std::int32_t taskId) { m_entries.erase(taskId); }
    bool empty() const { return m_entries.empty(); }

private:
    std::map<std::int32_t, Entry> m_entries;
};

} // namespace velatask
