#include "store/FilterSql.h"
#include "store/SqlDialect.h"
#include "store/TableDef.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>

namespace velatask {

namespace {

// The lock that write transactions take first, so that writers queue as on the file instead of
// meeting later on rows they both want.
constexpr int kWriterLock = 0x56454c41;

QString quoted(QString text) {
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

} // namespace

QString PostgresDialect::driverName() const {
    return QStringLiteral("QPSQL");
}

void PostgresDialect::configure(QSqlDatabase& db, int) const {
    if (!m_address.host.isEmpty()) {
        db.setHostName(m_address.host);
    }
    if (m_address.port > 0) {
        db.setPort(m_address.port);
    }
    db.setDatabaseName(m_address.name);
    db.setUserName(m_address.user);
    db.setConnectOptions(QStringLiteral("connect_timeout=10"));
}

QStringList PostgresDialect::afterOpenSql(int waitMs) const {
    // Notices ("already exists, skipping") would go to standard error.
    return {QStringLiteral("SET client_min_messages = warning"), waitLimitSql(waitMs)};
}

QString PostgresDialect::waitLimitSql(int ms) const {
    return QStringLiteral("SET lock_timeout = %1").arg(ms);
}

int PostgresDialect::begin(const RunSql& run, int waitMs, int sessionWaitMs,
                           StoreError& error) const {
    if (run(QStringLiteral("BEGIN"), error) != 0) {
        return error.code;
    }
    // SET LOCAL ends with the transaction, so a roll back cannot bring back the longer wait.
    const QStringList steps{
        QStringLiteral("SET LOCAL lock_timeout = %1").arg(waitMs),
        QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriterLock),
        QStringLiteral("SET LOCAL lock_timeout = %1").arg(sessionWaitMs),
    };
    for (const QString& sql : steps) {
        if (run(sql, error) != 0) {
            const StoreError keep = error;
            StoreError ignored;
            run(QStringLiteral("ROLLBACK"), ignored);
            error = keep;
            return error.code;
        }
    }
    return 0;
}

StoreError PostgresDialect::fromSqlError(const QSqlError& e) const {
    StoreError out;
    // The server's states are five characters, not numbers: the text carries the state.
    const QString state = e.nativeErrorCode();
    QString text = (e.databaseText().isEmpty() ? e.driverText() : e.databaseText()).trimmed();
    if (!state.isEmpty()) {
        // The server's own message, without its severity and the lines of detail and context
        // that follow it (the client library's messages stay whole: their hints help).
        static const QRegularExpression severity(QStringLiteral("^(ERROR|FATAL|PANIC):\\s+"));
        text = text.section(QLatin1Char('\n'), 0, 0).remove(severity);
    } else {
        // Its lines are indented by tabs for a terminal; a message box wraps them itself.
        text = text.simplified();
    }
    out.driverCode = 1;
    const QString mark = QStringLiteral("(%1)").arg(state);
    out.driverText = state.isEmpty() || text.endsWith(mark) ? text : text + QLatin1Char(' ') + mark;
    if (state == QLatin1String("55P03") || state == QLatin1String("40P01")) {
        out.code = StoreCode::IsLocked; // lock wait ran out; deadlock broken by the server
    } else if (state == QLatin1String("23505")) {
        out.code = StoreCode::DuplicateKey;
    } else if (state == QLatin1String("42P01")) {
        out.code = StoreCode::FileNotFound; // the opener creates a missing table
    } else {
        out.code = StoreCode::DriverError;
    }
    if (out.code != StoreCode::DriverError) {
        out.text = storeErrorText(out.code);
    }
    return out;
}

bool PostgresDialect::lostConnection(const QSqlError& e) const {
    // The client library's own failures (the socket closed, no answer) carry no state; class 08
    // is a failed connection, 57P01 to 57P03 a server shutting down or starting.
    const QString state = e.nativeErrorCode();
    return e.isValid() && (state.isEmpty() || state.startsWith(QLatin1String("08")) ||
                           state.startsWith(QLatin1String("57P0")));
}

bool PostgresDialect::canPrepare(const QString& sql) const {
    // The server prepares queries and changes of rows only: not transaction control, settings
    // or changes of the schema.
    static const QStringList preparable{QStringLiteral("SELECT"), QStringLiteral("INSERT"),
                                        QStringLiteral("UPDATE"), QStringLiteral("DELETE"),
                                        QStringLiteral("WITH"),   QStringLiteral("VALUES")};
    const QString text = sql.trimmed();
    qsizetype n = 0;
    while (n < text.size() && text[n].isLetter()) {
        ++n;
    }
    return preparable.contains(text.left(n).toUpper());
}

QString PostgresDialect::stampSql(const QString&) const {
    // The tag table lives with the others, under the same counter.
    return QStringLiteral("SELECT n FROM velatask_changes");
}

QStringList PostgresDialect::attachTagsSql(const QString& schema) const {
    // The tag table lives with the others; a view gives it the name the queries use.
    return {
        QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(schema),
        QStringLiteral("CREATE OR REPLACE VIEW %1.TagFile_ AS SELECT * FROM TagFile_").arg(schema)};
}

QString PostgresDialect::tableSql() const {
    return QStringLiteral("SELECT table_name FROM information_schema.tables "
                          "WHERE table_schema = current_schema() AND table_name = ?");
}

QString PostgresDialect::columnsSql() const {
    return QStringLiteral(
        "SELECT column_name, CASE data_type WHEN 'bigint' THEN 'INTEGER' WHEN 'text' THEN 'TEXT' "
        "ELSE upper(data_type) END, is_nullable = 'NO' FROM information_schema.columns "
        "WHERE table_schema = current_schema() AND table_name = ? AND column_name <> 'pos' "
        "ORDER BY ordinal_position");
}

QString PostgresDialect::indexSql() const {
    // The server keeps an index in its own words; the declaration it was made from is kept as
    // the index's comment.
    return QStringLiteral("SELECT obj_description(c.oid, 'pg_class') FROM pg_class c "
                          "JOIN pg_namespace n ON n.oid = c.relnamespace "
                          "WHERE c.relkind = 'i' AND n.nspname = current_schema() "
                          "AND c.relname = ?");
}

QString PostgresDialect::indexDeclaration(const TableDef& table, int key) const {
    const KeyDef& kd = table.keys[key];
    QStringList terms;
    for (int c : kd.columns) {
        terms << keyTerm(table, c);
    }
    // Equal values come in the order they were added, as with the file's row numbers; a unique
    // key has no equal values.
    if (!kd.unique) {
        terms << positionColumn();
    }
    QString sql = QStringLiteral("CREATE %1INDEX \"%2\" ON %3 (%4)")
                      .arg(kd.unique ? QStringLiteral("UNIQUE ") : QString(), table.indexName(key),
                           table.table, terms.join(QStringLiteral(", ")));
    const QString condition = table.presentCondition(key);
    if (!condition.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + condition;
    }
    return sql;
}

QStringList PostgresDialect::createSchemaSql() const {
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS velatask_changes (n bigint NOT NULL)"),
        QStringLiteral("INSERT INTO velatask_changes (n) SELECT 0 "
                       "WHERE NOT EXISTS (SELECT 1 FROM velatask_changes)"),
        QStringLiteral("CREATE OR REPLACE FUNCTION velatask_note_change() RETURNS trigger "
                       "LANGUAGE plpgsql AS $$BEGIN UPDATE velatask_changes SET n = n + 1; "
                       "PERFORM pg_notify('%1', ''); RETURN NULL; END$$")
            .arg(changeChannel()),
        // The filter functions of the file, with the same names and results: text folded
        // (trailing blanks dropped; 2: leading blanks too; 1: capitals with the full Unicode
        // mapping, "ß" to "SS", through the server's ICU), text matches (0 begins,
        // 1 ends, 2 contains) and the parts of the program's day numbers (0 year, 1 month, 2 day;
        // every fourth year a leap year but 1900).
        QStringLiteral("CREATE OR REPLACE FUNCTION velatask_fold(t text, mode bigint) RETURNS text "
                       "LANGUAGE sql IMMUTABLE AS $$SELECT CASE WHEN mode & 1 <> 0 THEN "
                       "upper(f COLLATE \"und-x-icu\") ELSE f END "
                       "FROM (SELECT CASE WHEN mode & 2 <> 0 THEN ltrim(rtrim(t, ' '), ' ') "
                       "ELSE rtrim(t, ' ') END AS f) AS folded$$"),
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION velatask_match(t text, needle text, how bigint, "
            "mode bigint) RETURNS integer LANGUAGE sql IMMUTABLE AS $$SELECT CASE how "
            "WHEN 0 THEN starts_with(f, needle) WHEN 1 THEN right(f, length(needle)) = needle "
            "ELSE strpos(f, needle) > 0 END::integer FROM (SELECT velatask_fold(t, mode) AS f) "
            "AS folded$$"),
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION velatask_year_start(y bigint) RETURNS bigint "
            "LANGUAGE sql IMMUTABLE AS $$SELECT floor((y - 1801) * 1461 / 4.0)::bigint + 4 "
            "- CASE WHEN y > 1900 THEN 1 ELSE 0 END$$"),
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION velatask_datepart(d bigint, part bigint) "
            "RETURNS integer LANGUAGE plpgsql IMMUTABLE AS $$DECLARE y bigint; doy bigint; "
            "m integer := 1; len integer; BEGIN "
            "IF d IS NULL OR d = 0 OR d < -2147483648 OR d > 2147483647 THEN RETURN NULL; END IF; "
            "y := 1801 + floor((d - 4) * 4 / 1461.0)::bigint; "
            "WHILE velatask_year_start(y) > d LOOP y := y - 1; END LOOP; "
            "WHILE velatask_year_start(y + 1) <= d LOOP y := y + 1; END LOOP; "
            "IF part = 0 THEN RETURN y; END IF; "
            "doy := d - velatask_year_start(y); "
            "LOOP len := CASE WHEN m = 2 THEN CASE WHEN y % 4 = 0 AND y <> 1900 THEN 29 "
            "ELSE 28 END WHEN m IN (4, 6, 9, 11) THEN 30 ELSE 31 END; "
            "EXIT WHEN m = 12 OR doy < len; doy := doy - len; m := m + 1; END LOOP; "
            "RETURN CASE WHEN part = 1 THEN m ELSE doy + 1 END; END$$"),
    };
}

