#include "store/TableCursor.h"

#include "store/Connection.h"
#include "store/KeysetSql.h"
#include "store/SqlDialect.h"
#include "store/StoredValue.h"
#include "store/TableDef.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <vector>

namespace velatask {

namespace {

// The first read after positioning fetches one record (the scheduler's tick needs only that);
// reading on fetches pages.
constexpr int kFirstPage = 1;
constexpr int kPage = 48;

QVariant lowest(ColumnType type) {
    switch (type) {
    case ColumnType::Text:
        return QVariant(QStringLiteral(""));
    case ColumnType::Long:
        return QVariant(qlonglong(std::numeric_limits<std::int32_t>::min()));
    case ColumnType::Short:
        return QVariant(qlonglong(std::numeric_limits<std::int16_t>::min()));
    case ColumnType::Byte:
    case ColumnType::Flag:
        break;
    }
    return QVariant(qlonglong(0));
}

} // namespace

TableCursor::TableCursor(Connection& connection, const TableDef& table)
    : m_connection(connection), m_table(table) {}

void TableCursor::reset() {
    m_key = -1;
    m_anchor = Anchor::None;
    m_anchorValues.clear();
    m_page.clear();
    m_pageDirection = 0;
    m_current = 0;
    m_watchPending = false;
    m_watchedRowid = 0;
    m_watchedValues.clear();
    m_error.clear();
}

int TableCursor::fail(int code) {
    m_error = makeStoreError(code);
    return code;
}

TableCursor::Row TableCursor::normalized(const Row& values) const {
    return StoredValue::forWrite(values, m_table);
}

bool TableCursor::sameStored(const Row& a, const Row& b) const {
    if (a.size() != b.size()) {
        return false;
    }
    for (int i = 0; i < a.size(); ++i) {
        if (m_table.isText(i) ? a[i].toString() != b[i].toString()
                              : a[i].toLongLong() != b[i].toLongLong()) {
            return false;
        }
    }
    return true;
}

TableCursor::Row TableCursor::keyValues(int key, const Row& values) const {
    Row out;
    for (int c : m_table.keys[key].columns) {
        out.push_back(values[c]);
    }
    return out;
}

bool TableCursor::keyEmpty(int key, const Row& values) const {
    for (int c : m_table.keys[key].columns) {
        if (m_table.isText(c) ? !values[c].toString().isEmpty() : values[c].toLongLong() != 0) {
            return false;
        }
    }
    return true;
}

QString TableCursor::selectList(int key) const {
    QStringList names{m_connection.dialect().positionColumn()};
    for (const ColumnDef& c : m_table.columns) {
        names << c.name;
    }
    if (key >= 0) {
        const KeysetSql keyset(m_table, key, m_connection.dialect());
        for (int i : keyset.bytesComponents()) {
            names << keyset.bytesColumn(i);
        }
    }
    return QStringLiteral("SELECT %1 FROM %2").arg(names.join(QStringLiteral(", ")), m_table.table);
}

QString TableCursor::position() const {
    return m_connection.dialect().positionColumn();
}

TableCursor::Entry TableCursor::fromResult(const Row& result, int key) const {
    Entry e;
    const int columns = int(m_table.columns.size());
    e.rowid = result.value(0).toLongLong();
    e.stored = result.mid(1, columns);
    e.values.reserve(e.stored.size());
    for (int i = 0; i < e.stored.size(); ++i) {
        e.values.push_back(StoredValue::forRead(e.stored[i], m_table.columns[size_t(i)]));
    }
    if (key >= 0) {
        const KeysetSql keyset(m_table, key, m_connection.dialect());
        const std::vector<int> bytes = keyset.bytesComponents();
        for (size_t b = 0; b < bytes.size() && keyset.column(bytes[b]) < e.stored.size(); ++b) {
            KeysetSql::takeBytes(result.value(1 + columns + int(b)),
                                 e.stored[keyset.column(bytes[b])]);
        }
    }
    return e;
}

void TableCursor::resetPosition() {
    m_key = -1;
    m_anchor = Anchor::None;
    m_anchorValues.clear();
    m_page.clear();
    m_pageDirection = 0;
}

int TableCursor::setStart(int key) {
    resetPosition();
    m_key = key;
    m_anchor = Anchor::Start;
    return 0;
}

int TableCursor::setEnd(int key) {
    resetPosition();
    m_key = key;
    m_anchor = Anchor::End;
    return 0;
}

int TableCursor::setAt(int key, const Row& values, int components) {
    resetPosition();
    m_key = key;
    m_anchor = Anchor::At;
    const Row norm = normalized(values);
    const auto& cols = m_table.keys[key].columns;
    const int given = components < 0 ? int(cols.size()) : std::min<int>(components, cols.size());
    for (int i = 0; i < int(cols.size()); ++i) {
        m_anchorValues.push_back(i < given ? norm[cols[i]] : lowest(m_table.columns[cols[i]].type));
    }
    return 0;
}

int TableCursor::deliver(Entry entry, Row& out) {
    if (m_key >= 0) {
        m_anchor = Anchor::Record;
        m_anchorValues = keyValues(m_key, entry.stored);
        m_anchorRowid = entry.rowid;
    }
    m_current = entry.rowid;
    if (m_watchPending) {
        m_watchPending = false;
        m_watchedRowid = entry.rowid;
        m_watchedValues = entry.values;
        m_watchedTransaction = 0;
    }
    out = std::move(entry.values);
    m_error.clear();
    return 0;
}

int TableCursor::read(int direction, Row& out) {
    if (m_key < 0 || m_anchor == Anchor::None) {
        return fail(StoreCode::NoRecord);
    }
    if (!m_page.empty() && m_pageDirection == direction && m_connection.stamp() == m_pageStamp) {
        Entry e = std::move(m_page.front());
        m_page.pop_front();
        return deliver(std::move(e), out);
    }
    const bool continuing = m_anchor == Anchor::Record;
    m_page.clear();
    if ((m_anchor == Anchor::Start && direction < 0) ||
        (m_anchor == Anchor::End && direction > 0)) {
        return fail(StoreCode::NoRecord);
    }
    Bound bound = Bound::None;
    if (m_anchor == Anchor::At) {
        bound = Bound::AtValue;
    } else if (m_anchor == Anchor::Record) {
        bound = Bound::AfterRecord;
    }
    QVariantList binds;
    const QString sql = buildRead(m_key, direction, bound, m_anchorValues, binds);
    const int limit = continuing ? kPage : kFirstPage;
    binds.push_back(limit);
    if (limit > 1) {
        m_pageStamp = m_connection.stamp();
    }
    std::vector<Row> rows;
    if (m_connection.exec(sql, binds, m_error, &rows) != 0) {
        return m_error.code;
    }
    if (rows.empty()) {
        return fail(StoreCode::NoRecord);
    }
    m_pageDirection = direction;
    for (size_t i = 1; i < rows.size(); ++i) {
        m_page.push_back(fromResult(rows[i], m_key));
    }
    return deliver(fromResult(rows.front(), m_key), out);
}

QString TableCursor::readSql(int key, int direction, Bound bound) const {
    QVariantList binds;
    Row anchor(int(m_table.keys[key].columns.size()), QVariant(0));
    if (bound == Bound::AfterRecord) {
        // A record's text as read carries its stored bytes.
        for (int i : KeysetSql(m_table, key, m_connection.dialect()).bytesComponents()) {
            KeysetSql::takeBytes(QByteArray("m"), anchor[i]);
        }
    }
    return buildRead(key, direction, bound, anchor, binds);
}

QString TableCursor::buildRead(int key, int direction, Bound bound, const Row& anchor,
                               QVariantList& binds) const {
    const KeysetSql keyset(m_table, key, m_connection.dialect());
    SqlParts parts;
    keyset.present(parts);
    if (bound == Bound::AtValue) {
        keyset.fromValue(0, anchor, direction, parts);
    } else if (bound == Bound::AfterRecord) {
        keyset.beyond(anchor, m_anchorRowid, direction, false,
                      m_connection.mayHoldNull(m_table.table), parts);
    }
    binds = parts.binds;
    return selectList(key) + parts.whereClause() + keyset.orderBy(direction) +
           QStringLiteral(" LIMIT ?");
}

int TableCursor::next(Row& out) {
    return read(+1, out);
}

int TableCursor::previous(Row& out) {
    return read(-1, out);
}

void TableCursor::keyEquals(int key, const Row& norm, QStringList& where,
                            QVariantList& binds) const {
    const QString present = m_table.presentCondition(key);
    if (!present.isEmpty()) {
        where << present;
    }
    const SqlDialect& d = m_connection.dialect();
    for (int c : m_table.keys[key].columns) {
        const QString& name = m_table.columns[c].name;
        where << (m_table.isText(c)
                      ? d.textKeyColumn(name) + QStringLiteral(" = ") + d.textKeyMark()
                      : name + QStringLiteral(" = ?"));
        binds << norm[c];
    }
}

int TableCursor::fetch(int key, const Row& values, Row& out) {
    const Row norm = normalized(values);
    m_page.clear();
    if (m_table.keys[key].excludeEmpty && keyEmpty(key, norm)) {
        return fail(StoreCode::RecordNotFound);
    }
    QStringList where;
    QVariantList binds;
    keyEquals(key, norm, where, binds);
    const QString sql = selectList(key) + QStringLiteral(" WHERE ") +
                        where.join(QStringLiteral(" AND ")) +
                        QStringLiteral(" ORDER BY %1 LIMIT 1").arg(position());
    std::vector<Row> rows;
    if (m_connection.exec(sql, binds, m_error, &rows) != 0) {
        return m_error.code;
    }
    if (rows.empty()) {
        return fail(StoreCode::RecordNotFound);
    }
    m_key = key;
    return deliver(fromResult(rows.front(), key), out);
}

bool TableCursor::duplicate(int key, const Row& values) {
    const Row norm = normalized(values);
    if (m_table.keys[key].excludeEmpty && keyEmpty(key, norm)) {
        m_error.clear();
        return false;
    }
    QStringList where;
    QVariantList binds;
    keyEquals(key, norm, where, binds);
    where << position() + QStringLiteral(" <> ?");
    binds << qlonglong(m_current);
    const QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE %2 LIMIT 1")
                            .arg(m_table.table, where.join(QStringLiteral(" AND ")));
    std::vector<Row> rows;
    m_connection.exec(sql, binds, m_error, &rows);
    return !rows.empty();
}

int TableCursor::reget(std::int64_t rowid, Row& out) {
    m_page.clear();
    std::vector<Row> rows;
    if (m_connection.exec(selectList(m_key) + QStringLiteral(" WHERE %1 = ?").arg(position()),
                          {qlonglong(rowid)}, m_error, &rows) != 0) {
        return m_error.code;
    }
    if (rows.empty()) {
        return fail(StoreCode::RecordNotFound);
    }
    return deliver(fromResult(rows.front(), m_key), out);
}

int TableCursor::add(const Row& values) {
    m_connection.beforeWrite();
    const QString sql = m_connection.dialect().insertSql(m_table);
    std::int64_t id = 0;
    std::vector<Row> rows;
    if (m_connection.exec(sql, normalized(values), m_error, &rows, &id) != 0) {
        return m_error.code;
    }
    if (!rows.empty()) {
        id = rows.front().value(0).toLongLong();
    }
    m_connection.noteWrite();
    m_current = id;
    return 0;
}

int TableCursor::put(const Row& values) {
    if (m_current == 0) {
        return fail(StoreCode::NoRecord);
    }
    m_connection.beforeWrite();
    const Row norm = normalized(values);
    const bool watched = m_watchedRowid == m_current;
    if (watched && m_watchedTransaction != 0 &&
        !(m_connection.inTransaction() &&
          m_connection.transactionNumber() == m_watchedTransaction) &&
        !m_connection.committed(m_watchedTransaction)) {
        m_watchedValues = m_watchedBefore; // that write was rolled back
    }
    m_watchedTransaction = 0;
    // The comparison and the write must see the same stored record.
    const bool ownTransaction = watched && !m_connection.inTransaction();
    if (ownTransaction && m_connection.begin(m_connection.waitLimit(), m_error) != 0) {
        return m_error.code;
    }
    auto abandon = [&](int code) {
        if (ownTransaction) {
            m_connection.rollback();
        }
        return code;
    };
    if (watched) {
        std::vector<Row> rows;
        if (m_connection.exec(selectList(-1) + QStringLiteral(" WHERE %1 = ?").arg(position()),
                              {qlonglong(m_current)}, m_error, &rows) != 0) {
            return abandon(m_error.code);
        }
        if (rows.empty() || !sameStored(fromResult(rows.front(), -1).values, m_watchedValues)) {
            return abandon(fail(StoreCode::RecordChanged));
        }
    }
    QStringList sets;
    for (const ColumnDef& c : m_table.columns) {
        sets << c.name + QStringLiteral(" = ?");
    }
    QVariantList binds = norm;
    binds.push_back(qlonglong(m_current));
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                            .arg(m_table.table, sets.join(QStringLiteral(", ")), position());
    int affected = 0;
    if (m_connection.exec(sql, binds, m_error, nullptr, nullptr, &affected) != 0) {
        return abandon(m_error.code);
    }
    if (affected == 0) {
        return abandon(fail(StoreCode::RecordNotFound));
    }
    if (ownTransaction && m_connection.commit(m_error) != 0) {
        return abandon(m_error.code);
    }
    m_connection.noteWrite();
    if (watched) {
        // Later writes of this record are checked against what this one stored.
        if (m_connection.inTransaction()) {
            m_watchedBefore = m_watchedValues;
            m_watchedTransaction = m_connection.transactionNumber();
        }
        m_watchedValues = norm;
    }
    return 0;
}

int TableCursor::erase() {
    if (m_current == 0) {
        return fail(StoreCode::NoRecord);
    }
    m_connection.beforeWrite();
    int affected = 0;
    if (m_connection.exec(
            QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(m_table.table, position()),
            {qlonglong(m_current)}, m_error, nullptr, nullptr, &affected) != 0) {
        return m_error.code;
    }
    if (affected == 0) {
        return fail(StoreCode::RecordNotFound);
    }
    m_connection.noteWrite();
    if (m_watchedRowid == m_current) {
        m_watchedRowid = 0;
    }
    m_current = 0;
    return 0;
}

} // namespace velatask
