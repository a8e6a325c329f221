#pragma once

#include "store/ScheduleRecord.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace velatask {

class CsvRecordReader;
class ImportPlan;

// Reads and splits the lines of an import on a thread of its own while the window's thread adds
// the tasks: each record of the file, in file order, as the task that the plan makes of it (a
// target without a field keeps the value of the line before). The thread stays a bounded number
// of lines ahead and stops when this object goes. Until then the reader and the plan belong to
// that thread.
class ImportReadAhead {
public:
    struct Line {
        ScheduleRecord task;
        qint64 bytes = 0; // what the record took in the file
    };

    // Reads on from where `reader` is; `first` holds the values before the first line.
    ImportReadAhead(CsvRecordReader& reader, const ImportPlan& plan, const ScheduleRecord& first);
    ~ImportReadAhead();
    ImportReadAhead(const ImportReadAhead&) = delete;
    ImportReadAhead& operator=(const ImportReadAhead&) = delete;

    // The next line, valid until the next call; null at the end of the file. Waits while the
    // thread has not read it yet.
    const Line* next();

    static constexpr size_t kChunk = 64; // lines handed over at a time
    static constexpr size_t kAhead = 16; // chunks read ahead at most

private:
    void run(ScheduleRecord task);

    CsvRecordReader& m_reader;
    const ImportPlan& m_plan;
    std::vector<Line> m_taken; // the chunk being handed out here
    size_t m_at = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<Line>> m_ready;
    std::vector<std::vector<Line>> m_spare; // handed out, their memory kept for reuse
    bool m_end = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace velatask
