#include "store/WindowCursor.h"

#include "store/Connection.h"
#include "store/FilterSql.h"
#include "store/KeysetSql.h"
#include "store/RecordCodec.h"
#include "store/ScrollSample.h"
#include "store/SqlDialect.h"
#include "store/SqlOrder.h"
#include "store/Store.h"
#include "store/StoredValue.h"
#include "store/TableDef.h"

#include <QStringList>

#include <algorithm>
#include <random>
#include <set>

namespace velatask {

namespace {

// Up to this many rows the scroll bar works from every row's key, exactly.
constexpr int kExactRows = 2000;
// Otherwise from the keys of this many rows picked at random positions.
constexpr int kSampleRows = 1000;
// A tag set of up to this many tags drives a read (its records are looked up and sorted);
// a larger one is probed record by record along the key's index.
constexpr int kDrivingTags = 2048;
// Reading a record through an index costs about this many records read in file order.
constexpr std::int64_t kLookupCost = 32;

} // namespace

// The conditions of one read and what it selects.
struct WindowCursor::Query {
    SqlParts parts;
    bool values = true;
    // Read by row id without any index, whatever the cursor's order (for rows picked by row id).
    bool byRowid = false;
};

WindowCursor::WindowCursor(Store& store, const TableDef& table, int key)
    : m_store(store), m_table(&table), m_key(key) {
    for (size_t c = 0; c < table.columns.size(); ++c) {
        if (!table.columns[c].memo) {
            m_columns.push_back(int(c));
        }
    }
}

WindowCursor::WindowCursor(Store& store, ScheduleKey order)
    : WindowCursor(store, tableOf(order), int(order)) {}
WindowCursor::WindowCursor(Store& store, HistoryKey order)
    : WindowCursor(store, tableOf(order), int(order)) {}
WindowCursor::WindowCursor(Store& store, CategoryKey order)
    : WindowCursor(store, tableOf(order), int(order)) {}
WindowCursor::WindowCursor(Store& store, ToDoKey order)
    : WindowCursor(store, tableOf(order), int(order)) {}
WindowCursor::WindowCursor(Store& store, ScriptingKey order)
    : WindowCursor(store, tableOf(order), int(order)) {}

WindowCursor::~WindowCursor() = default;

const TableDef& WindowCursor::tableOf(ScheduleKey) {
    return TableDef::schedule();
}
const TableDef& WindowCursor::tableOf(HistoryKey) {
    return TableDef::history();
}
const TableDef& WindowCursor::tableOf(CategoryKey) {
    return TableDef::categories();
}
const TableDef& WindowCursor::tableOf(ToDoKey) {
    return TableDef::toDo();
}
const TableDef& WindowCursor::tableOf(ScriptingKey) {
    return TableDef::scripting();
}

int WindowCursor::fail(int code) {
    m_error = makeStoreError(code);
    return code;
}

int WindowCursor::finish(const StoreError& error) {
    m_error = error;
    if (error.code != 0) {
        m_store.setLastError(error);
    }
    return error.code;
}

int WindowCursor::setOrder(const TableDef& table, int key) {
    if (&table != m_table) {
        StoreError e;
        e.code = StoreCode::DriverError;
        e.driverCode = 1;
        e.driverText = QStringLiteral("not a key of ") + m_table->table;
        return finish(e);
    }
    m_key = key;
    m_range.clear();
    m_sample.reset();
    return finish({});
}

void WindowCursor::setRecordOrder() {
    m_key = -1;
    m_range.clear();
    m_sample.reset();
}

void WindowCursor::setRange(const QVariantList& values) {
    m_range = values;
    m_sample.reset();
}

int WindowCursor::setFilter(const Filter& filter) {
    FilterSql sql(*m_table, m_store.dataConnection().dialect());
    SqlParts parts;
    StoreError e;
    if (sql.render(filter, parts, e) == 0) {
        m_filter = filter;
        m_sample.reset();
    }
    return finish(e);
}

int WindowCursor::setColumns(const QStringList& fields) {
    std::vector<int> columns;
    for (const QString& f : fields) {
        const int c = m_table->columnOf(f);
        if (c < 0) {
            StoreError e;
            e.code = StoreCode::DriverError;
            e.driverCode = 1;
            e.driverText = QStringLiteral("no such field: ") + f;
            return finish(e);
        }
        columns.push_back(c);
    }
    m_columns = std::move(columns);
    return finish({});
}

QStringList WindowCursor::columns() const {
    QStringList out;
    for (int c : m_columns) {
        out << m_table->columns[size_t(c)].name;
    }
    return out;
}

int WindowCursor::columnIndex(const QString& field) const {
    const int c = m_table->columnOf(field);
    const auto it = std::find(m_columns.begin(), m_columns.end(), c);
    return c < 0 || it == m_columns.end() ? -1 : int(it - m_columns.begin());
}

int WindowCursor::tagStyle(bool& probe) {
    const std::uint64_t stamp = m_store.changeCount();
    if (m_tagStamp == stamp) {
        probe = m_probeTags;
        return 0;
    }
    FilterSql sql(*m_table, m_store.dataConnection().dialect());
    SqlParts unused;
    StoreError e;
    sql.render(m_filter, unused, e);
    std::vector<Connection::Row> rows;
    m_store.dataConnection().exec(
        QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM %1.TagFile_ WHERE Usr = ? AND "
                       "Tbl = ? AND %2 LIMIT ?) AS probe")
            .arg(QLatin1String(FilterSql::kTagSchema), TableDef::tagFile_().presentCondition(0)),
        {sql.tagUser(), sql.tagSet(), kDrivingTags + 1}, e, &rows);
    if (e.code != 0) {
        return finish(e);
    }
    m_probeTags = !rows.empty() && rows.front().value(0).toInt() > kDrivingTags;
    m_tagStamp = stamp;
    probe = m_probeTags;
    return 0;
}

