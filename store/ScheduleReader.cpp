#include "store/ScheduleReader.h"

#include "store/Connection.h"
#include "store/EngineStatement.h"
#include "store/FilterSql.h"
#include "store/KeysetSql.h"
#include "store/RecordCodec.h"
#include "store/SqlDialect.h"
#include "store/Store.h"
#include "store/StoredRows.h"
#include "store/StoredValue.h"
#include "store/TableDef.h"

#include <QStringList>

namespace velatask {

namespace {

const TableDef& schedule() {
    return TableDef::schedule();
}

// The columns of one row of the engine's statement, from `first` on, as record fields read
// them. Integers and texts, what the store itself writes, are taken as they are; anything else
// (from another tool) goes the driver's way, so that it reads the same on every path.
class EngineFields {
public:
    EngineFields(const EngineStatement& statement, int first)
        : m_statement(statement), m_columns(schedule().columns), m_column(first) {}

    qlonglong number() {
        const ColumnDef& def = m_columns[size_t(m_at++)];
        const EngineStatement::Value value = m_statement.column(m_column++);
        switch (value.type()) {
        case EngineStatement::Type::Integer:
            return StoredValue::numberForRead(value.integer(), def);
        case EngineStatement::Type::Null:
            return 0;
        default:
            return StoredValue::forRead(value.variant(), def).toLongLong();
        }
    }
    void text(QString& into) {
        const ColumnDef& def = m_columns[size_t(m_at++)];
        const EngineStatement::Value value = m_statement.column(m_column++);
        switch (value.type()) {
        case EngineStatement::Type::Text:
            value.text(into);
            StoredValue::fitForRead(into, def);
            break;
        case EngineStatement::Type::Null:
            into.resize(0);
            break;
        default:
            into = StoredValue::forRead(value.variant(), def).toString();
        }
    }
    void text(StoredRows& into) {
        const EngineStatement::Value value = m_statement.column(m_column);
        if (value.type() == EngineStatement::Type::Text) {
            // Bytes that are not UTF-8 are decoded as text() decodes them.
            if (QByteArrayView bytes = value.bytes(); StoredRows::isUtf8(bytes)) {
                StoredValue::fitForRead(bytes, m_columns[size_t(m_at++)]);
                ++m_column;
                into.addText(bytes);
                return;
            }
        }
        QString t;
        text(t);
        into.addText(t);
    }

private:
    const EngineStatement& m_statement;
    const std::vector<ColumnDef>& m_columns;
    int m_column;
    int m_at = 0;
};

// A page of records, read into again: their texts keep their memory.
class RecordPage {
public:
    explicit RecordPage(std::vector<ScheduleRecord>& out) : m_out(out) {}
    void begin() {}
    void clear() { m_out.clear(); }
    template <class Fields> void add(Fields& fields, size_t n) {
        if (n == m_out.size()) {
            m_out.emplace_back();
        }
        RecordCodec::readSchedule(fields, m_out[n], schedule());
    }
    void end(size_t n) { m_out.resize(n); }
    void last(ScheduleRecord& r) const { r = m_out.back(); }

private:
    std::vector<ScheduleRecord>& m_out;
};

// A page of stored rows: each column in order, texts as UTF-8 from the row itself where they
// are UTF-8 already.
class RowPage {
public:
    explicit RowPage(StoredRows& out) : m_out(out) {}
    void begin() { m_out.clear(); }
    void clear() { m_out.clear(); }
    template <class Fields> void add(Fields& fields, size_t) {
        for (const ColumnDef& c : schedule().columns) {
            if (c.type == ColumnType::Text) {
                fields.text(m_out);
            } else {
                m_out.addNumber(fields.number());
            }
        }
    }
    void end(size_t) {}
    void last(ScheduleRecord& r) const { m_out.record(m_out.size() - 1, r); }

private:
    StoredRows& m_out;
};

// The columns of a driver's row, already as record fields read them.
class DriverFields {
public:
    DriverFields(const QVariantList& row, int first) : m_row(row), m_column(first) {}
    qlonglong number() { return m_row.value(m_column++).toLongLong(); }
    void text(QString& into) { into = m_row.value(m_column++).toString(); }
    void text(StoredRows& into) { into.addText(m_row.value(m_column++).toString()); }

private:
    const QVariantList& m_row;
    int m_column;
};

} // namespace

ScheduleReader::ScheduleReader(Store& store, ScheduleKey order)
    : m_store(store), m_connection(&store.dataConnection()), m_key(int(order)) {}

ScheduleReader::ScheduleReader(Store& store, ScheduleKey order, Connection& connection)
    : m_store(store), m_connection(&connection), m_key(int(order)), m_ownConnection(true) {}

void ScheduleReader::setRecordOrder() {
    m_key = -1;
    rewind();
}

int ScheduleReader::setFilter(const Filter& filter) {
    FilterSql sql(schedule(), m_connection->dialect());
    SqlParts parts;
    StoreError e;
    if (sql.render(filter, parts, e) == 0 && sql.readsTags()) {
        e.code = StoreCode::DriverError;
        e.driverCode = 1;
        e.driverText = QStringLiteral("a tag condition is read through a window cursor");
    }
    if (e.code == 0) {
        m_filter = filter;
        rewind();
    }
    return finish(e);
}

void ScheduleReader::rewind() {
    m_started = false;
    m_position = 0;
    m_anchor.clear();
}

int ScheduleReader::finish(const StoreError& error) {
    m_error = error;
    if (error.code != 0 && !m_ownConnection) {
        m_store.setLastError(error);
    }
    return error.code;
}

// "SELECT rowid, <key components>, <every column> FROM Schedule WHERE ... ORDER BY ... LIMIT ?"
QString ScheduleReader::sql(SqlParts& parts) const {
    const KeysetSql keyset(schedule(), m_key, m_connection->dialect());
    keyset.present(parts);
    StoreError unused;
    FilterSql(schedule(), m_connection->dialect()).render(m_filter, parts, unused);
    if (m_started) {
        keyset.beyond(m_anchor, m_position, +1, false,
                      m_connection->mayHoldNull(schedule().table), parts);
    }
    QStringList select{m_connection->dialect().positionColumn()};
    for (int i = 0; i < keyset.componentCount(); ++i) {
        select << schedule().columns[size_t(keyset.column(i))].name;
    }
    for (const ColumnDef& c : schedule().columns) {
        select << c.name;
    }
    for (int i : keyset.bytesComponents()) {
        select << keyset.bytesColumn(i);
    }
    return QStringLiteral("SELECT %1 FROM %2").arg(select.join(", "), schedule().table) +
           parts.whereClause() + keyset.orderBy(+1) + QStringLiteral(" LIMIT ?");
}

int ScheduleReader::next(int count, std::vector<ScheduleRecord>& out) {
    RecordPage page(out);
    return read(count, page);
}

int ScheduleReader::next(int count, StoredRows& out) {
    RowPage page(out);
    return read(count, page);
}

template <class Page> int ScheduleReader::read(int count, Page& out) {
    if ((!m_ownConnection && m_store.stopped()) || !m_connection->isOpen()) {
        out.clear();
        return finish(makeStoreError(StoreCode::NotOpen));
    }
    SqlParts parts;
    const QString text = sql(parts);
    QVariantList binds = parts.binds;
    binds << qlonglong(std::max(count, 0));
    bool engine = false;
    if (!m_driverReads) {
        if (const int code = readEngine(text, binds, out, engine); engine) {
            return code;
        }
    }
    return readDriver(text, binds, out);
}

template <class Page>
int ScheduleReader::readEngine(const QString& sql, const QVariantList& binds, Page& out,
                               bool& engine) {
    StoreError e;
    EngineStatement* s = m_connection->engineStatement(sql, e);
    engine = s != nullptr || e.code != 0;
    if (!s) {
        out.clear();
        return finish(e);
    }
    for (int i = 0; i < binds.size(); ++i) {
        s->bind(i, binds[i]);
    }
    const int keys =
        KeysetSql(schedule(), m_key, m_connection->dialect()).componentCount();
    const size_t count = size_t(binds.back().toLongLong());
    size_t n = 0;
    std::int64_t position = 0;
    out.begin();
    while (s->step(e)) {
        position = s->column(0).integer();
        if (n + 1 == count) {
            s->keep(1, keys); // the last row of a full page
        }
        EngineFields fields(*s, 1 + keys);
        out.add(fields, n++);
    }
    s->reset();
    out.end(n);
    if (e.code != 0) {
        out.clear();
        return finish(e);
    }
    if (n == 0) {
        return finish({});
    }
    m_started = true;
    m_position = position;
    const KeysetSql keyset(schedule(), m_key, m_connection->dialect());
    const std::vector<int> bytes = keyset.bytesComponents();
    if (n == count) {
        QVariantList texts;
        for (int i : bytes) {
            const QByteArray text = s->keptText(i);
            texts << (text.isNull() ? QVariant() : QVariant(text));
        }
        m_anchor = s->kept();
        for (size_t b = 0; b < bytes.size(); ++b) {
            KeysetSql::takeBytes(texts[b], m_anchor[bytes[b]]);
        }
        return finish({});
    }
    // The end was reached: the last row's key values as stored, for a later read of rows added
    // since; those of its record when it has gone meanwhile.
    QStringList names;
    for (int i = 0; i < keys; ++i) {
        names << schedule().columns[size_t(keyset.column(i))].name;
    }
    for (int i : bytes) {
        names << keyset.bytesColumn(i);
    }
    std::vector<Connection::Row> rows;
    if (keys > 0 &&
        m_connection->exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                          .arg(names.join(", "), schedule().table,
                                               m_connection->dialect().positionColumn()),
                                      {qlonglong(position)}, e, &rows) != 0) {
        return finish(e);
    }
    m_anchor.clear();
    if (!rows.empty()) {
        m_anchor = rows.front().mid(0, keys);
        for (size_t b = 0; b < bytes.size(); ++b) {
            KeysetSql::takeBytes(rows.front().value(keys + int(b)), m_anchor[bytes[b]]);
        }
    } else if (keys > 0) {
        ScheduleRecord last;
        out.last(last);
        const QVariantList row = RecordCodec::toRow(last, schedule());
        for (int i = 0; i < keys; ++i) {
            m_anchor << row.value(keyset.column(i));
        }
    }
    return finish({});
}

