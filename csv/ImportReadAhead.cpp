#include "csv/ImportReadAhead.h"

#include "csv/CsvRecordReader.h"
#include "csv/ImportPlan.h"

namespace velatask {

ImportReadAhead::ImportReadAhead(CsvRecordReader& reader, const ImportPlan& plan,
                                 const ScheduleRecord& first)
    : m_reader(reader), m_plan(plan), m_thread([this, first] { run(first); }) {}

ImportReadAhead::~ImportReadAhead() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

const ImportReadAhead::Line* ImportReadAhead::next() {
    if (m_at < m_taken.size()) {
        return &m_taken[m_at++];
    }
    {
        std::unique_lock lock(m_mutex);
        if (!m_taken.empty()) {
            m_spare.push_back(std::move(m_taken));
        }
        m_taken.clear();
        m_at = 0;
        m_changed.wait(lock, [this] { return !m_ready.empty() || m_end; });
        if (m_ready.empty()) {
            return nullptr;
        }
        m_taken = std::move(m_ready.front());
        m_ready.pop_front();
    }
    m_changed.notify_all(); // room for another chunk
    return &m_taken[m_at++];
}

void ImportReadAhead::run(ScheduleRecord task) {
    QString record;
    for (;;) {
        std::vector<Line> chunk;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_ready.size() < kAhead || m_stop; });
            if (m_stop) {
                return;
            }
            if (!m_spare.empty()) {
                chunk = std::move(m_spare.back());
                m_spare.pop_back();
            }
        }
        size_t n = 0;
        bool end = false;
        while (n < kChunk) {
            qint64 bytes = 0;
            if (!m_reader.read(record, bytes)) {
                end = true;
                break;
            }
            m_plan.apply(record, task);
            if (n == chunk.size()) {
                chunk.emplace_back();
            }
            chunk[n].task = task;
            chunk[n].bytes = bytes;
            ++n;
        }
        chunk.resize(n);
        {
            std::lock_guard lock(m_mutex);
            if (n > 0) {
                m_ready.push_back(std::move(chunk));
            }
            m_end = end;
        }
        m_changed.notify_all();
        if (end) {
            return;
        }
    }
}

} // namespace velatask