int WindowCursor::conditions(Query& query, TagPlan plan) {
    if (m_store.stopped() || !m_store.dataConnection().isOpen()) {
        return fail(StoreCode::NotOpen);
    }
    const KeysetSql keyset(*m_table, m_key, m_store.dataConnection().dialect());
    keyset.present(query.parts);
    keyset.range(m_range, query.parts);
    FilterSql sql(*m_table, m_store.dataConnection().dialect());
    SqlParts plain;
    StoreError e;
    sql.render(m_filter, plain, e);
    if (!sql.readsTags()) {
        query.parts.add(plain.where.join(QStringLiteral(" AND ")), plain.binds);
        return finish(e);
    }
    if (m_store.attachTags() != 0) {
        return finish(m_store.lastError());
    }
    bool probe = plan == TagPlan::Probe;
    if (plan == TagPlan::Chosen && tagStyle(probe) != 0) {
        return m_error.code;
    }
    FilterSql styled(*m_table, m_store.dataConnection().dialect(),
                     probe ? FilterSql::Tags::Probe : FilterSql::Tags::Drive);
    styled.render(m_filter, query.parts, e);
    return finish(e);
}

int WindowCursor::read(const Query& query, int direction, int count, Page& out) {
    out.clear();
    const KeysetSql keyset(*m_table, m_key, m_store.dataConnection().dialect());
    const SqlDialect& dialect = m_store.dataConnection().dialect();
    QStringList select{dialect.positionColumn()};
    for (int i = 0; i < keyset.componentCount(); ++i) {
        select << m_table->columns[size_t(keyset.column(i))].name;
    }
    if (query.values) {
        for (int c : m_columns) {
            select << m_table->columns[size_t(c)].name;
        }
    }
    const std::vector<int> bytes = keyset.bytesComponents();
    for (int i : bytes) {
        select << keyset.bytesColumn(i);
    }
    const QString from = m_table->table + (query.byRowid ? dialect.notIndexed() : QString());
    const QString order =
        query.byRowid
            ? KeysetSql(*m_table, -1, m_store.dataConnection().dialect()).orderBy(direction)
            : keyset.orderBy(direction);
    const QString sql = QStringLiteral("SELECT %1 FROM %2").arg(select.join(", "), from) +
                        query.parts.whereClause() + order + QStringLiteral(" LIMIT ?");
    QVariantList binds = query.parts.binds;
    binds << std::max(count, 0);
    std::vector<Connection::Row> rows;
    StoreError e;
    if (m_store.dataConnection().exec(sql, binds, e, &rows) != 0) {
        return finish(e);
    }
    const int keys = keyset.componentCount();
    out.reserve(rows.size());
    for (const Connection::Row& r : rows) {
        Row row;
        row.position = r.value(0).toLongLong();
        row.key = r.mid(1, keys);
        const int shown = query.values ? int(m_columns.size()) : 0;
        for (int i = 0; i < shown; ++i) {
            row.values << StoredValue::forRead(r.value(1 + keys + i),
                                               m_table->columns[size_t(m_columns[size_t(i)])]);
        }
        for (size_t b = 0; b < bytes.size(); ++b) {
            KeysetSql::takeBytes(r.value(1 + keys + shown + int(b)), row.key[bytes[b]]);
        }
        out.push_back(std::move(row));
    }
    if (direction < 0) {
        std::reverse(out.begin(), out.end());
    }
    return finish({});
}

