#include "store/ServerCopy.h"

#include "store/Connection.h"
#include "store/SqlDialect.h"
#include "store/TableDef.h"
#include "store/TableOpener.h"

#include <QStringList>

#include <vector>

namespace velatask {

namespace {

// Records read from a file, and written to the server, per statement.
constexpr int kPage = 2000;

const std::vector<const TableDef*>& dataTables() {
    static const std::vector<const TableDef*> tables{&TableDef::schedule(), &TableDef::history(),
                                                     &TableDef::categories(), &TableDef::toDo(),
                                                     &TableDef::scripting()};
    return tables;
}

QString columnList(const TableDef& table) {
    QStringList names;
    for (const ColumnDef& c : table.columns) {
        names << c.name;
    }
    return names.join(QStringLiteral(", "));
}

// "INSERT INTO T (pos, ...) OVERRIDING SYSTEM VALUE SELECT * FROM unnest(?::bigint[], ...)":
// one array of values per column, so that a page of records is one short statement; the server
// takes the file's positions instead of numbering the records itself.
QString insertSql(const TableDef& table, const QString& position) {
    QStringList arrays{QStringLiteral("?::bigint[]")};
    for (const ColumnDef& c : table.columns) {
        arrays << (c.type == ColumnType::Text ? QStringLiteral("?::text[]")
                                              : QStringLiteral("?::bigint[]"));
    }
    return QStringLiteral(
               "INSERT INTO %1 (%2, %3) OVERRIDING SYSTEM VALUE SELECT * FROM unnest(%4)")
        .arg(table.table, position, columnList(table), arrays.join(QStringLiteral(", ")));
}

// The server's text form of an array of one column's values: texts quoted, with backslashes and
// quotes escaped; a missing value (a file written by another tool) as NULL, which the server's
// NOT NULL then refuses.
QString arrayOf(const std::vector<Connection::Row>& rows, int column) {
    QString out(QLatin1Char('{'));
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            out += QLatin1Char(',');
        }
        const QVariant& v = rows[i][column];
        if (v.isNull()) {
            out += QStringLiteral("NULL");
            continue;
        }
        QString text = v.toString();
        text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        text.replace(QLatin1Char('"'), QStringLiteral("\\\""));
        out += QLatin1Char('"') + text + QLatin1Char('"');
    }
    return out + QLatin1Char('}');
}

int fail(StoreError& error, int code, const QString& why) {
    error = makeStoreError(code);
    error.driverCode = 1;
    error.driverText = why;
    return code;
}

} // namespace

int ServerCopy::run(StoreError& error, const std::function<void(std::int64_t)>& progress) {
    error.clear();
    m_copied = 0;
    m_perTable.clear();
    std::vector<const TableDef*> all = dataTables();
    all.push_back(&TableDef::tagFile_());
    for (const TableDef* table : all) {
        if (TableOpener::create(m_server, *table, error) != 0) {
            return error.code;
        }
    }
    if (m_server.begin(m_server.waitLimit(), error) != 0) {
        return error.code;
    }
    auto abandon = [&] {
        const StoreError keep = error;
        m_server.rollback();
        error = keep;
        return error.code;
    };
    for (const TableDef* table : {&TableDef::schedule(), &TableDef::history()}) {
        std::vector<Connection::Row> rows;
        if (m_server.exec(QStringLiteral("SELECT count(*) FROM %1").arg(table->table), {}, error,
                          &rows) != 0) {
            return abandon();
        }
        if (!rows.empty() && rows.front().value(0).toLongLong() > 0) {
            fail(error, StoreCode::DuplicateKey,
                 QStringLiteral("the server already holds tasks in %1").arg(table->table));
            return abandon();
        }
    }
    for (const TableDef* table : all) {
        Connection& from = table->tagFile ? m_tags : m_data;
        const std::int64_t before = m_copied;
        if (copyTable(from, *table, error, progress) != 0) {
            return abandon();
        }
        m_perTable.emplace_back(table->table, m_copied - before);
    }
    return m_server.commit(error) == 0 ? 0 : abandon();
}

int ServerCopy::copyTable(Connection& from, const TableDef& table, StoreError& error,
                          const std::function<void(std::int64_t)>& progress) {
    if (!from.isOpen() && !from.fileExists()) {
        return 0;
    }
    if (!from.isOpen() && from.open(false, error) != 0) {
        return error.code;
    }
    std::vector<Connection::Row> present;
    if (from.exec(from.dialect().tableSql(), {from.dialect().catalogName(table.table)}, error,
                  &present) != 0) {
        return error.code;
    }
    if (present.empty()) {
        return 0;
    }
    // The keys are made again once the records are in: sorting them all at once is much faster
    // than adding each record to every index.
    const SqlDialect& server = m_server.dialect();
    for (int k = 0; k < int(table.keys.size()); ++k) {
        if (m_server.exec(server.dropIndexSql(table, k), {}, error) != 0) {
            return error.code;
        }
    }
    const QString position = server.positionColumn();
    const QString read = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid > ? ORDER BY rowid "
                                        "LIMIT %3")
                             .arg(columnList(table), table.table)
                             .arg(kPage);
    const QString insert = insertSql(table, position);
    qlonglong last = 0;
    for (;;) {
        std::vector<Connection::Row> rows;
        if (from.exec(read, {last}, error, &rows) != 0) {
            return error.code;
        }
        if (rows.empty()) {
            break;
        }
        last = rows.back().value(0).toLongLong();
        QVariantList binds;
        for (int c = 0; c <= int(table.columns.size()); ++c) {
            binds << arrayOf(rows, c);
        }
        if (m_server.exec(insert, binds, error) != 0) {
            return error.code;
        }
        m_copied += qint64(rows.size());
        if (progress) {
            progress(m_copied);
        }
    }
    for (int k = 0; k < int(table.keys.size()); ++k) {
        for (const QString& sql : server.createIndexSql(table, k)) {
            if (m_server.exec(sql, {}, error) != 0) {
                return error.code;
            }
        }
    }
    // Records added on the server later are numbered after the copied ones.
    return m_server.exec(
        QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), max(%2)) FROM %1 "
                       "HAVING count(*) > 0")
            .arg(server.catalogName(table.table), position),
        {}, error);
}

} // namespace velatask
