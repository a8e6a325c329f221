#pragma once

#include "store/StoreError.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QSqlDatabase;
class QSqlError;

namespace velatask {

struct TableDef;

// Where a server store lives. Empty fields (port 0) leave the choice to the server's client
// library, which also finds the password in its own password file or environment.
struct ServerAddress {
    QString host; // a host name, or a Unix socket folder when it starts with '/'
    int port = 0;
    QString name;
    QString user;
};

// What differs between the database engines the store runs on: how a connection opens, waits
// for other writers and begins a transaction, how engine errors read as store codes, how
// writes are noticed, the catalog, the schema made from a TableDef, and the spellings of a
// record's position and of text compared without regard to letter case.
class SqlDialect {
public:
    // Runs one statement on the connection being served; 0 or the store code left in `error`.
    using RunSql = std::function<int(const QString& sql, StoreError& error)>;

    virtual ~SqlDialect() = default;
    // The same engine and place, for another connection.
    virtual std::unique_ptr<SqlDialect> clone() const = 0;
    // A file on this machine (whose writes the kernel reports and whose handle the store's own
    // SQL functions and log copying use), not a server.
    bool isFile() const;

    // The Qt driver, and the connection (added with that driver) told where to go.
    virtual QString driverName() const = 0;
    virtual void configure(QSqlDatabase& db, int waitMs) const = 0;
    // Statements run once the connection is open; a failure refuses the connection.
    virtual QStringList afterOpenSql(int waitMs) const = 0;
    virtual QString waitLimitSql(int ms) const = 0;
    // Begins a write transaction, waiting up to `waitMs` for another writer; the connection's
    // own wait limit (`sessionWaitMs`) holds again for the statements that follow.
    virtual int begin(const RunSql& run, int waitMs, int sessionWaitMs,
                      StoreError& error) const = 0;
    virtual StoreError fromSqlError(const QSqlError& e) const = 0;
    // Whether the error ended the connection itself (a server restarted or gone), so that a new
    // one is needed.
    virtual bool lostConnection(const QSqlError& e) const = 0;
    // Whether the statement may be prepared and kept; others run as plain text, without binds.
    virtual bool canPrepare(const QString& sql) const = 0;
    // Whether a failed statement spoils the rest of its transaction (instead of being undone
    // alone, as on the file).
    virtual bool failedStatementEndsTransaction() const = 0;
    // One row with a number that changes whenever anyone commits a write; `attached` names an
    // attached file, empty for the main data.
    virtual QString stampSql(const QString& attached) const = 0;
    // Makes the tag table readable as `schema`.TagFile_ in queries of this connection; empty
    // when the tag file is attached as a file.
    virtual QStringList attachTagsSql(const QString& schema) const = 0;
    // Makes writing the log the way commits reach the disk (empty: nothing to do).
    virtual QString writeAheadLogSql() const = 0;

    // Catalog. tableSql(): one bind, catalogName(table); a row when the table exists.
    // columnsSql(): one bind, catalogName(table); rows of (name, "TEXT" or "INTEGER", not null)
    // in declared order. indexSql(): one bind, the index name; a row with the declaration kept
    // for it, which equals indexDeclaration() while the key is as declared.
    virtual QString tableSql() const = 0;
    virtual QString columnsSql() const = 0;
    virtual QString indexSql() const = 0;
    virtual QString indexDeclaration(const TableDef& table, int key) const = 0;
    // How the catalog spells a declared table or column name.
    virtual QString catalogName(const QString& name) const = 0;

