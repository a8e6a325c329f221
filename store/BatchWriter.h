#pragma once

#include "store/Keys.h"
#include "store/StoreError.h"

#include <cstdint>
#include <vector>

namespace velatask {

class Connection;
class Store;
struct CategoryRecord;
struct ScheduleRecord;
struct ScriptingRecord;
struct TableDef;
struct ToDoRecord;

// Batch work on the data file (import, housekeeping, history expiry): its writes go through a
// connection of their own and are committed slice by slice, so a slice never holds a write of
// the scheduler or of a window, and cancelling rolls back only the open slice. A slice may stay
// open while the event loop runs (for a short while: other programs wait for it): when this
// program's scheduler or a window writes, it is committed first, so that they never wait for it
// (nor fail because of it).
//
//   BatchWriter batch(store);
//   batch.beginSlice();
//   for (...) batch.erase(Table::Schedule, position);
//   batch.commitSlice();
//
// Every operation returns the store code (0 = done) and leaves the error in error().
class BatchWriter {
public:
    explicit BatchWriter(Store& store);
    ~BatchWriter(); // abandons an open slice; waits until the commits have reached the disk
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    // Begins a slice, waiting at most 2 s for another program's writer (32 after that).
    // Writes begin one themselves when none is open. Copies the log first when that is due.
    int beginSlice();
    // Whether the log is to be copied back into the file before the next slice, and the copy:
    // a caller whose slices must stay short gives it a slice of its own.
    bool logCopyDue() const;
    void copyLog();
    int commitSlice();
    // Rolls back what this slice wrote since it began (or since it was committed early).
    void abandonSlice();

    // For batch work whose end is reported (an import): while on, the slices commit without
    // waiting for the disk (in write-ahead-log mode only), and the checkpointer's thread makes
    // each commit reach it (copying the log back too when that is due), so that no slice waits
    // for the disk. Such a commit survives the end of the program but not a power loss until
    // syncCommitted(), or the end of this writer, has seen it reach the disk. Other connections
    // keep syncing each commit.
    void deferSync(bool on) { m_deferSync = on; }
    // Waits at most `waitMs` for the thread to sync the slices committed so far; whether that is
    // still under way.
    bool syncPending(int waitMs) const;
    // Makes sure the slices committed so far have reached the disk: waits for the thread, and
    // syncs here when the thread could not.
    int syncCommitted();
    bool hasUnsyncedCommits() const { return m_unsynced; }
    // Whether this writer's slice is open (not committed, nor committed early for another write).
    bool sliceOpen() const { return ours(); }
    // Whether a slice began and commitSlice() has not yet ended it: open, or committed early
    // for another write and not yet confirmed.
    bool slicePending() const { return m_open; }

    // Adds a record; 40 when it collides on a unique key.
    int add(const ScheduleRecord& task);
    int add(const CategoryRecord& category);
    int add(const ToDoRecord& item);
    int add(const ScriptingRecord& step);
    // Deletes the record at a position (View::pointer(), WindowCursor::Row::position); a
    // Schedule record goes with its script steps. A record already gone counts as deleted.
    int erase(Table table, std::int64_t position);
    // Deletes the records at these positions (with the steps of Schedule records) in one
    // statement per table: what a slice of housekeeping or expiry removes.
    int erase(Table table, const std::vector<std::int64_t>& positions);
    // The highest task number as this slice sees it; 0 when there are no tasks.
    int highestTaskNumber(std::int32_t& id);

    const StoreError& error() const { return m_error; }

private:
    int ensureSlice();
    void endDeferring();
    void syncAway();
    int insert(const TableDef& table, const QVariantList& row);
    bool ours() const;
    int finish(const StoreError& error);

    Store& m_store;
    Connection* m_connection = nullptr;
    StoreError m_error;
    bool m_open = false;
    std::int64_t m_number = 0;
    bool m_deferSync = false;
    bool m_deferring = false;       // the connection's commits do not wait for the disk now
    bool m_unsynced = false;        // commits that have not reached the disk
    std::int64_t m_firstTicket = 0; // the thread's sync after the first commit
    std::int64_t m_syncTicket = 0;  // the thread's sync after the last commit
    bool m_ticketCoversAll = false; // no commit since that ticket
};

} // namespace velatask
