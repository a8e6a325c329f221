#include "store/BatchWriter.h"

#include "store/Checkpointer.h"
#include "store/Connection.h"
#include "store/EngineStatement.h"
#include "store/KeysetSql.h"
#include "store/RecordCodec.h"
#include "store/SqlDialect.h"
#include "store/Store.h"
#include "store/StoredValue.h"
#include "store/TableDef.h"
#include "store/TaskRows.h"
#include "store/Transaction.h"

namespace velatask {

namespace {

// Binds a record's fields to the engine's insert as forWrite() stores them.
class EngineBinds {
public:
    EngineBinds(EngineStatement& statement, const TableDef& table)
        : m_statement(statement), m_columns(table.columns) {}
    void number(qlonglong value) {
        m_statement.bind(m_at, std::int64_t(StoredValue::numberForWrite(value, m_columns[m_at])));
        ++m_at;
    }
    void text(const QString& value) {
        m_statement.bind(m_at, StoredValue::textForWrite(value, m_columns[m_at]));
        ++m_at;
    }

private:
    EngineStatement& m_statement;
    const std::vector<ColumnDef>& m_columns;
    int m_at = 0;
};

const TableDef& tableDef(Table table) {
    switch (table) {
    case Table::Schedule:
        return TableDef::schedule();
    case Table::History:
        return TableDef::history();
    case Table::Categories:
        return TableDef::categories();
    case Table::ToDo:
        return TableDef::toDo();
    case Table::Scripting:
        break;
    }
    return TableDef::scripting();
}

} // namespace

BatchWriter::BatchWriter(Store& store) : m_store(store) {
    m_store.countBatchWriter(+1);
}

BatchWriter::~BatchWriter() {
    abandonSlice();
    syncCommitted();
    m_store.countBatchWriter(-1);
}

int BatchWriter::finish(const StoreError& error) {
    m_error = error;
    if (error.code != 0) {
        m_store.setLastError(error);
    }
    return error.code;
}

bool BatchWriter::ours() const {
    return m_open && m_connection && m_connection->inTransaction() &&
           m_connection->transactionNumber() == m_number;
}

int BatchWriter::ensureSlice() {
    if (ours()) {
        return 0;
    }
    if (m_open) {
        // Committed early for a write of the scheduler or a window; a failed commit lost it.
        m_open = false;
        if (!m_connection->committed(m_number)) {
            return finish(m_store.batchYieldError());
        }
        syncAway();
    }
    StoreError error;
    if (m_store.openBatchConnection(m_connection, error) != 0) {
        return finish(error);
    }
    m_store.yieldBatch(); // another writer's slice
    // Only this writer's slices: another batch on the connection keeps syncing its commits, also
    // when the slice it has just committed early was a deferring one.
    if (!m_deferSync) {
        m_connection->setLogSyncDeferred(false);
    } else if (m_connection->setLogSyncDeferred(true)) {
        m_deferring = true;
        m_unsynced = true;
    }
    if (m_connection->begin(Transaction::kDefaultWaitMs, error) == 0) {
        m_open = true;
        m_ticketCoversAll = false;
        m_number = m_connection->transactionNumber();
    }
    return finish(error);
}

int BatchWriter::beginSlice() {
    // Once a writer that puts off syncing has handed the checkpointer's thread a sync, the thread
    // takes the copies too.
    if (!ours() && m_syncTicket == 0) {
        copyLog();
    }
    return ensureSlice();
}

bool BatchWriter::logCopyDue() const {
    return m_store.checkpointer().batchCopyDue();
}

void BatchWriter::copyLog() {
    m_store.copyLogForBatch();
}

int BatchWriter::commitSlice() {
    if (!m_open) {
        return finish({});
    }
    if (!ours()) {
        m_open = false;
        const bool committed = m_connection->committed(m_number);
        if (committed) {
            syncAway();
        }
        endDeferring();
        return finish(committed ? StoreError{} : m_store.batchYieldError());
    }
    StoreError error;
    if (m_connection->commit(error) != 0) {
        m_connection->rollback();
    } else {
        syncAway();
    }
    m_open = false;
    endDeferring();
    return finish(error);
}

void BatchWriter::abandonSlice() {
    if (ours()) {
        m_connection->rollback();
    }
    m_open = false;
    endDeferring();
}

void BatchWriter::endDeferring() {
    if (m_deferring && !m_connection->inTransaction()) {
        m_connection->setLogSyncDeferred(false);
        m_deferring = false;
    }
}

void BatchWriter::syncAway() {
    if (m_deferring) {
        m_syncTicket = m_store.checkpointer().syncLogAway();
        if (m_firstTicket == 0) {
            m_firstTicket = m_syncTicket;
        }
        m_ticketCoversAll = true;
    }
}

bool BatchWriter::syncPending(int waitMs) const {
    return m_unsynced && m_ticketCoversAll &&
           m_store.checkpointer().logSync(m_firstTicket, m_syncTicket, waitMs) ==
               Checkpointer::LogSync::Pending;
}

int BatchWriter::syncCommitted() {
    if (!m_unsynced || !m_connection || !m_connection->isOpen()) {
        m_unsynced = false;
        return finish({});
    }
    if (m_ticketCoversAll && m_store.checkpointer().logSync(m_firstTicket, m_syncTicket, -1) ==
                                 Checkpointer::LogSync::Done) {
        m_unsynced = false;
        return finish({});
    }
    StoreError error;
    if (m_connection->syncLog(error) == 0) {
        m_unsynced = false;
    }
    return finish(error);
}

int BatchWriter::insert(const TableDef& table, const QVariantList& row) {
    if (ensureSlice() != 0) {
        return m_error.code;
    }
    StoreError error;
    m_connection->exec(table.insertSql(), StoredValue::forWrite(row, table), error);
    return finish(error);
}

int BatchWriter::add(const ScheduleRecord& task) {
    const TableDef& table = TableDef::schedule();
    if (ensureSlice() != 0) {
        return m_error.code;
    }
    StoreError error;
    EngineStatement* insert = m_connection->engineStatement(table.insertSql(), error);
    if (!insert) {
        return error.code != 0 ? finish(error)
                               : this->insert(table, RecordCodec::toRow(task, table));
    }
    EngineBinds binds(*insert, table);
    RecordCodec::writeSchedule(binds, task, table);
    insert->step(error);
    return finish(error);
}

int BatchWriter::add(const CategoryRecord& category) {
    return insert(TableDef::categories(), RecordCodec::toRow(category, TableDef::categories()));
}

int BatchWriter::add(const ToDoRecord& item) {
    return insert(TableDef::toDo(), RecordCodec::toRow(item, TableDef::toDo()));
}

int BatchWriter::add(const ScriptingRecord& step) {
    return insert(TableDef::scripting(), RecordCodec::toRow(step, TableDef::scripting()));
}

int BatchWriter::erase(Table table, std::int64_t position) {
    if (ensureSlice() != 0) {
        return m_error.code;
    }
    StoreError error;
    if (table == Table::Schedule && TaskRows::eraseSteps(*m_connection, position, error) != 0) {
        return finish(error);
    }
    m_connection->exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                           .arg(tableDef(table).table, m_connection->dialect().positionColumn()),
                       {qlonglong(position)}, error);
    return finish(error);
}