int WindowCursor::first(int count, Page& out) {
    Query q;
    if (conditions(q, TagPlan::Chosen) != 0) {
        out.clear();
        return m_error.code;
    }
    return read(q, +1, count, out);
}

int WindowCursor::last(int count, Page& out) {
    Query q;
    if (conditions(q, TagPlan::Chosen) != 0) {
        out.clear();
        return m_error.code;
    }
    return read(q, -1, count, out);
}

int WindowCursor::readBeyond(const Row& row, int direction, bool inclusive, int count, Page& out) {
    Query q;
    if (conditions(q, TagPlan::Chosen) != 0) {
        out.clear();
        return m_error.code;
    }
    const KeysetSql keyset(*m_table, m_key, m_store.dataConnection().dialect());
    // Components that the range holds equal to the row's need no comparison; left in, they would
    // keep the engine from seeking past the row in the index.
    int fixed = 0;
    while (fixed < m_range.size() && fixed < keyset.componentCount() && fixed < row.key.size() &&
           !row.key[fixed].isNull() &&
           SqlOrder::compare(row.key[fixed], m_range[fixed],
                             m_table->isText(keyset.column(fixed))) == 0) {
        ++fixed;
    }
    keyset.beyond(row.key, row.position, direction, inclusive,
                  m_store.dataConnection().mayHoldNull(m_table->table), q.parts, fixed);
    return read(q, direction, count, out);
}

int WindowCursor::after(const Row& row, int count, Page& out) {
    return readBeyond(row, +1, false, count, out);
}

int WindowCursor::before(const Row& row, int count, Page& out) {
    return readBeyond(row, -1, false, count, out);
}

int WindowCursor::from(const Row& row, int count, Page& out) {
    return readBeyond(row, +1, true, count, out);
}

int WindowCursor::seek(const QVariantList& values, int count, Page& out) {
    Query q;
    if (conditions(q, TagPlan::Chosen) != 0) {
        out.clear();
        return m_error.code;
    }
    KeysetSql(*m_table, m_key, m_store.dataConnection().dialect())
        .fromValue(int(m_range.size()), values, +1, q.parts);
    return read(q, +1, count, out);
}

