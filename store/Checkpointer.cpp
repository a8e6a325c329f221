#include "store/Checkpointer.h"

#include <sqlite3.h>

#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace velatask {

namespace {

int onCommit(void* arg, sqlite3* db, const char* schema, int frames) {
    if (std::strcmp(schema, "main") == 0) {
        const auto* hook = static_cast<const Checkpointer::Hook*>(arg);
        hook->self->committed(db, hook->role, frames);
    }
    return SQLITE_OK;
}

} // namespace

Checkpointer::Checkpointer(QString filePath)
    : m_filePath(std::move(filePath)), m_thread([this] { run(); }) {}

Checkpointer::~Checkpointer() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

bool Checkpointer::watch(const QVariant& handle, Role role) {
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        return false;
    }
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    if (!db) {
        return false;
    }
    Hook& hook = role == Role::Batch ? m_batchHook : m_foregroundHook;
    sqlite3_wal_hook(db, onCommit, &hook);
    return true;
}

void Checkpointer::committed(void* db, Role role, int frames) {
    if (m_batch) {
        if (role == Role::Batch && frames >= kBatchFrames) {
            m_batchCopyDue = true;
        }
        return;
    }
    if (frames < kFrames) {
        return;
    }
    bool failed = false;
    {
        std::lock_guard lock(m_mutex);
        failed = m_figures.failed;
    }
    if (failed) {
        copyHere(db);
    } else {
        request();
    }
}

void Checkpointer::copyHere(void* db) {
    sqlite3_wal_checkpoint_v2(static_cast<sqlite3*>(db), "main", SQLITE_CHECKPOINT_PASSIVE, nullptr,
                              nullptr);
}

void Checkpointer::batchCopied() {
    m_batchCopyDue = false;
    std::lock_guard lock(m_mutex);
    ++m_figures.batchCopies;
}

void Checkpointer::request() {
    {
        std::lock_guard lock(m_mutex);
        m_wanted = true;
    }
    m_wake.notify_one();
}

void Checkpointer::setBatch(bool running) {
    m_batch = running;
    m_batchCopyDue = false;
    if (!running) {
        request();
    }
}

void Checkpointer::logSynced() {
    std::lock_guard lock(m_mutex);
    ++m_figures.logSyncs;
}

Checkpointer::Figures Checkpointer::figures() const {
    std::lock_guard lock(m_mutex);
    return m_figures;
}

std::int64_t Checkpointer::syncLogAway() {
    const bool copyToo = m_batchCopyDue;
    m_batchCopyDue = false;
    std::int64_t ticket = 0;
    {
        std::lock_guard lock(m_mutex);
        ticket = ++m_figures.syncTickets;
        m_wanted = m_wanted || copyToo;
    }
    m_wake.notify_one();
    return ticket;
}

Checkpointer::LogSync Checkpointer::logSync(std::int64_t first, std::int64_t last,
                                            int waitMs) const {
    std::unique_lock lock(m_mutex);
    const auto done = [&] { return m_figures.syncedTicket >= last; };
    if (waitMs < 0) {
        m_synced.wait(lock, done);
    } else if (waitMs > 0) {
        m_synced.wait_for(lock, std::chrono::milliseconds(waitMs), done);
    }
    if (!done()) {
        return LogSync::Pending;
    }
    return m_failedTicket >= first ? LogSync::Failed : LogSync::Done;
}

void Checkpointer::run() {
    for (;;) {
        std::int64_t ticket = 0;
        bool copyNow = false;
        {
            std::unique_lock lock(m_mutex);
            const auto syncAsked = [this] {
                return m_figures.syncTickets > m_figures.syncedTicket;
            };
            m_wake.wait(lock, [&] { return m_wanted || syncAsked() || m_stop; });
            // A sync that someone may be waiting for is made before the thread ends.
            if (m_stop && !syncAsked()) {
                return;
            }
            ticket = m_figures.syncTickets;
            copyNow = m_wanted;
            m_wanted = false;
        }
        const bool synced = ticket == 0 || syncLogFile();
        if (ticket != 0) {
            std::lock_guard lock(m_mutex);
            if (!synced) {
                m_failedTicket = ticket;
            }
            m_figures.syncedTicket = std::max(m_figures.syncedTicket, ticket);
        }
        m_synced.notify_all();
        if (copyNow) {
            copy();
        }
    }
}

// The log file carries none of the engine's locks (those are on the file and its shared-memory
// index), so a descriptor of its own may be opened and closed freely. A log file that is not
// there counts as a failure: the committing connection's own sync then reaches the file it
// writes to, and the folder that holds it.
bool Checkpointer::syncLogFile() const {
    const QByteArray path = (m_filePath + QStringLiteral("-wal")).toUtf8();
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fdatasync(fd) == 0;
    ::close(fd);
    return synced;
}

void Checkpointer::copy() {
    // A connection for each copy: none stays open on a file that the program has closed.
    sqlite3* db = nullptr;
    const QByteArray path = m_filePath.toUtf8();
    const bool opened =
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) == SQLITE_OK;
    int log = 0;
    int copied = 0;
    int rc = SQLITE_CANTOPEN;
    if (opened) {
        // Copies reach the disk before the log is reused, as the data file's own commits do.
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        sqlite3_wal_autocheckpoint(db, 0);
        rc = sqlite3_wal_checkpoint_v2(db, "main", SQLITE_CHECKPOINT_PASSIVE, &log, &copied);
    }
    sqlite3_close(db);
    std::lock_guard lock(m_mutex);
    m_figures.failed = !opened;
    if (rc == SQLITE_OK) {
        ++m_figures.copies;
        m_figures.lastLog = log;
        m_figures.lastCopied = copied;
    }
}

} // namespace velatask
