#pragma once

#include "store/StoreError.h"

#include <QElapsedTimer>
#include <QString>
#include <QVariantList>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QSqlError;

namespace velatask {

// One connection to one SQLite file, with its prepared statements, its transaction state and the
// mapping of engine errors to store codes. The engine's types stay inside the .cpp.
class Checkpointer;
class EngineStatement;
class SqlDialect;

class Connection {
public:
    using Row = QVariantList;
    static constexpr int kDefaultWaitMs = 2000;

    explicit Connection(const QString& filePath);
    // A connection through another engine; `label` names where it goes in place of a path.
    Connection(std::unique_ptr<SqlDialect> dialect, const QString& label);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString filePath() const { return m_filePath; }
    // What the engine underneath spells differently.
    const SqlDialect& dialect() const { return *m_dialect; }
    bool isOpen() const;
    // For a server: true, the opener finds out which tables are missing.
    bool fileExists() const;
    // Another connection to the same file or server.
    std::unique_ptr<Connection> sibling() const;

    // Opens the file: 2 when it is missing and `create` is false. Sets full syncing; changes
    // nothing in the file.
    int open(bool create, StoreError& error);
    void close();

    // Leaves copying the log back into the file to the checkpointer (set before open()); a
    // batch connection's commits copy while batch work runs.
    void setCheckpointer(Checkpointer* checkpointer, bool batch) {
        m_checkpointer = checkpointer;
        m_batchCommits = batch;
    }

    // Switches the file to write-ahead logging (kept in the file, so once is enough). Called
    // when the file has been accepted: a refused file is left as it was.
    int useWriteAheadLog(StoreError& error);
    bool usesWriteAheadLog() const { return m_writeAheadLog; }

    // While on, a commit returns once the write-ahead log holds it, before the log has reached
    // the disk: the commit survives the end of the program but not a power loss until
    // syncLog(). Only in write-ahead-log mode (with a rollback journal a power loss could damage
    // the file): false, full syncing kept, otherwise. Set outside a transaction.
    bool setLogSyncDeferred(bool on);
    // Makes what the write-ahead log holds reach the disk.
    int syncLog(StoreError& error);
    // Makes a statement that runs now on the connection's own thread stop with an error soon.
    // The only call that may come from another thread, and only while the connection is open.
    void interrupt();

    // Runs one statement (prepared once, kept for reuse). Result rows go to `rows` when given.
    int exec(const QString& sql, const QVariantList& binds, StoreError& error,
             std::vector<Row>* rows = nullptr, std::int64_t* insertId = nullptr,
             int* affected = nullptr);

    // The engine's own statement for reads and writes of many rows, prepared once and kept until
    // close() (or until too many are kept: use it within the call that asked for it). Null when
    // the connection is not to SQLite or its file holds UTF-16 texts (read through exec() then),
    // or when the statement does not prepare (the error says why).
    EngineStatement* engineStatement(const QString& sql, StoreError& error);
    // The store error of an engine result code and message.
    static StoreError engineError(int engineCode, const QString& message);

    int setWaitLimit(int ms);
    int waitLimit() const { return m_waitMs; }

    // Attaches another SQLite file under `schema`, read only, so that queries can join its
    // tables (on a server: its tag table, which lives with the others). 0 when it is attached
    // (also when it already was).
    int attachReadOnly(const QString& filePath, const QString& schema, StoreError& error);
    bool isAttached(const QString& schema) const { return m_attached == schema; }

    // Differs whenever anyone has committed a write to the file (or the attached one) since the
    // last call returned an equal value.
    struct Stamp {
        std::int64_t version = -1;
        std::int64_t attachedVersion = -1;
        std::int64_t localWrites = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp stamp();
    void noteWrite() { ++m_localWrites; }
    std::int64_t localWrites() const { return m_localWrites; }

    // True when the table's columns may hold NULL (a file made by another tool); the store's
    // own tables declare every column NOT NULL.
    bool mayHoldNull(const QString& table);

    // Called before a write that is not part of an open transaction, and before a transaction
    // begins: the store lets a batch slice of this program commit first.
    void setBeforeWrite(std::function<void()> hook) { m_beforeWrite = std::move(hook); }
    void beforeWrite() {
        if (!m_inTransaction && m_beforeWrite) {
            m_beforeWrite();
        }
    }

    int begin(int waitMs, StoreError& error);
    int commit(StoreError& error);
    void rollback();
    bool inTransaction() const { return m_inTransaction; }
    // Numbers the transactions begun on this connection.
    std::int64_t transactionNumber() const { return m_transactionNumber; }
    // Whether transaction n ended in a commit (false while it runs or after a roll back).
    bool committed(std::int64_t n) const {
        return n > 0 && n <= std::int64_t(m_committed.size()) && m_committed[size_t(n - 1)];
    }

private:
    struct Statements;

    // exec() without the savepoint. A read that finds the connection lost outside a transaction
    // runs once more on a new one.
    int run(const QString& sql, const QVariantList& binds, StoreError& error,
            std::vector<Row>* rows = nullptr, std::int64_t* insertId = nullptr,
            int* affected = nullptr);
    int runOnce(const QString& sql, const QVariantList& binds, StoreError& error,
                std::vector<Row>* rows, std::int64_t* insertId, int* affected);
    // The error of a failed statement, noting whether it ended the connection.
    StoreError failure(const QSqlError& e);
    // A new connection in place of a lost one (a server restarted), with the same settings.
    int reconnect(StoreError& error);

    QString m_filePath;
    QString m_name;
    std::unique_ptr<SqlDialect> m_dialect;
    std::unique_ptr<Statements> m_statements;
    void* m_engine = nullptr;  // the open SQLite connection (sqlite3*)
    bool m_engineText = false; // its texts are stored as UTF-8, as engine statements read them
    int m_waitMs = kDefaultWaitMs;
    std::int64_t m_localWrites = 0;
    bool m_inTransaction = false;
    // The server ended the connection; a new one is made before the next statement outside a
    // transaction.
    bool m_lost = false;
    StoreError m_lostError;    // why the latest new connection failed
    QElapsedTimer m_lostSince; // when; invalid while connected
    static constexpr qint64 kReconnectMs = 5000;
    // Inside begin(): its statements are not repeated one by one on a new connection.
    bool m_beginning = false;
    bool m_writeAheadLog = false;
    std::int64_t m_transactionNumber = 0;
    std::vector<bool> m_committed;
    std::function<void()> m_beforeWrite;
    Checkpointer* m_checkpointer = nullptr;
    bool m_batchCommits = false;
    QString m_attached;
    std::vector<std::pair<QString, bool>> m_nullable;
};

} // namespace velatask