    // What every table needs before its own statements (empty for a file).
    virtual QStringList createSchemaSql() const = 0;
    // A query of one row whose text is the mark of the schema's shared parts (functions, text
    // order, change triggers) as they were last made; empty when there is nothing to keep up to
    // date (a file). mendSchemaSql() brings a schema made by another build up to date, ending
    // with the mark schemaMark() that the query then reads.
    virtual QString schemaMarkSql() const = 0;
    virtual QStringList mendSchemaSql() const = 0;
    virtual QString schemaMark() const = 0;
    // Creating what is missing leaves what exists as it is.
    virtual QStringList createTableSql(const TableDef& table) const = 0;
    virtual QStringList createIndexSql(const TableDef& table, int key) const = 0;
    QString dropIndexSql(const TableDef& table, int key) const;

    // The column that numbers a table's records in the order they were added.
    virtual QString positionColumn() const = 0;
    // An expression (a column or a bound value) as the keys compare text: ASCII letters folded.
    virtual QString foldedColumn(const QString& expression) const = 0;
    // A key part in index and ORDER BY form.
    QString keyTerm(const TableDef& table, int column) const;
    // A text key part and a bound value in the form a comparison between them uses the index:
    // "Category" and "? COLLATE NOCASE" on the file.
    virtual QString textKeyColumn(const QString& column) const = 0;
    virtual QString textKeyMark() const = 0;
    // The stored bytes of a text key part, read beside it where text read through the driver
    // can differ from what the engine holds ("" where it keeps only valid text), and the bound
    // value that compares as those bytes (bound to KeyText::bound()).
    virtual QString keyBytesColumn(const QString& column) const = 0;
    virtual QString keyBytesMark() const = 0;
    // Told once the connection is open whether the database stores its texts as UTF-8.
    virtual void setTextsStoredAsUtf8(bool) {}
    // A condition on positions with one bound value for a whole set of them: "rowid" +
    // inPositions(), bound to positionList(positions).
    virtual QString inPositions() const = 0;
    virtual QString positionList(const std::vector<std::int64_t>& positions) const = 0;
    // Added to a table name: read it in record order, not through an index ("" when the engine
    // chooses that by itself).
    virtual QString notIndexed() const = 0;
    // Adds a record with every column bound in declared order; returns a row with its position
    // when the engine does not tell the last position otherwise.
    virtual QString insertSql(const TableDef& table) const = 0;

protected:
    // "[1,2,3]" (open '[') or "{1,2,3}".
    static QString numberList(const std::vector<std::int64_t>& numbers, QChar open, QChar close);
};

// The data file "SM" (and the tag file) on this machine.
class SqliteDialect final : public SqlDialect {
public:
    explicit SqliteDialect(QString filePath) : m_filePath(std::move(filePath)) {}

    std::unique_ptr<SqlDialect> clone() const override {
        return std::make_unique<SqliteDialect>(m_filePath);
    }

