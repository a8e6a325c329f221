#include "store/Connection.h"

#include "store/Checkpointer.h"
#include "store/EngineStatement.h"
#include "store/SqlDialect.h"
#include "store/SqlFunctions.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>

#include <sqlite3.h>

namespace velatask {

namespace {

// Statements kept prepared; a program that keeps making new ones starts again from none.
constexpr int kMaxStatements = 200;

// Engine result codes that have a store code of their own.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteConstraint = 19;

} // namespace

StoreError Connection::engineError(int engineCode, const QString& message) {
    StoreError out;
    // The engine's extended codes carry the primary result code in their low byte.
    out.driverCode = engineCode & 0xff;
    out.driverText = message;
    if (out.driverCode == 0) {
        out.driverCode = 1;
    }
    if (out.driverCode == kSqliteBusy || out.driverCode == kSqliteLocked) {
        out.code = StoreCode::IsLocked;
    } else if (out.driverCode == kSqliteConstraint &&
               out.driverText.contains(QLatin1String("UNIQUE"))) {
        out.code = StoreCode::DuplicateKey;
    } else {
        out.code = StoreCode::DriverError;
    }
    if (out.code != StoreCode::DriverError) {
        out.text = storeErrorText(out.code);
    }
    return out;
}

struct Connection::Statements {
    QHash<QString, QSqlQuery*> cache;
    QHash<QString, EngineStatement*> engine;
    ~Statements() {
        qDeleteAll(cache);
        qDeleteAll(engine);
    }
};

Connection::Connection(const QString& filePath)
    : m_filePath(filePath), m_name(QUuid::createUuid().toString()),
      m_dialect(std::make_unique<SqliteDialect>(filePath)) {}

Connection::Connection(std::unique_ptr<SqlDialect> dialect, const QString& label)
    : m_filePath(label), m_name(QUuid::createUuid().toString()), m_dialect(std::move(dialect)) {}

std::unique_ptr<Connection> Connection::sibling() const {
    return std::make_unique<Connection>(m_dialect->clone(), m_filePath);
}

Connection::~Connection() {
    close();
}

bool Connection::isOpen() const {
    // A connection the server ended stays open for its users: the next statement makes a new one.
    return m_statements != nullptr || m_lost;
}

bool Connection::fileExists() const {
    return !m_dialect->isFile() || QFileInfo::exists(m_filePath);
}

int Connection::open(bool create, StoreError& error) {
    error.clear();
    if (m_statements) {
        return 0;
    }
    if (!create && !fileExists()) {
        error = makeStoreError(StoreCode::FileNotFound);
        return error.code;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(m_dialect->driverName(), m_name);
        m_dialect->configure(db, m_waitMs);
        if (!db.open()) {
            error = m_dialect->fromSqlError(db.lastError());
            error.code = StoreCode::DriverError;
            error.text.clear();
        } else if (m_dialect->isFile() &&
                   (!SqlFunctions::install(db.driver()->handle()) ||
                    (m_checkpointer &&
                     !m_checkpointer->watch(db.driver()->handle(),
                                            m_batchCommits ? Checkpointer::Role::Batch
                                                           : Checkpointer::Role::Foreground)))) {
            error.code = StoreCode::DriverError;
            error.driverCode = 1;
            error.driverText = QStringLiteral("cannot install the filter functions");
            db.close();
        }
    }
    if (error.code != 0) {
        QSqlDatabase::removeDatabase(m_name);
        return error.code;
    }
    m_statements = std::make_unique<Statements>();
    {
        const QVariant handle = QSqlDatabase::database(m_name, false).driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
            m_engine = *static_cast<sqlite3* const*>(handle.constData());
        }
    }
    for (const QString& sql : m_dialect->afterOpenSql(m_waitMs)) {
        if (exec(sql, {}, error) != 0) {
            StoreError keep = error;
            close();
            error = keep;
            return error.code;
        }
    }
    if (m_engine) {
        // The engine's statements and key anchors take texts as the bytes in the row, which are
        // UTF-8 only in a file made so; a file that another tool made in UTF-16 is read through
        // the driver.
        std::vector<Row> rows;
        StoreError e;
        m_engineText = exec(QStringLiteral("PRAGMA encoding"), {}, e, &rows) == 0 &&
                       !rows.empty() && rows[0].value(0).toString() == QLatin1String("UTF-8");
        m_dialect->setTextsStoredAsUtf8(m_engineText);
    }
    return 0;
}

