#pragma once

#include "store/SqlDialect.h"

#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

namespace velatask {

// A database of its own on the private server that the test command starts (its socket folder
// in VELATASK_TEST_PGHOST), dropped again at the end.
class ServerDatabase {
public:
    // The socket folder; empty when no private server runs (the tests that need one skip).
    static QString host();

    ServerDatabase();
    ~ServerDatabase();
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    // Empty when the database was made; otherwise why not.
    QString problem() const { return m_problem; }
    ServerAddress address() const;
    // Lets new connections in, or refuses them as a server that is down does; empty when done.
    QString allowConnections(bool allow);
    // Ends every session on the database, as a restart of the server does; empty when done.
    QString endSessions();

private:
    QString m_name;
    QString m_problem;
};

// One connection opened through a dialect, running statements as the store does: prepared when
// the dialect allows it, errors read through the dialect.
class DialectSession {
public:
    explicit DialectSession(const SqlDialect& dialect, int waitMs = 2000);
    ~DialectSession();
    DialectSession(const DialectSession&) = delete;
    DialectSession& operator=(const DialectSession&) = delete;

    // Empty when open; otherwise the engine's message.
    QString problem() const { return m_problem; }
    QString connectionName() const { return m_name; }

    int run(const QString& sql, StoreError& error, const QVariantList& binds = {},
            std::vector<QVariantList>* rows = nullptr);
    // The first column of the first row; invalid on failure or no row.
    QVariant value(const QString& sql, const QVariantList& binds = {});
    // Runs the statements in order; the first failure ends it, and its error is returned.
    StoreError runAll(const QStringList& statements);
    SqlDialect::RunSql runner();

private:
    const SqlDialect& m_dialect;
    QString m_name;
    QString m_problem;
};

} // namespace velatask