    QString driverName() const override;
    void configure(QSqlDatabase& db, int waitMs) const override;
    QStringList afterOpenSql(int waitMs) const override;
    QString waitLimitSql(int ms) const override;
    int begin(const RunSql& run, int waitMs, int sessionWaitMs, StoreError& error) const override;
    StoreError fromSqlError(const QSqlError& e) const override;
    bool lostConnection(const QSqlError&) const override { return false; }
    bool canPrepare(const QString&) const override { return true; }
    bool failedStatementEndsTransaction() const override { return false; }
    QStringList attachTagsSql(const QString&) const override { return {}; }
    QString stampSql(const QString& attached) const override;
    QString writeAheadLogSql() const override;
    QString tableSql() const override;
    QString columnsSql() const override;
    QString indexSql() const override;
    QString indexDeclaration(const TableDef& table, int key) const override;
    QString catalogName(const QString& name) const override { return name; }
    QStringList createSchemaSql() const override { return {}; }
    QString schemaMarkSql() const override { return QString(); }
    QStringList mendSchemaSql() const override { return {}; }
    QString schemaMark() const override { return QString(); }
    QStringList createTableSql(const TableDef& table) const override;
    QStringList createIndexSql(const TableDef& table, int key) const override;
    QString positionColumn() const override { return QStringLiteral("rowid"); }
    QString foldedColumn(const QString& expression) const override;
    QString textKeyColumn(const QString& column) const override { return column; }
    QString textKeyMark() const override { return QStringLiteral("? COLLATE NOCASE"); }
    QString keyBytesColumn(const QString& column) const override;
    QString keyBytesMark() const override {
        return QStringLiteral("CAST(? AS TEXT) COLLATE NOCASE");
    }
    // A file of UTF-16 texts (made by another tool) keeps no key bytes: they are not the UTF-8
    // that key texts carry, and the driver reads and binds its texts unchanged.
    void setTextsStoredAsUtf8(bool utf8) override { m_textsUtf8 = utf8; }
    QString inPositions() const override {
        return QStringLiteral(" IN (SELECT value FROM json_each(?))");
    }
    QString positionList(const std::vector<std::int64_t>& positions) const override;
    QString notIndexed() const override { return QStringLiteral(" NOT INDEXED"); }
    QString insertSql(const TableDef& table) const override;

private:
    QString m_filePath;
    bool m_textsUtf8 = true;
};

// A PostgreSQL server that several stations share. Tables and columns are named as in the file
// (unquoted, so the catalog holds them in lower case); a `pos` identity column stands in for the
// file's row numbers; keys are expression indexes over lower(text COLLATE "C"), which folds ASCII
// letters only and orders by bytes, as the file does. Each write bumps one change counter and
// notifies the channel changeChannel() when it commits.
class PostgresDialect final : public SqlDialect {
public:
    explicit PostgresDialect(ServerAddress address) : m_address(std::move(address)) {}

    static QString changeChannel() { return QStringLiteral("velatask_changes"); }

    std::unique_ptr<SqlDialect> clone() const override {
        return std::make_unique<PostgresDialect>(m_address);
    }

    QString driverName() const override;
    void configure(QSqlDatabase& db, int waitMs) const override;
    QStringList afterOpenSql(int waitMs) const override;
    QString waitLimitSql(int ms) const override;
    int begin(const RunSql& run, int waitMs, int sessionWaitMs, StoreError& error) const override;
    StoreError fromSqlError(const QSqlError& e) const override;
    bool lostConnection(const QSqlError& e) const override;
    bool canPrepare(const QString& sql) const override;
    bool failedStatementEndsTransaction() const override { return true; }
    QStringList attachTagsSql(const QString& schema) const override;
    QString stampSql(const QString& attached) const override;
    QString writeAheadLogSql() const override { return QString(); }
    QString tableSql() const override;
    QString columnsSql() const override;
    QString indexSql() const override;
    QString indexDeclaration(const TableDef& table, int key) const override;
    QString catalogName(const QString& name) const override { return name.toLower(); }
    QStringList createSchemaSql() const override;
    QString schemaMarkSql() const override;
    QStringList mendSchemaSql() const override;
    QString schemaMark() const override;
    QStringList createTableSql(const TableDef& table) const override;
    QStringList createIndexSql(const TableDef& table, int key) const override;
    QString positionColumn() const override { return QStringLiteral("pos"); }
    QString foldedColumn(const QString& expression) const override;
    QString textKeyColumn(const QString& column) const override { return foldedColumn(column); }
    QString textKeyMark() const override { return foldedColumn(QStringLiteral("?")); }
    QString keyBytesColumn(const QString&) const override { return QString(); }
    QString keyBytesMark() const override { return textKeyMark(); }
    QString inPositions() const override { return QStringLiteral(" = ANY(?::bigint[])"); }
    QString positionList(const std::vector<std::int64_t>& positions) const override;
    QString notIndexed() const override { return QString(); }
    QString insertSql(const TableDef& table) const override;

private:
    // The statements of mendSchemaSql() before the mark.
    QStringList mendingSql() const;
    QString changeTriggerSql(const QString& table) const;

    ServerAddress m_address;
};

} // namespace velatask