int WindowCursor::reread(std::int64_t position, Row& out) {
    Query q;
    Page page;
    if (conditions(q, TagPlan::Chosen) != 0) {
        return m_error.code;
    }
    q.parts.add(m_store.dataConnection().dialect().positionColumn() + QStringLiteral(" = ?"),
                {qlonglong(position)});
    if (read(q, +1, 1, page) != 0) {
        return m_error.code;
    }
    if (page.empty()) {
        return fail(StoreCode::RecordNotFound);
    }
    out = std::move(page.front());
    return 0;
}

int WindowCursor::count(std::int64_t& n) {
    n = 0;
    Query q;
    if (conditions(q, TagPlan::Drive) != 0) {
        return m_error.code;
    }
    Connection& connection = m_store.dataConnection();
    StoreError e;
    auto single = [&](const QString& sql, const QVariantList& binds) {
        std::vector<Connection::Row> rows;
        connection.exec(sql, binds, e, &rows);
        return rows.empty() ? std::int64_t(0) : rows.front().value(0).toLongLong();
    };
    const KeysetSql keyset(*m_table, m_key, m_store.dataConnection().dialect());
    FilterSql sql(*m_table, m_store.dataConnection().dialect());
    SqlParts unused;
    sql.render(m_filter, unused, e);
    std::set<int> keyColumns;
    for (int i = 0; i < keyset.componentCount(); ++i) {
        keyColumns.insert(keyset.column(i));
    }
    const bool covered = std::includes(keyColumns.begin(), keyColumns.end(), sql.columns().begin(),
                                       sql.columns().end());
    QString from = m_table->table;
    if (!covered) {
        // A filter on other columns reads every record it looks at: through the index when the
        // range is small, in file order when that reads less.
        Query range;
        keyset.present(range.parts);
        keyset.range(m_range, range.parts);
        const std::int64_t inRange =
            single(QStringLiteral("SELECT count(*) FROM %1").arg(from) + range.parts.whereClause(),
                   range.parts.binds);
        const std::int64_t span = single(QStringLiteral("SELECT max(%2) - min(%2) + 1 FROM %1")
                                             .arg(from, connection.dialect().positionColumn()),
                                         {});
        if (e.code == 0 && inRange * kLookupCost > span) {
            from += connection.dialect().notIndexed();
        }
    }
    if (e.code == 0) {
        n = single(QStringLiteral("SELECT count(*) FROM %1").arg(from) + q.parts.whereClause(),
                   q.parts.binds);
    }
    return finish(e);
}

int WindowCursor::rowids(std::int64_t& low, std::int64_t& high, StoreError& error) {
    // Two subqueries: the engine reads min() and max() from the ends of the table only when
    // each stands alone.
    std::vector<Connection::Row> rows;
    Connection& connection = m_store.dataConnection();
    connection.exec(QStringLiteral("SELECT (SELECT min(%2) FROM %1), (SELECT max(%2) FROM %1)")
                        .arg(m_table->table, connection.dialect().positionColumn()),
                    {}, error, &rows);
    low = rows.empty() ? 0 : rows.front().value(0).toLongLong();
    high = rows.empty() ? 0 : rows.front().value(1).toLongLong();
    return error.code;
}

