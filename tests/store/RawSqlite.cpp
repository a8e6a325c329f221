#include "RawSqlite.h"

#include "store/TableDef.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

namespace velatask {

RawSqlite::RawSqlite(const QString& filePath) : m_name(QUuid::createUuid().toString()) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(filePath);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    db.open();
}

RawSqlite::~RawSqlite() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

std::vector<QVariantList> RawSqlite::rows(const QString& sql, const QVariantList& binds) {
    std::vector<QVariantList> out;
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    q.prepare(sql);
    for (int i = 0; i < binds.size(); ++i) {
        q.bindValue(i, binds[i]);
    }
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return out;
    }
    m_lastError.clear();
    while (q.next()) {
        QVariantList r;
        for (int i = 0; i < q.record().count(); ++i) {
            r << q.value(i);
        }
        out.push_back(r);
    }
    return out;
}

bool RawSqlite::exec(const QString& sql, const QVariantList& binds) {
    rows(sql, binds);
    return m_lastError.isEmpty();
}

QVariant RawSqlite::value(const QString& sql, const QVariantList& binds) {
    const auto r = rows(sql, binds);
    return r.empty() || r.front().isEmpty() ? QVariant() : r.front().front();
}

bool RawSqlite::remake(const TableDef& table, bool allowNull) {
    QString create = table.createTableSql();
    if (allowNull) {
        create.replace(QStringLiteral(" NOT NULL DEFAULT ''"), QString())
            .replace(QStringLiteral(" NOT NULL DEFAULT 0"), QString());
    }
    if (!exec(QStringLiteral("DROP TABLE IF EXISTS ") + table.table) || !exec(create)) {
        return false;
    }
    for (int k = 0; k < int(table.keys.size()); ++k) {
        if (!exec(table.createIndexSql(k))) {
            return false;
        }
    }
    return true;
}

} // namespace velatask
