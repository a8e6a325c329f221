#pragma once

#include "store/Connection.h"
#include "store/StoreError.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <cstdint>
#include <deque>
#include <utility>

namespace velatask {

struct TableDef;

// A cursor over one table: a position in one key's order, the current record, and a small page
// of records read ahead through the key's index. Rows are the column values in declared order.
class TableCursor {
public:
    using Row = QVariantList;

    TableCursor(Connection& connection, const TableDef& table);

    // Forgets position, current record and watch (the view was closed).
    void reset();
    int setStart(int key);
    int setEnd(int key);
    // Positions at the first `components` components of `values`, the others lowest possible.
    int setAt(int key, const Row& values, int components);
    int next(Row& out);
    int previous(Row& out);
    int fetch(int key, const Row& values, Row& out);
    int add(const Row& values);
    int put(const Row& values);
    int erase();
    bool duplicate(int key, const Row& values);
    int reget(std::int64_t rowid, Row& out);
    void watch() { m_watchPending = true; }

    std::int64_t current() const { return m_current; }

    // The statement that reads in key order from the start or end, from a value, or on from a
    // record (binds: the key's components, then the row id, then the page size).
    enum class Bound { None, AtValue, AfterRecord };
    QString readSql(int key, int direction, Bound bound) const;
    const StoreError& error() const { return m_error; }

private:
    enum class Anchor { None, Start, End, At, Record };
    struct Entry {
        std::int64_t rowid = 0;
        Row stored; // as the file holds it: anchors the next read
        Row values; // as a record shows it
    };

    void resetPosition();
    int read(int direction, Row& out);
    int deliver(Entry entry, Row& out);
    int fail(int code);
    Row keyValues(int key, const Row& values) const;
    // Every column, then the stored bytes of the key's text parts (key -1: none).
    QString selectList(int key) const;
    // The column of a record's position on this connection's engine.
    QString position() const;
    QString buildRead(int key, int direction, Bound bound, const Row& anchor,
                      QVariantList& binds) const;
    bool keyEmpty(int key, const Row& values) const;
    // Conditions (and their binds) that select the records whose key equals the values.
    void keyEquals(int key, const Row& norm, QStringList& where, QVariantList& binds) const;
    Row normalized(const Row& values) const;
    bool sameStored(const Row& a, const Row& b) const;
    Entry fromResult(const Row& result, int key) const;

    Connection& m_connection;
    const TableDef& m_table;
    StoreError m_error;
    int m_key = -1;
    Anchor m_anchor = Anchor::None;
    Row m_anchorValues; // key components of the anchor
    std::int64_t m_anchorRowid = 0;
    std::deque<Entry> m_page;
    int m_pageDirection = 0;
    Connection::Stamp m_pageStamp;
    std::int64_t m_current = 0;
    bool m_watchPending = false;
    std::int64_t m_watchedRowid = 0;
    Row m_watchedValues;
    // A put inside a transaction updates the watched state only if that transaction commits.
    Row m_watchedBefore;
    std::int64_t m_watchedTransaction = 0;
};

} // namespace velatask
