#pragma once

#include "store/StoreError.h"
#include "store/StoredRows.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace velatask {

class Connection;
class Filter;
class Store;

// Reads the export's tasks on a thread of its own, through a connection of its own to the data
// file, while the window's thread writes their lines: first the tasks in category, date and time
// order, then those that this order leaves out (a page that says so lies between them). Pages of
// stored rows wait in a bounded queue. Each page is a read of its own, so no snapshot is held
// while the queue is full. Going away stops the thread, and the read it makes (a read through the
// whole table for the tasks the key leaves out takes long).
class ExportReadAhead {
public:
    struct Page {
        StoredRows rows;
        bool keyedEnd = false; // no rows: the tasks in key order are all read
        bool end = false;      // no rows: every task is read
        StoreError error;      // no rows: the read failed
    };

    // `unkeyed` picks the tasks the key leaves out. The store's file must be open.
    ExportReadAhead(Store& store, const Filter& unkeyed, int pageRows);
    ~ExportReadAhead();
    ExportReadAhead(const ExportReadAhead&) = delete;
    ExportReadAhead& operator=(const ExportReadAhead&) = delete;

    // The next page, valid until the next call; waits while the thread reads it, at most
    // `waitNs` when that is not negative (null when it was not read by then: the page before
    // stays valid). After the end or a failure, that page again.
    const Page* next(std::int64_t waitNs = -1);

    static constexpr size_t kAhead = 8; // pages read ahead at most

private:
    void run(Store& store, const Filter& unkeyed);
    void read(Store& store, const Filter& unkeyed);
    bool push(std::unique_ptr<Page> page);
    void fail(const StoreError& error);
    std::unique_ptr<Page> spare();

    std::unique_ptr<Connection> m_connection; // used on the thread only
    const int m_pageRows;
    std::unique_ptr<Page> m_taken; // the page handed out here
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<Page>> m_ready;
    std::vector<std::unique_ptr<Page>> m_spare; // handed out, their memory kept for reuse
    bool m_stop = false;
    bool m_reading = false; // the connection is open: a read may be stopped
    std::thread m_thread;
};

} // namespace velatask