QStringList PostgresDialect::createTableSql(const TableDef& table) const {
    QStringList parts{positionColumn() +
                      QStringLiteral(" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY")};
    for (const ColumnDef& c : table.columns) {
        // Text compares by its bytes, as on the file, whatever the server's own language.
        parts << c.name + (c.type == ColumnType::Text
                               ? QStringLiteral(" text COLLATE \"C\" NOT NULL DEFAULT ''")
                               : QStringLiteral(" bigint NOT NULL DEFAULT 0"));
    }
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
            .arg(table.table, parts.join(QStringLiteral(", "))),
        changeTriggerSql(table.table),
    };
}

QString PostgresDialect::changeTriggerSql(const QString& table) const {
    return QStringLiteral("CREATE OR REPLACE TRIGGER velatask_changes AFTER INSERT OR UPDATE OR "
                          "DELETE OR TRUNCATE ON %1 FOR EACH STATEMENT EXECUTE FUNCTION "
                          "velatask_note_change()")
        .arg(table);
}

QString PostgresDialect::schemaMarkSql() const {
    // Never fails: no counter table reads as no mark.
    return QStringLiteral("SELECT obj_description(to_regclass('velatask_changes'), 'pg_class')");
}

QStringList PostgresDialect::mendingSql() const {
    // Tables made by older builds compare text in the server's language and may miss the
    // trigger; the view of the tag table holds its columns, so it is made again around a change
    // of their order.
    QStringList tables;
    for (const TableDef* t : {&TableDef::schedule(), &TableDef::history(), &TableDef::categories(),
                              &TableDef::toDo(), &TableDef::scripting(), &TableDef::tagFile_()}) {
        tables << quoted(catalogName(t->table));
    }
    const QString tagTable = catalogName(TableDef::tagFile_().table);
    const QString tagSchema = QLatin1String(FilterSql::kTagSchema);
    const QString tagView = QStringLiteral("%1.%2").arg(tagSchema, tagTable);
    const QString trigger = changeTriggerSql(QStringLiteral("%I"));
    const QString mend =
        QStringLiteral(
            "DO $$DECLARE c record; t text; BEGIN "
            "FOR c IN SELECT table_name, column_name FROM information_schema.columns "
            "WHERE table_schema = current_schema() AND table_name IN (%1) "
            "AND data_type = 'text' AND collation_name IS DISTINCT FROM 'C' LOOP "
            "IF c.table_name = '%2' THEN DROP VIEW IF EXISTS %3; END IF; "
            "EXECUTE format('ALTER TABLE %I ALTER COLUMN %I TYPE text COLLATE \"C\"', "
            "c.table_name, c.column_name); END LOOP; "
            "FOR t IN SELECT table_name FROM information_schema.tables "
            "WHERE table_schema = current_schema() AND table_name IN (%1) LOOP "
            "EXECUTE format(%4, t); END LOOP; "
            "IF to_regclass('%2') IS NOT NULL AND to_regnamespace('%5') IS NOT NULL THEN "
            "CREATE OR REPLACE VIEW %3 AS SELECT * FROM %2; END IF; END$$")
            .arg(tables.join(QStringLiteral(", ")), tagTable, tagView, quoted(trigger), tagSchema);
    return createSchemaSql() << mend;
}

