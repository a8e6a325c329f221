#include "store/TableOpener.h"

#include "store/Connection.h"
#include "store/SqlDialect.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "store/TableDef.h"

#include <QRegularExpression>

#include <vector>

namespace velatask::TableOpener {

namespace {

QString simplified(QString sql) {
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    return sql.replace(spaces, QStringLiteral(" ")).trimmed();
}

int failWith(StoreError& error, int code) {
    error = makeStoreError(code);
    return code;
}

// Runs the statements in one transaction.
int runAll(Connection& connection, const QStringList& statements, StoreError& error) {
    if (connection.begin(connection.waitLimit(), error) != 0) {
        return error.code;
    }
    for (const QString& sql : statements) {
        if (connection.exec(sql, {}, error) != 0) {
            const StoreError keep = error;
            connection.rollback();
            error = keep;
            return error.code;
        }
    }
    connection.noteWrite();
    return connection.commit(error);
}

} // namespace

int probe(Connection& connection, const TableDef& table, StoreError& error) {
    error.clear();
    if (!connection.isOpen() && connection.open(false, error) != 0) {
        return error.code;
    }
    const SqlDialect& dialect = connection.dialect();
    std::vector<Connection::Row> rows;
    if (connection.exec(dialect.tableSql(), {dialect.catalogName(table.table)}, error, &rows) !=
        0) {
        return error.code;
    }
    if (rows.empty()) {
        return failWith(error, StoreCode::FileNotFound);
    }
    rows.clear();
    if (connection.exec(dialect.columnsSql(), {dialect.catalogName(table.table)}, error, &rows) !=
        0) {
        return error.code;
    }
    bool same = rows.size() == table.columns.size();
    for (size_t i = 0; same && i < rows.size(); ++i) {
        const bool text = table.columns[i].type == ColumnType::Text;
        same = rows[i].value(0).toString() == dialect.catalogName(table.columns[i].name) &&
               rows[i].value(1).toString().toUpper() ==
                   (text ? QLatin1String("TEXT") : QLatin1String("INTEGER"));
    }
    if (!same) {
        return failWith(error, StoreCode::BadDeclaration);
    }
    for (int k = 0; k < int(table.keys.size()); ++k) {
        rows.clear();
        if (connection.exec(dialect.indexSql(), {table.indexName(k)}, error, &rows) != 0) {
            return error.code;
        }
        if (rows.empty() || simplified(rows.front().value(0).toString()) !=
                                simplified(dialect.indexDeclaration(table, k))) {
            return failWith(error, StoreCode::KeyRebuild);
        }
    }
    return 0;
}

int create(Connection& connection, const TableDef& table, StoreError& error) {
    if (!connection.isOpen() && connection.open(true, error) != 0) {
        return error.code;
    }
    const SqlDialect& dialect = connection.dialect();
    QStringList statements = dialect.createSchemaSql() + dialect.createTableSql(table);
    for (int k = 0; k < int(table.keys.size()); ++k) {
        statements << dialect.createIndexSql(table, k);
    }
    return runAll(connection, statements, error);
}

int mendSchema(Connection& connection, StoreError& error) {
    const SqlDialect& dialect = connection.dialect();
    error.clear();
    if (dialect.schemaMarkSql().isEmpty()) {
        return 0;
    }
    std::vector<Connection::Row> rows;
    if (connection.exec(dialect.schemaMarkSql(), {}, error, &rows) != 0) {
        return error.code;
    }
    if (!rows.empty() && rows.front().value(0).toString() == dialect.schemaMark()) {
        return 0;
    }
    return runAll(connection, dialect.mendSchemaSql(), error);
}

int rebuildKeys(Connection& connection, const TableDef& table, StoreError& error) {
    const SqlDialect& dialect = connection.dialect();
    QStringList statements;
    for (int k = 0; k < int(table.keys.size()); ++k) {
        statements << dialect.dropIndexSql(table, k);
        statements << dialect.createIndexSql(table, k);
    }
    return runAll(connection, statements, error);
}

namespace {

// The tables that share `table`'s file.
std::vector<const TableDef*> tablesOfFile(const TableDef& table) {
    if (table.tagFile) {
        return {&table};
    }
    return {&TableDef::schedule(), &TableDef::history(), &TableDef::categories(), &TableDef::toDo(),
            &TableDef::scripting()};
}

// probe(), waiting up to the recovery limit ("Recover=10") for another holder of the file.
int probeWaiting(Store& store, Connection& connection, const TableDef& table, StoreError& error) {
    int code = probe(connection, table, error);
    if (code == StoreCode::IsLocked) {
        connection.setWaitLimit(store.recoverWaitMs());
        code = probe(connection, table, error);
        connection.setWaitLimit(Connection::kDefaultWaitMs);
    }
    return code == StoreCode::AlreadyOpen ? 0 : code;
}

// mendSchema(), waiting as long as probeWaiting() for the tables it changes.
int mendWaiting(Store& store, Connection& connection, StoreError& error) {
    int code = mendSchema(connection, error);
    if (code == StoreCode::IsLocked) {
        connection.setWaitLimit(store.recoverWaitMs());
        code = mendSchema(connection, error);
        connection.setWaitLimit(Connection::kDefaultWaitMs);
    }
    return code;
}

// The other tables of the file, before anything is written to it: 0 when none of them would
// refuse the file (missing tables and keys are mended when their turn comes), otherwise the
// code, with `culprit` the table that refuses it.
int checkOtherTables(Store& store, Connection& connection, const TableDef& table, StoreError& error,
                     const TableDef*& culprit) {
    for (const TableDef* other : tablesOfFile(table)) {
        if (other == &table) {
            continue;
        }
        const int code = probeWaiting(store, connection, *other, error);
        if (code != 0 && code != StoreCode::FileNotFound && code != StoreCode::KeyRebuild) {
            culprit = other;
            return code;
        }
    }
    error.clear();
    return 0;
}

} // namespace

int open(Store& store, Connection& connection, const TableDef& table, StoreError& error) {
    const TableDef* culprit = &table;
    int code = probeWaiting(store, connection, table, error);
    // The whole file is checked before its first change (a missing table or key made, the
    // switch to write-ahead logging), so that a file refused for any table stays as it was.
    const bool changesFile = code == StoreCode::FileNotFound || code == StoreCode::KeyRebuild ||
                             (code == 0 && !connection.usesWriteAheadLog());
    if (changesFile) {
        if (const int other = checkOtherTables(store, connection, table, error, culprit);
            other != 0) {
            code = other;
        }
    }
    const QString name = culprit->storeName();
    if (code == StoreCode::FileNotFound) {
        if (create(connection, table, error) != 0) {
            store.setLastError(error);
            StandardWarning(store, 4, name);
            return error.code;
        }
        code = probe(connection, table, error);
        if (code != 0) {
            store.setLastError(error);
            StandardWarning(store, 5, name);
            return error.code;
        }
    }
    if (code == StoreCode::BadDeclaration) {
        store.setLastError(error);
        StandardWarning(store, 1, name);
        return code;
    }
    if (code == StoreCode::KeyRebuild) {
        store.setLastError(error);
        if (StandardWarning(store, 2, name) != Ui::Yes) {
            return code;
        }
        if (rebuildKeys(connection, table, error) != 0) {
            store.setLastError(error);
            StandardWarning(store, 3, name);
            return error.code;
        }
        code = probe(connection, table, error);
    }
    if (code == 0 && mendWaiting(store, connection, error) == 0 &&
        connection.useWriteAheadLog(error) == 0) {
        return 0;
    }
    code = error.code;
    store.setLastError(error);
    StandardWarning(store, 30, name);
    store.stop(QStringLiteral("Disk Error"));
    return code;
}

} // namespace velatask::TableOpener
