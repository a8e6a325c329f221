#include "csv/ExportReadAhead.h"

#include "store/Connection.h"
#include "store/Filter.h"
#include "store/ScheduleReader.h"
#include "store/Store.h"

namespace velatask {

ExportReadAhead::ExportReadAhead(Store& store, const Filter& unkeyed, int pageRows)
    : m_connection(store.dataConnection().sibling()), m_pageRows(pageRows),
      m_thread([this, &store, unkeyed] { run(store, unkeyed); }) {}

ExportReadAhead::~ExportReadAhead() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        if (m_reading) {
            m_connection->interrupt();
        }
    }
    m_changed.notify_all();
    m_thread.join();
}

const ExportReadAhead::Page* ExportReadAhead::next(std::int64_t waitNs) {
    if (m_taken && (m_taken->end || m_taken->error.code != 0)) {
        return m_taken.get();
    }
    {
        std::unique_lock lock(m_mutex);
        const auto ready = [this] { return !m_ready.empty(); };
        if (waitNs < 0) {
            m_changed.wait(lock, ready);
        } else if (!m_changed.wait_for(lock, std::chrono::nanoseconds(waitNs), ready)) {
            return nullptr; // the page handed out stays valid
        }
        if (m_taken) {
            m_spare.push_back(std::move(m_taken));
        }
        m_taken = std::move(m_ready.front());
        m_ready.pop_front();
    }
    m_changed.notify_all(); // room for another page
    return m_taken.get();
}

std::unique_ptr<ExportReadAhead::Page> ExportReadAhead::spare() {
    std::lock_guard lock(m_mutex);
    if (m_spare.empty()) {
        return std::make_unique<Page>();
    }
    std::unique_ptr<Page> page = std::move(m_spare.back());
    m_spare.pop_back();
    page->keyedEnd = false;
    page->end = false;
    page->error = StoreError{};
    return page;
}

// Waits for room; false when the thread is to stop instead.
bool ExportReadAhead::push(std::unique_ptr<Page> page) {
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_ready.size() < kAhead || m_stop; });
        if (m_stop) {
            return false;
        }
        m_ready.push_back(std::move(page));
    }
    m_changed.notify_all();
    return true;
}

void ExportReadAhead::fail(const StoreError& error) {
    auto page = spare();
    page->rows.clear();
    page->error = error;
    push(std::move(page));
}

void ExportReadAhead::run(Store& store, const Filter& unkeyed) {
    StoreError error;
    if (m_connection->open(false, error) != 0) {
        fail(error);
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_reading = true;
    }
    read(store, unkeyed);
    {
        std::lock_guard lock(m_mutex);
        m_reading = false;
    }
    m_connection->close();
}

void ExportReadAhead::read(Store& store, const Filter& unkeyed) {
    StoreError error;
    // The pages of a read in key order lie all over the file: a large cache fetches each once.
    m_connection->exec(QStringLiteral("PRAGMA cache_size=-%1").arg(Store::kLargeReadCacheKb), {},
                       error);
    ScheduleReader keyed(store, ScheduleKey::KeyCategoryDate, *m_connection);
    ScheduleReader rest(store, ScheduleKey::KeyID, *m_connection);
    rest.setRecordOrder();
    if (rest.setFilter(unkeyed) != 0) {
        fail(rest.error());
        return;
    }
    for (ScheduleReader* reader : {&keyed, &rest}) {
        for (;;) {
            auto page = spare();
            if (reader->next(m_pageRows, page->rows) != 0) {
                fail(reader->error());
                return;
            }
            const bool last = int(page->rows.size()) < m_pageRows;
            if (page->rows.size() > 0 && !push(std::move(page))) {
                return;
            }
            if (last) {
                break;
            }
        }
        auto marker = spare();
        marker->rows.clear();
        (reader == &keyed ? marker->keyedEnd : marker->end) = true;
        if (!push(std::move(marker))) {
            return;
        }
    }
}

} // namespace velatask