int BatchWriter::erase(Table table, const std::vector<std::int64_t>& positions) {
    if (positions.empty()) {
        return finish({});
    }
    if (ensureSlice() != 0) {
        return m_error.code;
    }
    StoreError error;
    if (table == Table::Schedule && TaskRows::eraseSteps(*m_connection, positions, error) != 0) {
        return finish(error);
    }
    m_connection->exec(QStringLiteral("DELETE FROM %1 WHERE %2%3")
                           .arg(tableDef(table).table, m_connection->dialect().positionColumn(),
                                m_connection->dialect().inPositions()),
                       {m_connection->dialect().positionList(positions)}, error);
    return finish(error);
}

int BatchWriter::highestTaskNumber(std::int32_t& id) {
    id = 0;
    if (ensureSlice() != 0) {
        return m_error.code;
    }
    const KeysetSql key(TableDef::schedule(), int(ScheduleKey::KeyID), m_connection->dialect());
    SqlParts parts;
    key.present(parts);
    std::vector<Connection::Row> rows;
    StoreError error;
    m_connection->exec(QStringLiteral("SELECT ID FROM Schedule") + parts.whereClause() +
                           key.orderBy(-1) + QStringLiteral(" LIMIT 1"),
                       parts.binds, error, &rows);
    if (!rows.empty()) {
        id = rows.front().value(0).toInt();
    }
    return finish(error);
}

} // namespace velatask
