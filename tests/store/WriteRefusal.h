#pragma once

#include "RawSqlite.h"
#include "ServerDatabase.h"
#include "store/Connection.h"
#include "store/SqlDialect.h"

#include <QString>

#include <memory>

namespace velatask {

// Makes the engine refuse `event` (INSERT, UPDATE or DELETE) on `table` for the rows meeting
// `when` (a condition on old. or new.; empty: every row) with `message`, as a full disk or a
// file made read only would: a trigger made behind the store's back, in `file` (the SQLite file
// that holds the table) or, given `server`, on the server. Empty when made; otherwise why not.
inline QString refuseWrites(const ServerDatabase* server, const QString& file, const QString& table,
                            const QString& event, const QString& when, const QString& message) {
    if (!server) {
        RawSqlite raw(file);
        const QString sql =
            QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON %2 %3 BEGIN "
                           "SELECT RAISE(ABORT, '%4'); END")
                .arg(event, table, when.isEmpty() ? QString() : QStringLiteral("WHEN ") + when,
                     message);
        return raw.exec(sql) ? QString() : raw.lastError();
    }
    Connection c(std::make_unique<PostgresDialect>(server->address()), QStringLiteral("server"));
    StoreError e;
    const QString statements[] = {
        QStringLiteral("CREATE OR REPLACE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                       "$$BEGIN RAISE EXCEPTION '%', TG_ARGV[0]; END$$"),
        QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON %2 FOR EACH ROW %3 EXECUTE "
                       "FUNCTION refuse('%4')")
            .arg(event, table, when.isEmpty() ? QString() : QStringLiteral("WHEN (%1)").arg(when),
                 message),
    };
    if (c.open(false, e) == 0) {
        for (const QString& sql : statements) {
            if (c.exec(sql, {}, e) != 0) {
                break;
            }
        }
    }
    return e.code == 0 ? QString() : e.driverText;
}

} // namespace velatask