template <class Page>
int ScheduleReader::readDriver(const QString& sql, const QVariantList& binds, Page& out) {
    out.clear();
    std::vector<Connection::Row> rows;
    StoreError e;
    if (m_connection->exec(sql, binds, e, &rows) != 0) {
        return finish(e);
    }
    const KeysetSql keyset(schedule(), m_key, m_connection->dialect());
    const int keys = keyset.componentCount();
    size_t n = 0;
    for (Connection::Row& r : rows) {
        for (size_t c = 0; c < schedule().columns.size(); ++c) {
            r[1 + keys + int(c)] =
                StoredValue::forRead(r[1 + keys + int(c)], schedule().columns[c]);
        }
        DriverFields fields(r, 1 + keys);
        out.add(fields, n++);
    }
    out.end(n);
    if (!rows.empty()) {
        m_started = true;
        m_position = rows.back().value(0).toLongLong();
        m_anchor = rows.back().mid(1, keys);
        const std::vector<int> bytes = keyset.bytesComponents();
        const int after = 1 + keys + int(schedule().columns.size());
        for (size_t b = 0; b < bytes.size(); ++b) {
            KeysetSql::takeBytes(rows.back().value(after + int(b)), m_anchor[bytes[b]]);
        }
    }
    return finish({});
}

} // namespace velatask