int Connection::useWriteAheadLog(StoreError& error) {
    error.clear();
    if (m_writeAheadLog) {
        return 0;
    }
    const QString sql = m_dialect->writeAheadLogSql();
    if (!sql.isEmpty() && exec(sql, {}, error) != 0) {
        return error.code;
    }
    m_writeAheadLog = true;
    return 0;
}

void Connection::close() {
    m_lost = false;
    if (!m_statements) {
        return;
    }
    m_writeAheadLog = false;
    if (m_inTransaction) {
        rollback();
    }
    // The engine's statements are finalized here, before the file closes.
    m_statements.reset();
    m_engine = nullptr;
    m_engineText = false;
    m_attached.clear();
    m_nullable.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

int Connection::exec(const QString& sql, const QVariantList& binds, StoreError& error,
                     std::vector<Row>* rows, std::int64_t* insertId, int* affected) {
    // A failed statement is undone alone, as on the file, also where the engine would otherwise
    // refuse the rest of the transaction: a savepoint holds what came before it.
    if (!m_inTransaction || !m_dialect->failedStatementEndsTransaction() ||
        !m_dialect->canPrepare(sql)) {
        return run(sql, binds, error, rows, insertId, affected);
    }
    if (run(QStringLiteral("SAVEPOINT velatask_statement"), {}, error) != 0) {
        return error.code;
    }
    StoreError ignored;
    if (run(sql, binds, error, rows, insertId, affected) != 0) {
        const StoreError keep = error;
        run(QStringLiteral("ROLLBACK TO SAVEPOINT velatask_statement"), {}, ignored);
        run(QStringLiteral("RELEASE SAVEPOINT velatask_statement"), {}, ignored);
        error = keep;
        return error.code;
    }
    return run(QStringLiteral("RELEASE SAVEPOINT velatask_statement"), {}, error);
}

int Connection::run(const QString& sql, const QVariantList& binds, StoreError& error,
                    std::vector<Row>* rows, std::int64_t* insertId, int* affected) {
    const bool outside = !m_inTransaction && !m_beginning;
    if (m_lost && outside && reconnect(error) != 0) {
        return error.code;
    }
    const size_t kept = rows ? rows->size() : 0;
    if (runOnce(sql, binds, error, rows, insertId, affected) == 0 || !m_lost || !outside) {
        return error.code;
    }
    // A read changes nothing: it runs again on a new connection. A write is reported, as it may
    // have been done before the connection ended. No new connection: why not.
    const StoreError lost = error;
    if (reconnect(error) != 0) {
        return error.code;
    }
    if (!sql.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)) {
        error = lost;
        return error.code;
    }
    if (rows) {
        rows->resize(kept);
    }
    return runOnce(sql, binds, error, rows, insertId, affected);
}

StoreError Connection::failure(const QSqlError& e) {
    m_lost = m_lost || m_dialect->lostConnection(e);
    return m_dialect->fromSqlError(e);
}

int Connection::reconnect(StoreError& error) {
    // While the server cannot be reached, a new try at most every kReconnectMs: each try may wait
    // for the connect timeout.
    if (!m_statements && m_lostSince.isValid() && !m_lostSince.hasExpired(kReconnectMs)) {
        error = m_lostError;
        return error.code;
    }
    const bool writeAheadLog = m_writeAheadLog;
    // On a server the tag table's view outlives the connection.
    const QString attached =
        m_dialect->attachTagsSql(m_attached).isEmpty() ? QString() : m_attached;
    m_inTransaction = false; // ended with the connection
    close();
    m_lost = false;
    if (open(false, error) != 0) {
        m_lost = true;
        m_lostError = error;
        m_lostSince.start();
        return error.code;
    }
    m_lostSince.invalidate();
    m_writeAheadLog = writeAheadLog;
    m_attached = attached;
    return 0;
}

