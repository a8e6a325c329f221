#include "store/Store.h"

#include "store/Checkpointer.h"
#include "store/Connection.h"
#include "store/FilterSql.h"
#include "store/SqlDialect.h"
#include "store/TableDef.h"
#include "store/UseCount.h"

#include <QDir>
#include <QFileInfo>

namespace velatask {

Store::Store(const QString& dataDirectory, Ui& ui)
    : Store(dataDirectory, ui,
            std::make_unique<Connection>(QDir(dataDirectory).filePath(QStringLiteral("SM"))),
            std::make_unique<Connection>(
                QDir(dataDirectory).filePath(QStringLiteral("TagFile_.VDB")))) {}

Store::Store(const QString& dataDirectory, const ServerAddress& server, Ui& ui)
    : Store(dataDirectory, ui,
            std::make_unique<Connection>(std::make_unique<PostgresDialect>(server), server.name),
            std::make_unique<Connection>(std::make_unique<PostgresDialect>(server), server.name)) {}

Store::Store(const QString& dataDirectory, Ui& ui, std::unique_ptr<Connection> data,
             std::unique_ptr<Connection> tags)
    : m_dataDirectory(dataDirectory), m_ui(ui),
      m_checkpointer(
          std::make_unique<Checkpointer>(QDir(dataDirectory).filePath(QStringLiteral("SM")))),
      m_data(std::move(data)), m_tags(std::move(tags)), SCH(*this, TableDef::schedule()),
      SCH1(*this, TableDef::schedule()), HIS(*this, TableDef::history()),
      CAT(*this, TableDef::categories()), TDO(*this, TableDef::toDo()),
      SCR(*this, TableDef::scripting()), TF_(*this, TableDef::tagFile_()) {
    m_data->setBeforeWrite([this] { yieldBatch(); });
    m_data->setCheckpointer(m_checkpointer.get(), false);
}

Store::~Store() = default;

bool Store::holdsFile(const QString& path) const {
    const QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty()) {
        return false; // no such file (yet)
    }
    const QDir folder(m_dataDirectory);
    for (const char* file : {"SM", "TagFile_.VDB"}) {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            if (QFileInfo(folder.filePath(QLatin1String(file) + QLatin1String(suffix)))
                    .canonicalFilePath() == target) {
                return true;
            }
        }
    }
    return false;
}

QStringList Store::filesToWatch() const {
    QStringList files;
    const auto add = [&files](const QString& path, bool log) {
        files << path;
        if (log) {
            files << path + QStringLiteral("-wal");
        }
    };
    if (m_data->isOpen()) {
        add(m_data->filePath(), m_data->usesWriteAheadLog());
    }
    const bool tagsAttached = m_data->isAttached(QLatin1String(FilterSql::kTagSchema));
    if (m_tags->isOpen() || tagsAttached) {
        // A tag file is attached only once its opener has accepted it and switched it to the log.
        add(m_tags->filePath(), m_tags->usesWriteAheadLog() || tagsAttached);
    }
    return files;
}

unsigned Store::watchedFiles() const {
    static const QString tagSchema = QLatin1String(FilterSql::kTagSchema);
    const bool tagsAttached = m_data->isAttached(tagSchema);
    const bool dataOpen = m_data->isOpen();
    const bool tagsOpen = m_tags->isOpen() || tagsAttached;
    return (dataOpen ? 1u : 0u) | (dataOpen && m_data->usesWriteAheadLog() ? 2u : 0u) |
           (tagsOpen ? 4u : 0u) |
           (tagsOpen && (m_tags->usesWriteAheadLog() || tagsAttached) ? 8u : 0u);
}

