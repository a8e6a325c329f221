#pragma once

#include "core/Ui.h"
#include "store/FileWriteWatch.h"
#include "store/StoreError.h"
#include "store/View.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace velatask {

class Checkpointer;
class Connection;
struct ServerAddress;

// The program's data store: the data file "SM" and the tag file "TagFile_.VDB" in one folder, a
// view with its own record buffer and cursor per table (two over Schedule), the saved error, and
// the saved key values that the update procedures compare with. One per program; a second
// instance on the same folder behaves as another station.
class Store {
public:
    Store(const QString& dataDirectory, Ui& ui);
    // The tables on a PostgreSQL server (tags with them) instead of the files in the folder.
    Store(const QString& dataDirectory, const ServerAddress& server, Ui& ui);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    QString dataDirectory() const { return m_dataDirectory; }
    // Whether the path names one of the files that hold the data (the data file, the tag file
    // and their logs), also through a symbolic link.
    bool holdsFile(const QString& path) const;
    Ui& ui() { return m_ui; }

    // The error of the latest operation of any view or transaction.
    const StoreError& lastError() const { return m_lastError; }
    void setLastError(const StoreError& error) { m_lastError = error; }

    // The saved error: filled by capture(), consumed by the standard warning.
    const StoreError& savedError() const { return m_savedError; }
    void clearSavedError() { m_savedError.clear(); }
    // Saves the latest error and rolls back the open transaction, if any.
    void capture();

    // Key values saved before a form edits a record.
    std::int32_t savedTaskNumber() const { return m_savedTaskNumber; }
    void setSavedTaskNumber(std::int32_t id) { m_savedTaskNumber = id; }
    QString savedCategory() const { return m_savedCategory; }
    void setSavedCategory(const QString& name) { m_savedCategory = name; }

    // True once a fatal store message has stopped the program; nothing is written afterwards.
    bool stopped() const { return m_stopped; }
    // Shows the final text through the Ui and refuses further writes.
    void stop(const QString& finalText);

    bool inTransaction() const;

    // How long the "Recover=10" retry of the table opener waits for a locked file.
    int recoverWaitMs() const { return m_recoverWaitMs; }
    void setRecoverWaitMs(int ms) { m_recoverWaitMs = ms; }

    // Grows whenever anyone (this program, a batch, another program) has committed a write to
    // the data file or the tag file since the previous call. A window compares it with the
    // value of its last read to know when to read again. While nobody writes to the files, a
    // call reads nothing from them.
    std::uint64_t changeCount();

    // Reading much of the data file in one go (an export): the data connection keeps up to
    // kLargeReadCacheKb of pages, so that a read in key order fetches each page from the file
    // once; given back when the last large read ends. Batch writers' connection keeps as many.
    static constexpr int kLargeReadCacheKb = 65536;
    void beginLargeRead();
    void endLargeRead();

    // Makes the tag table readable (read only) in queries on the data file, so that "tagged in
    // a set, in a key's order" is one query. Opens the tag table once through its opener.
    int attachTags();

    // Internal: the connections to the data file and the tag file, and the one that batch
    // writers share (opened on first use; 0 or the code).
    Connection& dataConnection() { return *m_data; }
    Connection& tagConnection() { return *m_tags; }
    const Checkpointer& checkpointer() const { return *m_checkpointer; }
    Checkpointer& checkpointer() { return *m_checkpointer; }
    int openBatchConnection(Connection*& connection, StoreError& error);
    // A batch writer begins (+1) or ends (-1); the batch connection's cache memory is given
    // back when none is left.
    void countBatchWriter(int delta);
    // Commits the open slice of a batch writer, so that a write of this program's scheduler or
    // windows never waits for it (nor joins it). The error of a failed commit is kept.
    void yieldBatch();
    // Copies the log back into the file on the batch connection, when batch commits have filled
    // it (Checkpointer::batchCopyDue()); never inside an open slice.
    void copyLogForBatch();
    const StoreError& batchYieldError() const { return m_batchYieldError; }

private:
    Store(const QString& dataDirectory, Ui& ui, std::unique_ptr<Connection> data,
          std::unique_ptr<Connection> tags);

    QString m_dataDirectory;
    Ui& m_ui;
    // Before the connections: they hand it their commits until they close.
    std::unique_ptr<Checkpointer> m_checkpointer;
    std::unique_ptr<Connection> m_data;
    std::unique_ptr<Connection> m_tags;
    std::unique_ptr<Connection> m_batch;
    StoreError m_batchYieldError;
    int m_batchWriters = 0;
    int m_largeReads = 0;
    // The files that a commit of anyone writes to now: each open file, and its log while it
    // uses one.
    QStringList filesToWatch() const;
    // Which of those files there are, as bits: the list is made again only when they change, so
    // that an idle look allocates nothing.
    unsigned watchedFiles() const;

    std::uint64_t m_changeCount = 1;
    std::vector<std::int64_t> m_seenStamp;
    FileWriteWatch m_writeWatch;
    unsigned m_watchedFiles = ~0u;
    std::array<std::int64_t, 2> m_seenLocalWrites{};
    StoreError m_lastError;
    StoreError m_savedError;
    std::int32_t m_savedTaskNumber = 0;
    QString m_savedCategory;
    bool m_stopped = false;
    int m_recoverWaitMs = 10000;

public:
    // The record buffers and cursors, named as the tables' prefixes. SCH1 is the scheduler's own
    // view of Schedule, with its own buffer, position and use count.
    ScheduleView SCH;
    ScheduleView SCH1;
    HistoryView HIS;
    CategoryView CAT;
    ToDoView TDO;
    ScriptingView SCR;
    TagView TF_;
};

// Holds a large read of the store for a scope.
class LargeRead {
public:
    explicit LargeRead(Store& store) : m_store(store) { m_store.beginLargeRead(); }
    ~LargeRead() { m_store.endLargeRead(); }
    LargeRead(const LargeRead&) = delete;
    LargeRead& operator=(const LargeRead&) = delete;

private:
    Store& m_store;
};

} // namespace velatask
