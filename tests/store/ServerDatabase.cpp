#include "ServerDatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

namespace velatask {

namespace {

// Runs one statement on the private server's own database, as its superuser.
QString onMaintenanceDatabase(const QString& sql) {
    const QString name = QUuid::createUuid().toString();
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(ServerDatabase::host());
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("postgres"));
        if (!db.open()) {
            problem = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.exec(sql)) {
                problem = q.lastError().text();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}

} // namespace

QString ServerDatabase::host() {
    return qEnvironmentVariable("VELATASK_TEST_PGHOST");
}

ServerDatabase::ServerDatabase()
    : m_name(QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128)) {
    if (host().isEmpty()) {
        m_problem = QStringLiteral("no private server");
    } else {
        m_problem = onMaintenanceDatabase(QStringLiteral("CREATE DATABASE ") + m_name);
    }
}

ServerDatabase::~ServerDatabase() {
    if (m_problem.isEmpty()) {
        onMaintenanceDatabase(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(m_name));
    }
}

QString ServerDatabase::allowConnections(bool allow) {
    return onMaintenanceDatabase(
        QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS %2")
            .arg(m_name, allow ? QStringLiteral("true") : QStringLiteral("false")));
}

QString ServerDatabase::endSessions() {
    return onMaintenanceDatabase(
        QStringLiteral("SELECT pg_terminate_backend(pid, 5000) FROM pg_stat_activity "
                       "WHERE datname = '%1'")
            .arg(m_name));
}

ServerAddress ServerDatabase::address() const {
    return {host(), 0, m_name, QStringLiteral("postgres")};
}

DialectSession::DialectSession(const SqlDialect& dialect, int waitMs)
    : m_dialect(dialect), m_name(QUuid::createUuid().toString()) {
    QSqlDatabase db = QSqlDatabase::addDatabase(dialect.driverName(), m_name);
    dialect.configure(db, waitMs);
    if (!db.open()) {
        m_problem = db.lastError().text();
        return;
    }
    const StoreError e = runAll(dialect.afterOpenSql(waitMs));
    if (e.code != 0) {
        m_problem = e.driverText;
    }
}

DialectSession::~DialectSession() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

int DialectSession::run(const QString& sql, StoreError& error, const QVariantList& binds,
                        std::vector<QVariantList>* rows) {
    error.clear();
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    q.setForwardOnly(true);
    bool ok = false;
    if (m_dialect.canPrepare(sql)) {
        ok = q.prepare(sql);
        for (int i = 0; ok && i < binds.size(); ++i) {
            q.bindValue(i, binds[i]);
        }
        ok = ok && q.exec();
    } else {
        ok = q.exec(sql);
    }
    if (!ok) {
        error = m_dialect.fromSqlError(q.lastError());
        return error.code;
    }
    while (rows && q.next()) {
        QVariantList r;
        for (int i = 0; i < q.record().count(); ++i) {
            r.push_back(q.value(i));
        }
        rows->push_back(r);
    }
    return 0;
}

QVariant DialectSession::value(const QString& sql, const QVariantList& binds) {
    std::vector<QVariantList> rows;
    StoreError e;
    if (run(sql, e, binds, &rows) != 0 || rows.empty() || rows.front().isEmpty()) {
        return QVariant();
    }
    return rows.front().front();
}

StoreError DialectSession::runAll(const QStringList& statements) {
    StoreError e;
    for (const QString& sql : statements) {
        if (run(sql, e) != 0) {
            e.driverText += QStringLiteral(" in: ") + sql;
            break;
        }
    }
    return e;
}

SqlDialect::RunSql DialectSession::runner() {
    return [this](const QString& sql, StoreError& error) { return run(sql, error); };
}

} // namespace velatask