std::uint64_t Store::changeCount() {
    // Reading the versions means a read transaction on each file. While the kernel reports no
    // write to the files and this program wrote nothing, they cannot have moved.
    const unsigned files = watchedFiles();
    const std::array<std::int64_t, 2> localWrites{m_data->localWrites(), m_tags->localWrites()};
    if (!m_data->dialect().isFile()) {
        // The kernel sees nothing of a server's writes: the counter is read each time.
    } else if (files != m_watchedFiles || !m_writeWatch.isWatching()) {
        // Before the versions are read: no write falls in between.
        m_watchedFiles = files;
        m_writeWatch.watch(filesToWatch());
    } else if (files != 0 && !m_writeWatch.written() && localWrites == m_seenLocalWrites) {
        return m_changeCount;
    }
    m_seenLocalWrites = localWrites;
    const Connection::Stamp data = m_data->stamp();
    const Connection::Stamp tags = m_tags->isOpen() ? m_tags->stamp() : Connection::Stamp{};
    const std::vector<std::int64_t> now{data.version, data.attachedVersion, data.localWrites,
                                        tags.version, tags.localWrites};
    if (now != m_seenStamp) {
        m_seenStamp = now;
        ++m_changeCount;
    }
    return m_changeCount;
}

int Store::attachTags() {
    StoreError error;
    if (!m_data->isAttached(QLatin1String(FilterSql::kTagSchema))) {
        UseCount tags(TF_); // creates the tag file and table when they are missing
        if (!tags.ok()) {
            return TF_.error().code;
        }
        m_data->attachReadOnly(m_tags->filePath(), QLatin1String(FilterSql::kTagSchema), error);
    }
    m_lastError = error;
    return error.code;
}

int Store::openBatchConnection(Connection*& connection, StoreError& error) {
    error.clear();
    if (m_stopped) {
        error = makeStoreError(StoreCode::NotOpen);
        return error.code;
    }
    if (!m_batch) {
        m_batch = m_data->sibling();
        m_batch->setCheckpointer(m_checkpointer.get(), true);
    }
    if (!m_batch->isOpen()) {
        if (m_batch->open(false, error) != 0) {
            return error.code;
        }
        // Adding or deleting many records touches index pages all over the file: the cache of a
        // large read while a batch runs (given back when the last writer is done).
        if (m_batch->dialect().isFile()) {
            m_batch->exec(QStringLiteral("PRAGMA cache_size=-%1").arg(kLargeReadCacheKb), {},
                          error);
        }
    }
    connection = m_batch.get();
    return 0;
}

void Store::beginLargeRead() {
    if (m_largeReads++ == 0 && m_data->dialect().isFile()) {
        StoreError ignored;
        m_data->exec(QStringLiteral("PRAGMA cache_size=-%1").arg(kLargeReadCacheKb), {}, ignored);
    }
}

void Store::endLargeRead() {
    if (m_largeReads > 0 && --m_largeReads == 0 && m_data->dialect().isFile()) {
        StoreError ignored;
        m_data->exec(QStringLiteral("PRAGMA cache_size=-2000"), {}, ignored);
        m_data->exec(QStringLiteral("PRAGMA shrink_memory"), {}, ignored);
    }
}

void Store::countBatchWriter(int delta) {
    const bool running = m_batchWriters > 0;
    m_batchWriters += delta;
    if (running != (m_batchWriters > 0)) {
        m_checkpointer->setBatch(m_batchWriters > 0);
    }
    if (m_batchWriters == 0 && m_batch && m_batch->isOpen() && !m_batch->inTransaction() &&
        m_batch->dialect().isFile()) {
        StoreError ignored;
        m_batch->exec(QStringLiteral("PRAGMA shrink_memory"), {}, ignored);
    }
}

void Store::yieldBatch() {
    if (!m_batch || !m_batch->inTransaction()) {
        return;
    }
    if (m_batch->commit(m_batchYieldError) != 0) {
        m_batch->rollback();
    }
}

void Store::copyLogForBatch() {
    if (!m_checkpointer->batchCopyDue() || !m_batch || !m_batch->isOpen() ||
        m_batch->inTransaction()) {
        return;
    }
    // A copy that could not be made (a reader in the way) is made by a later one or the thread.
    StoreError ignored;
    std::vector<Connection::Row> rows;
    m_batch->exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"), {}, ignored, &rows);
    m_checkpointer->batchCopied();
}

void Store::capture() {
    m_savedError = m_lastError;
    m_data->rollback();
}

void Store::stop(const QString& finalText) {
    m_stopped = true;
    m_data->rollback();
    if (m_batch) {
        m_batch->rollback();
    }
    m_ui.stopProgram(finalText);
}

bool Store::inTransaction() const {
    return m_data->inTransaction();
}

} // namespace velatask
