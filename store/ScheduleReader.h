#pragma once

#include "store/Filter.h"
#include "store/Keys.h"
#include "store/ScheduleRecord.h"
#include "store/StoreError.h"

#include <QVariantList>

#include <cstdint>
#include <vector>

namespace velatask {

class Connection;
class Store;
class StoredRows;
struct SqlParts;

// Whole Schedule records, memo included, in one key's order (or record order) page after page:
// what an export reads. On SQLite the records are stepped out of the engine's own statement
// straight into the records, without a QVariant per value; on other engines through the
// driver. Both give the values as every reader does (cut to their fields, never NULL). Each page
// is a read of its own, so that no snapshot is held between pages. The Schedule table must have
// been opened through its view.
class ScheduleReader {
public:
    ScheduleReader(Store& store, ScheduleKey order);
    // Reads through a connection of its own to the store's file, also on another thread: then
    // nothing of the store is used, and a failure stays in error().
    ScheduleReader(Store& store, ScheduleKey order, Connection& connection);

    void setRecordOrder();
    // Only records that pass the filter; 0, or 90 for an unknown field or a tag condition.
    int setFilter(const Filter& filter);
    // Reads through the driver also on SQLite, as other engines read.
    void setDriverReads(bool on) { m_driverReads = on; }

    // Up to `count` records after those read so far; fewer at the end. 0 or the store code.
    int next(int count, std::vector<ScheduleRecord>& out);
    // The same as rows of stored values, without records: what an export writes out again.
    int next(int count, StoredRows& out);
    // Back to the first record.
    void rewind();

    const StoreError& error() const { return m_error; }

private:
    QString sql(SqlParts& parts) const;
    template <class Page> int read(int count, Page& page);
    template <class Page>
    int readEngine(const QString& sql, const QVariantList& binds, Page& out, bool& engine);
    template <class Page> int readDriver(const QString& sql, const QVariantList& binds, Page& out);
    int finish(const StoreError& error);

    Store& m_store;
    Connection* m_connection;
    int m_key;
    bool m_ownConnection = false;
    Filter m_filter;
    bool m_driverReads = false;
    // Where the next page starts: the last record read, its key values as stored.
    bool m_started = false;
    std::int64_t m_position = 0;
    QVariantList m_anchor;
    StoreError m_error;
};

} // namespace velatask