QString PostgresDialect::schemaMark() const {
    const QByteArray all = mendingSql().join(QLatin1Char('\n')).toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(all, QCryptographicHash::Sha256).toHex().left(16));
}

QStringList PostgresDialect::mendSchemaSql() const {
    return mendingSql()
           << QStringLiteral("COMMENT ON TABLE velatask_changes IS %1").arg(quoted(schemaMark()));
}

QStringList PostgresDialect::createIndexSql(const TableDef& table, int key) const {
    const QString declaration = indexDeclaration(table, key);
    QString create = declaration;
    create.replace(QStringLiteral("INDEX \""), QStringLiteral("INDEX IF NOT EXISTS \""));
    return {create, QStringLiteral("COMMENT ON INDEX \"%1\" IS %2")
                        .arg(table.indexName(key), quoted(declaration))};
}

QString PostgresDialect::positionList(const std::vector<std::int64_t>& positions) const {
    return numberList(positions, QLatin1Char('{'), QLatin1Char('}')); // an array literal
}

QString PostgresDialect::insertSql(const TableDef& table) const {
    // The driver cannot tell the position of an added row.
    return table.insertSql() + QStringLiteral(" RETURNING ") + positionColumn();
}

QString PostgresDialect::foldedColumn(const QString& expression) const {
    return QStringLiteral("lower(%1 COLLATE \"C\")").arg(expression);
}

} // namespace velatask
