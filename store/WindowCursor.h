#pragma once

#include "store/Filter.h"
#include "store/Keys.h"
#include "store/StoreError.h"

#include <QStringList>
#include <QVariantList>

#include <cstdint>
#include <memory>
#include <vector>

namespace velatask {

class ScrollSample;
class Store;
struct ScheduleRecord;
struct CategoryRecord;
struct ToDoRecord;
struct ScriptingRecord;
struct TableDef;

// A cursor that one window owns over one table: rows in one key's order (or record order), an
// optional range (the first key components equal to given values), an optional filter and the
// columns the window shows. It reads pages through the key's index, starting from a row that the
// caller hands back (its key values and position), and keeps no position of its own: windows,
// the shared views and the scheduler's SCH1 never move one another. Reads return 0 or the store
// code of a failure (one code for the whole page); fewer rows than asked mean the end was reached.
// The table must have been opened through its view.
class WindowCursor {
public:
    struct Row {
        std::int64_t position = 0; // the row id, as View::pointer() gives it
        QVariantList key;          // the order's components as stored: anchors the next page
        QVariantList values;       // the chosen columns, cut to their fields (never NULL)
    };
    using Page = std::vector<Row>;

    WindowCursor(Store& store, ScheduleKey order);
    WindowCursor(Store& store, HistoryKey order);
    WindowCursor(Store& store, CategoryKey order);
    WindowCursor(Store& store, ToDoKey order);
    WindowCursor(Store& store, ScriptingKey order);
    ~WindowCursor();
    WindowCursor(const WindowCursor&) = delete;
    WindowCursor& operator=(const WindowCursor&) = delete;

    // The order: a key of the cursor's table (another table's key gives 90), or record order.
    template <class Key> int setOrder(Key order) { return setOrder(tableOf(order), int(order)); }
    void setRecordOrder();
    // Only rows whose first values.size() key components equal the values (text without regard
    // to case); an empty list lifts the range. Positions and seeks stay inside the range.
    void setRange(const QVariantList& values);
    // 0, or 90 ("no such field: ...") and the filter is not taken.
    int setFilter(const Filter& filter);
    // The columns of Row::values, by field name; 0 or 90. The default is every column but the
    // memo.
    int setColumns(const QStringList& fields);
    QStringList columns() const;
    // The index of a field in Row::values; -1 when it is not chosen.
    int columnIndex(const QString& field) const;

    // Pages, always in the cursor's order.
    int first(int count, Page& out);
    int last(int count, Page& out);
    int after(const Row& row, int count, Page& out);
    int before(const Row& row, int count, Page& out);
    // The row itself and those after it; when it is gone, the rows after where it stood. Re-anchors
    // a window on its current row after a change.
    int from(const Row& row, int count, Page& out);
    // The locator: the first row whose key components after the range are >= the values (text
    // without regard to case), and those after it; none when every row is lower.
    int seek(const QVariantList& values, int count, Page& out);
    // One row again by its position; 35 when it is gone or no longer in the range or filter.
    int reread(std::int64_t position, Row& out);

    // Exact number of rows in the range that pass the filter ("records to process").
    int count(std::int64_t& n);

    // The scroll bar: approximate, from keys sampled once (exact below a few thousand rows).
    // The share of the rows before this one, 0 to 1.
    double fractionOf(const Row& row);
    // A page starting near that share of the rows; 0 gives the first page, 1 the last.
    int atFraction(double fraction, int count, Page& out);
    // The number of rows, estimated as the scroll bar needs it.
    std::int64_t approximateCount();

    // The row as a record: the fields not chosen stay empty.
    void toRecord(const Row& row, ScheduleRecord& out) const;
    void toRecord(const Row& row, CategoryRecord& out) const;
    void toRecord(const Row& row, ToDoRecord& out) const;
    void toRecord(const Row& row, ScriptingRecord& out) const;

    const StoreError& error() const { return m_error; }

private:
    struct Query;

    WindowCursor(Store& store, const TableDef& table, int key);
    static const TableDef& tableOf(ScheduleKey);
    static const TableDef& tableOf(HistoryKey);
    static const TableDef& tableOf(CategoryKey);
    static const TableDef& tableOf(ToDoKey);
    static const TableDef& tableOf(ScriptingKey);
    int setOrder(const TableDef& table, int key);

    int read(const Query& query, int direction, int count, Page& out);
    int readBeyond(const Row& row, int direction, bool inclusive, int count, Page& out);
    enum class TagPlan { Chosen, Drive, Probe };
    int conditions(Query& query, TagPlan plan);
    int tagStyle(bool& probe);
    int takeSample();
    int rowids(std::int64_t& low, std::int64_t& high, StoreError& error);
    QVariantList fullRow(const Row& row) const;
    int fail(int code);
    int finish(const StoreError& error);

    Store& m_store;
    const TableDef* m_table;
    int m_key;
    QVariantList m_range;
    Filter m_filter;
    std::vector<int> m_columns;
    mutable QVariantList m_blankRow; // every field empty, as toRecord starts from
    StoreError m_error;
    std::unique_ptr<ScrollSample> m_sample;
    std::uint64_t m_sampleStamp = 0;
    std::uint64_t m_tagStamp = 0;
    bool m_probeTags = false;
};

} // namespace velatask