int Connection::runOnce(const QString& sql, const QVariantList& binds, StoreError& error,
                        std::vector<Row>* rows, std::int64_t* insertId, int* affected) {
    error.clear();
    if (!m_statements) {
        error = makeStoreError(StoreCode::NotOpen);
        return error.code;
    }
    if (!m_dialect->canPrepare(sql)) {
        if (!binds.isEmpty()) {
            error.code = StoreCode::DriverError;
            error.driverCode = 1;
            error.driverText = QStringLiteral("values cannot be bound to: ") + sql;
            return error.code;
        }
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        if (!q.exec(sql)) {
            error = failure(q.lastError());
        }
        return error.code;
    }
    if (m_statements->cache.size() >= kMaxStatements && !m_statements->cache.contains(sql)) {
        qDeleteAll(m_statements->cache);
        m_statements->cache.clear();
    }
    QSqlQuery*& q = m_statements->cache[sql];
    if (!q) {
        q = new QSqlQuery(QSqlDatabase::database(m_name, false));
        q->setForwardOnly(true);
        if (!q->prepare(sql)) {
            error = failure(q->lastError());
            delete q;
            m_statements->cache.remove(sql);
            return error.code;
        }
    }
    for (int i = 0; i < binds.size(); ++i) {
        q->bindValue(i, binds[i]);
    }
    if (!q->exec()) {
        error = failure(q->lastError());
        q->finish();
        return error.code;
    }
    if (rows) {
        const int n = q->record().count();
        while (q->next()) {
            Row r;
            r.reserve(n);
            for (int i = 0; i < n; ++i) {
                r.push_back(q->value(i));
            }
            rows->push_back(std::move(r));
        }
        if (q->lastError().isValid()) {
            error = failure(q->lastError());
        }
    }
    if (insertId) {
        *insertId = q->lastInsertId().toLongLong();
    }
    if (affected) {
        *affected = q->numRowsAffected();
    }
    // Never keep a statement running: an open read would pin an old snapshot.
    q->finish();
    return error.code;
}

EngineStatement* Connection::engineStatement(const QString& sql, StoreError& error) {
    error.clear();
    if (!m_statements) {
        error = makeStoreError(StoreCode::NotOpen);
        return nullptr;
    }
    if (!m_engine || !m_engineText) {
        return nullptr;
    }
    // Callers step a statement within one call, so the kept ones may all go at any call.
    if (m_statements->engine.size() >= kMaxStatements && !m_statements->engine.contains(sql)) {
        qDeleteAll(m_statements->engine);
        m_statements->engine.clear();
    }
    EngineStatement*& s = m_statements->engine[sql];
    if (!s) {
        auto* db = static_cast<sqlite3*>(m_engine);
        sqlite3_stmt* prepared = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                               &prepared, nullptr) != SQLITE_OK) {
            error =
                engineError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
            sqlite3_finalize(prepared);
            m_statements->engine.remove(sql);
            return nullptr;
        }
        s = new EngineStatement(prepared);
    }
    return s;
}

int Connection::setWaitLimit(int ms) {
    m_waitMs = ms;
    if (!isOpen()) {
        return 0;
    }
    StoreError e;
    return exec(m_dialect->waitLimitSql(ms), {}, e);
}

Connection::Stamp Connection::stamp() {
    auto version = [this](const QString& sql) {
        std::vector<Row> rows;
        StoreError e;
        exec(sql, {}, e, &rows);
        return rows.empty() ? std::int64_t(-1) : rows.front().value(0).toLongLong();
    };
    Stamp s;
    s.version = version(m_dialect->stampSql(QString()));
    if (!m_attached.isEmpty()) {
        s.attachedVersion = version(m_dialect->stampSql(m_attached));
    }
    s.localWrites = m_localWrites;
    return s;
}

int Connection::attachReadOnly(const QString& filePath, const QString& schema, StoreError& error) {
    error.clear();
    if (m_attached == schema) {
        return 0;
    }
    if (const QStringList statements = m_dialect->attachTagsSql(schema); !statements.isEmpty()) {
        if (begin(m_waitMs, error) != 0) {
            return error.code;
        }
        for (const QString& sql : statements) {
            if (exec(sql, {}, error) != 0) {
                const StoreError keep = error;
                rollback();
                error = keep;
                return error.code;
            }
        }
        if (commit(error) == 0) {
            m_attached = schema;
        }
        return error.code;
    }
    QUrl uri = QUrl::fromLocalFile(QFileInfo(filePath).absoluteFilePath());
    uri.setQuery(QStringLiteral("mode=ro"));
    if (exec(QStringLiteral("ATTACH DATABASE ? AS %1").arg(schema),
             {uri.toString(QUrl::FullyEncoded)}, error) == 0) {
        m_attached = schema;
    }
    return error.code;
}

