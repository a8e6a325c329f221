#pragma once

#include <QString>
#include <QVariantList>

#include <vector>

namespace velatask {

struct TableDef;

// A connection of its own to a SQLite file, for tests that read or damage what the store
// wrote behind its back.
class RawSqlite {
public:
    explicit RawSqlite(const QString& filePath);
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;

    // Runs a statement; returns false on failure (the message is in lastError()).
    bool exec(const QString& sql, const QVariantList& binds = {});
    // All rows of a query.
    std::vector<QVariantList> rows(const QString& sql, const QVariantList& binds = {});
    // The first column of the first row.
    QVariant value(const QString& sql, const QVariantList& binds = {});
    QString lastError() const { return m_lastError; }

    // Makes the table (again), empty, with its keys; `allowNull` lets every column hold NULL, as
    // another tool may have made it. False on failure (the message is in lastError()).
    bool remake(const TableDef& table, bool allowNull);

private:
    QString m_name;
    QString m_lastError;
};

} // namespace velatask