int WindowCursor::takeSample() {
    const std::uint64_t stamp = m_store.changeCount();
    if (m_sample && m_sampleStamp == stamp) {
        return 0;
    }
    m_sample.reset();
    const KeysetSql keyset(*m_table, m_key, m_store.dataConnection().dialect());
    std::vector<bool> noCase;
    for (int i = 0; i < keyset.componentCount(); ++i) {
        noCase.push_back(m_table->isText(keyset.column(i)));
    }
    auto entries = [](const Page& page) {
        std::vector<ScrollSample::Entry> out;
        out.reserve(page.size());
        for (const Row& r : page) {
            out.push_back({r.key, r.position});
        }
        return out;
    };
    Query q;
    q.values = false;
    Page page;
    if (conditions(q, TagPlan::Chosen) != 0 || read(q, +1, kExactRows + 1, page) != 0) {
        return m_error.code;
    }
    if (page.size() <= size_t(kExactRows)) {
        m_sample = std::make_unique<ScrollSample>(entries(page), std::int64_t(page.size()),
                                                  std::move(noCase));
        m_sampleStamp = stamp;
        return 0;
    }
    std::int64_t low = 0;
    std::int64_t high = 0;
    if (StoreError e; rowids(low, high, e) != 0) {
        return finish(e);
    }
    // Positions picked the same way every time, so that the thumb does not jitter between
    // samples of an unchanged table.
    std::mt19937_64 random(0x5eed);
    std::uniform_int_distribution<std::int64_t> pick(low, high);
    std::set<std::int64_t> picks;
    while (picks.size() < size_t(kSampleRows) && picks.size() < size_t(high - low + 1)) {
        picks.insert(pick(random));
    }
    const std::vector<std::int64_t> list(picks.begin(), picks.end());
    // Looked up by row id: an index read in key order would visit every row.
    Query s;
    s.values = false;
    s.byRowid = true;
    if (conditions(s, TagPlan::Probe) != 0) {
        return m_error.code;
    }
    const SqlDialect& dialect = m_store.dataConnection().dialect();
    s.parts.add(dialect.positionColumn() + dialect.inPositions(), {dialect.positionList(list)});
    if (read(s, +1, kSampleRows, page) != 0) {
        return m_error.code;
    }
    const std::int64_t estimate = std::max<std::int64_t>(
        kExactRows + 1, std::int64_t(page.size()) * (high - low + 1) / std::int64_t(picks.size()));
    m_sample = std::make_unique<ScrollSample>(entries(page), estimate, std::move(noCase));
    m_sampleStamp = stamp;
    return 0;
}

double WindowCursor::fractionOf(const Row& row) {
    if (takeSample() != 0) {
        return 0.0;
    }
    return m_sample->fractionOf(row.key, row.position);
}

int WindowCursor::atFraction(double fraction, int count, Page& out) {
    if (fraction <= 0.0) {
        return first(count, out);
    }
    if (fraction >= 1.0) {
        return last(count, out);
    }
    if (takeSample() != 0) {
        out.clear();
        return m_error.code;
    }
    const ScrollSample::Entry* entry = m_sample->at(fraction);
    if (!entry) {
        return first(count, out);
    }
    Row anchor;
    anchor.position = entry->rowid;
    anchor.key = entry->key;
    if (from(anchor, count, out) != 0 || int(out.size()) >= count) {
        return m_error.code;
    }
    return last(count, out); // near the end: a full last page
}

std::int64_t WindowCursor::approximateCount() {
    return takeSample() == 0 ? m_sample->count() : 0;
}

QVariantList WindowCursor::fullRow(const Row& row) const {
    if (m_blankRow.isEmpty()) {
        for (const ColumnDef& c : m_table->columns) {
            m_blankRow << StoredValue::forRead(QVariant(), c);
        }
    }
    QVariantList full = m_blankRow;
    for (size_t i = 0; i < m_columns.size() && int(i) < row.values.size(); ++i) {
        full[m_columns[i]] = row.values[int(i)];
    }
    return full;
}

void WindowCursor::toRecord(const Row& row, ScheduleRecord& out) const {
    RecordCodec::fromRow(fullRow(row), out, *m_table);
}
void WindowCursor::toRecord(const Row& row, CategoryRecord& out) const {
    RecordCodec::fromRow(fullRow(row), out, *m_table);
}
void WindowCursor::toRecord(const Row& row, ToDoRecord& out) const {
    RecordCodec::fromRow(fullRow(row), out, *m_table);
}
void WindowCursor::toRecord(const Row& row, ScriptingRecord& out) const {
    RecordCodec::fromRow(fullRow(row), out, *m_table);
}

} // namespace velatask
