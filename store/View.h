#pragma once

#include "store/CategoryRecord.h"
#include "store/HistoryRecord.h"
#include "store/Keys.h"
#include "store/ScheduleRecord.h"
#include "store/ScriptingRecord.h"
#include "store/StoreError.h"
#include "store/TagRecord.h"
#include "store/ToDoRecord.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace velatask {

class Store;
class TableCursor;
struct TableDef;

// A view of one table: its shared record buffer, one cursor over its keys, its use count. Every
// operation returns the store error code (0 = success) and leaves the error in error().
template <class Record, class Key> class View {
public:
    View(Store& store, const TableDef& table);
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Opens the table through the table opener when the use count is 0, then counts up. A code
    // other than 0 means the opener failed (and has already told the user).
    int open();
    // Counts down; the view is closed when the count reaches 0.
    void close();
    bool isOpen() const;
    int useCount() const;

    Record& buffer() { return m_buffer; }
    const Record& buffer() const { return m_buffer; }
    void clearBuffer() { m_buffer = Record{}; }

    // Positioning; the following next() and previous() read in the key's order.
    int setStart(Key key);
    int setEnd(Key key);
    // Positions at the value of the buffer's first `components` components of the key, the rest
    // taken as lowest possible. next() then gives the first record >= that value, previous() the
    // last record <= it; equal values come in record-position order.
    int setAt(Key key, int components = kAllComponents);

    // Reads the following / preceding record in key order into the buffer; 33 at the end.
    int next();
    int previous();
    // Reads the record whose key components equal the buffer's; 35 when there is none.
    int fetch(Key key);

    // Adds the buffer as a new record, which becomes the current record; 40 on a unique key.
    int add();
    // Writes the buffer over the current record; 40 on a unique key, 89 when the record was
    // watched and changed by anyone since it was read.
    int put();
    // Deletes the current record.
    int erase();
    // True when the buffer collides on the key with a stored record other than the current one.
    bool duplicate(Key key);

    // The record position of the current record (the row id as text), empty when there is none.
    QString position() const;
    // The same as a number, 0 when there is none.
    std::int64_t pointer() const;
    // Reads the record at a position taken earlier; 35 when it is gone.
    int reget(const QString& position);
    // The next read remembers the record's stored state for the next put().
    void watch();

    const StoreError& error() const;
    // The store name used in messages: "SM\!Schedule", "TagFile_.VDB".
    QString name() const;

private:
    int finish(int code);
    bool usable() const;

    Store& m_store;
    const TableDef& m_table;
    std::unique_ptr<TableCursor> m_cursor;
    Record m_buffer;
    int m_useCount = 0;
    StoreError m_error;
};

using ScheduleView = View<ScheduleRecord, ScheduleKey>;
using HistoryView = View<HistoryRecord, HistoryKey>;
using CategoryView = View<CategoryRecord, CategoryKey>;
using ToDoView = View<ToDoRecord, ToDoKey>;
using ScriptingView = View<ScriptingRecord, ScriptingKey>;
using TagView = View<TagRecord, TagKey>;

extern template class View<ScheduleRecord, ScheduleKey>;
extern template class View<HistoryRecord, HistoryKey>;
extern template class View<CategoryRecord, CategoryKey>;
extern template class View<ToDoRecord, ToDoKey>;
extern template class View<ScriptingRecord, ScriptingKey>;
extern template class View<TagRecord, TagKey>;

} // namespace velatask