bool Connection::mayHoldNull(const QString& table) {
    for (const auto& [name, nullable] : m_nullable) {
        if (name == table) {
            return nullable;
        }
    }
    std::vector<Row> rows;
    StoreError e;
    exec(m_dialect->columnsSql(), {m_dialect->catalogName(table)}, e, &rows);
    bool nullable = false;
    for (const Row& r : rows) {
        nullable = nullable || r.value(2).toInt() == 0; // "not null"
    }
    if (e.code == 0 && !rows.empty()) {
        m_nullable.emplace_back(table, nullable);
    }
    return nullable;
}

int Connection::begin(int waitMs, StoreError& error) {
    beforeWrite();
    error.clear();
    if (m_inTransaction) {
        error.code = StoreCode::DriverError;
        error.driverCode = 1;
        error.driverText = QStringLiteral("cannot start a transaction within a transaction");
        return error.code;
    }
    if (m_lost && reconnect(error) != 0) {
        return error.code;
    }
    const auto steps = [this](const QString& sql, StoreError& e) { return exec(sql, {}, e); };
    m_beginning = true;
    m_dialect->begin(steps, waitMs, m_waitMs, error);
    if (error.code != 0 && m_lost) {
        // Nothing was written yet: the whole beginning again on a new connection.
        if (reconnect(error) == 0) {
            m_dialect->begin(steps, waitMs, m_waitMs, error);
        }
    }
    m_beginning = false;
    if (error.code == 0) {
        m_inTransaction = true;
        ++m_transactionNumber;
        m_committed.push_back(false);
    }
    return error.code;
}

bool Connection::setLogSyncDeferred(bool on) {
    if (!m_engine || m_inTransaction) {
        return false;
    }
    StoreError error;
    if (on) {
        std::vector<Row> rows;
        if (exec(QStringLiteral("PRAGMA journal_mode"), {}, error, &rows) != 0 || rows.empty() ||
            rows.front().value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) !=
                0) {
            return false;
        }
    }
    return exec(on ? QStringLiteral("PRAGMA synchronous=NORMAL")
                   : QStringLiteral("PRAGMA synchronous=FULL"),
                {}, error) == 0 &&
           on;
}

void Connection::interrupt() {
    if (m_engine) {
        sqlite3_interrupt(static_cast<sqlite3*>(m_engine));
    }
}

int Connection::syncLog(StoreError& error) {
    error.clear();
    if (!m_engine) {
        return 0;
    }
    sqlite3_file* log = nullptr;
    if (sqlite3_file_control(static_cast<sqlite3*>(m_engine), "main", SQLITE_FCNTL_JOURNAL_POINTER,
                             &log) != SQLITE_OK ||
        !log || !log->pMethods) {
        return 0; // no log open: nothing waits for the disk
    }
    const int rc = log->pMethods->xSync(log, SQLITE_SYNC_NORMAL);
    if (rc != SQLITE_OK) {
        error = engineError(rc, QString::fromUtf8(sqlite3_errstr(rc)));
        return error.code;
    }
    if (m_checkpointer) {
        m_checkpointer->logSynced();
    }
    return 0;
}

int Connection::commit(StoreError& error) {
    error.clear();
    if (!m_inTransaction) {
        error.code = StoreCode::DriverError;
        error.driverCode = 1;
        error.driverText = QStringLiteral("cannot commit - no transaction is active");
        return error.code;
    }
    if (exec(QStringLiteral("COMMIT"), {}, error) == 0) {
        m_inTransaction = false;
        m_committed.back() = true;
        ++m_localWrites;
        return 0;
    }
    return error.code;
}

void Connection::rollback() {
    if (!m_inTransaction) {
        return;
    }
    StoreError e;
    exec(QStringLiteral("ROLLBACK"), {}, e);
    m_inTransaction = false;
    ++m_localWrites;
}

} // namespace velatask
