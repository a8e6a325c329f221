#include "store/Connection.h"
#include "store/SqlDialect.h"
#include "store/TableDef.h"

#include <QSqlDatabase>
#include <QSqlError>

namespace velatask {

QString SqlDialect::numberList(const std::vector<std::int64_t>& numbers, QChar open, QChar close) {
    QString out;
    out.reserve(qsizetype(numbers.size()) * 8 + 2);
    out += open;
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            out += QLatin1Char(',');
        }
        out += QString::number(numbers[i]);
    }
    return out + close;
}

QString SqlDialect::dropIndexSql(const TableDef& table, int key) const {
    return QStringLiteral("DROP INDEX IF EXISTS \"%1\"").arg(table.indexName(key));
}

QString SqlDialect::keyTerm(const TableDef& table, int column) const {
    const QString& name = table.columns[column].name;
    return table.isText(column) ? foldedColumn(name) : name;
}

bool SqlDialect::isFile() const {
    return driverName() == QLatin1String("QSQLITE");
}

QString SqliteDialect::driverName() const {
    return QStringLiteral("QSQLITE");
}

void SqliteDialect::configure(QSqlDatabase& db, int waitMs) const {
    // URI names let a tag file be attached read only; a plain path must not read as one.
    db.setDatabaseName(m_filePath.startsWith(QLatin1String("file:"))
                           ? QStringLiteral("./") + m_filePath
                           : m_filePath);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1;QSQLITE_OPEN_URI").arg(waitMs));
}

QStringList SqliteDialect::afterOpenSql(int) const {
    // The journal mode is only read: a file that is not a database fails at once, and the
    // switch to write-ahead logging waits until the table opener has accepted the file.
    return {QStringLiteral("PRAGMA journal_mode"), QStringLiteral("PRAGMA synchronous=FULL")};
}

QString SqliteDialect::waitLimitSql(int ms) const {
    return QStringLiteral("PRAGMA busy_timeout=%1").arg(ms);
}

int SqliteDialect::begin(const RunSql& run, int waitMs, int sessionWaitMs,
                         StoreError& error) const {
    StoreError ignored;
    run(waitLimitSql(waitMs), ignored);
    // Taking the write lock at once: a transaction never fails later on a lock it could not
    // upgrade to.
    const int code = run(QStringLiteral("BEGIN IMMEDIATE"), error);
    run(waitLimitSql(sessionWaitMs), ignored);
    return code;
}

StoreError SqliteDialect::fromSqlError(const QSqlError& e) const {
    return Connection::engineError(e.nativeErrorCode().toInt(),
                                   e.databaseText().isEmpty() ? e.driverText() : e.databaseText());
}

QString SqliteDialect::stampSql(const QString& attached) const {
    return attached.isEmpty() ? QStringLiteral("PRAGMA data_version")
                              : QStringLiteral("PRAGMA %1.data_version").arg(attached);
}

QString SqliteDialect::writeAheadLogSql() const {
    return QStringLiteral("PRAGMA journal_mode=WAL");
}

QString SqliteDialect::tableSql() const {
    return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?");
}

QString SqliteDialect::columnsSql() const {
    return QStringLiteral("SELECT name, type, \"notnull\" FROM pragma_table_info(?)");
}

QString SqliteDialect::indexSql() const {
    return QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?");
}

QString SqliteDialect::indexDeclaration(const TableDef& table, int key) const {
    // The file keeps the statement that made the index.
    return table.createIndexSql(key);
}

QStringList SqliteDialect::createTableSql(const TableDef& table) const {
    return {table.createTableSql().replace(QStringLiteral("CREATE TABLE "),
                                           QStringLiteral("CREATE TABLE IF NOT EXISTS "))};
}

QStringList SqliteDialect::createIndexSql(const TableDef& table, int key) const {
    return {table.createIndexSql(key).replace(QStringLiteral("INDEX \""),
                                              QStringLiteral("INDEX IF NOT EXISTS \""))};
}

QString SqliteDialect::positionList(const std::vector<std::int64_t>& positions) const {
    return numberList(positions, QLatin1Char('['), QLatin1Char(']')); // a JSON array
}

QString SqliteDialect::insertSql(const TableDef& table) const {
    return table.insertSql();
}

QString SqliteDialect::keyBytesColumn(const QString& column) const {
    if (!m_textsUtf8) {
        return QString();
    }
    // Blobs and numbers in a text column read exactly as they are.
    return QStringLiteral("CASE typeof(%1) WHEN 'text' THEN CAST(%1 AS BLOB) END").arg(column);
}

QString SqliteDialect::foldedColumn(const QString& expression) const {
    return expression + QStringLiteral(" COLLATE NOCASE");
}

} // namespace velatask
