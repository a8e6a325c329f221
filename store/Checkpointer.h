#pragma once

#include <QString>
#include <QVariant>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace velatask {

// Copies the write-ahead log of the data file back into the file, away from the scheduler's tick:
// the engine would otherwise do it inside whichever commit makes the log long, the scheduler's
// included. Normally a thread of its own copies once a commit leaves kFrames pages in the log;
// the copy never waits for readers or writers (what they still use is copied by a later one).
// While batch work runs, the thread keeps still (its disk writes would slow every read and commit
// of the scheduler's; but see below) and the batch copies once its commits have left kBatchFrames
// pages in the log, so the copy falls in the batch's time and many changes of a page are copied
// once; when the batch ends the thread copies the rest. The batch copies between its slices, not
// inside a commit: a copy takes about as long as a slice may, so a window gives it a slice of its
// own. While the thread cannot open the file, commits copy, as the engine would. Batch work whose
// commits do not wait for the disk (an import) hands the thread both: after each of its commits the
// thread makes the log reach the disk, and copies it when it is due, so that no slice of the batch
// waits for the disk.
class Checkpointer {
public:
    static constexpr int kFrames = 1000;
    static constexpr int kBatchFrames = 4000;

    enum class Role { Foreground, Batch };

    explicit Checkpointer(QString filePath);
    ~Checkpointer(); // stops the thread; a copy under way completes first
    Checkpointer(const Checkpointer&) = delete;
    Checkpointer& operator=(const Checkpointer&) = delete;

    // Watches the commits of a connection (the driver's handle of an open one); false when it is
    // not a SQLite one.
    bool watch(const QVariant& handle, Role role);
    // Asks the thread for a copy.
    void request();
    // Batch work begins (true) or ends (false).
    void setBatch(bool running);
    // While batch work runs: whether its commits have filled the log for a copy, and that the
    // batch has made it.
    bool batchCopyDue() const { return m_batchCopyDue; }
    void batchCopied();

    // After a commit that did not wait for the disk: the thread makes the log reach it (and
    // copies the log back when the batch's commits have filled it). Answers a ticket for
    // logSync().
    std::int64_t syncLogAway();
    enum class LogSync { Pending, Done, Failed };
    // Whether the log as it was when ticket `last` was given has reached the disk, with no sync
    // failed since ticket `first` (a failed sync may have lost pages that a later one cannot
    // bring back); waits at most `waitMs` while that is pending (-1: until it is done).
    LogSync logSync(std::int64_t first, std::int64_t last, int waitMs) const;

    struct Figures {
        std::int64_t copies = 0;       // copies done by the thread
        std::int64_t batchCopies = 0;  // copies done by batch commits
        std::int64_t lastLog = 0;      // pages in the log at the last copy of the thread
        std::int64_t lastCopied = 0;   // of them copied back
        bool failed = false;           // the thread could not open the file last time
        std::int64_t logSyncs = 0;     // syncs of the log that batch work put off, made by it
        std::int64_t syncTickets = 0;  // syncs asked of the thread
        std::int64_t syncedTicket = 0; // the last of them that it made
    };
    Figures figures() const;
    // A connection whose commits did not wait for the disk has made its log reach it.
    void logSynced();

    // Called after each commit of a watched connection, with the pages in the log.
    void committed(void* db, Role role, int frames);

    // What a watched connection's commits are reported with.
    struct Hook {
        Checkpointer* self;
        Role role;
    };

private:
    void run();
    void copy();
    bool syncLogFile() const;
    void copyHere(void* db);

    QString m_filePath;
    Hook m_foregroundHook{this, Role::Foreground};
    Hook m_batchHook{this, Role::Batch};
    bool m_batch = false; // touched on the committing thread only, as the next
    bool m_batchCopyDue = false;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    mutable std::condition_variable m_synced;
    bool m_wanted = false;
    bool m_stop = false;
    std::int64_t m_failedTicket = 0; // the last ticket whose sync failed
    Figures m_figures;
    std::thread m_thread;
};

} // namespace velatask
