#include "store/RecordCodec.h"

#include "store/TableDef.h"

namespace velatask::RecordCodec {

namespace {

QVariant n(qlonglong v) {
    return QVariant(v);
}

// Reads the row in column order.
class Reader {
public:
    explicit Reader(const QVariantList& row) : m_row(row) {}
    qlonglong number() { return m_row.value(m_at++).toLongLong(); }
    QString text() { return m_row.value(m_at++).toString(); }
    void text(QString& into) { into = text(); }
    std::int32_t i32() { return std::int32_t(number()); }
    std::uint8_t u8() { return std::uint8_t(number()); }

private:
    const QVariantList& m_row;
    int m_at = 0;
};

// Collects a row's values in column order.
class Writer {
public:
    explicit Writer(QVariantList& row) : m_row(row) {}
    void number(qlonglong v) { m_row.push_back(v); }
    void text(const QString& s) { m_row.push_back(s); }

private:
    QVariantList& m_row;
};

} // namespace

bool hasAdvanceWarned(const TableDef& table) {
    return table.prefix != QLatin1String("HIS");
}

QVariantList toRow(const ScheduleRecord& r, const TableDef& table) {
    QVariantList v;
    v.reserve(int(table.columns.size()));
    Writer out(v);
    writeSchedule(out, r, table);
    return v;
}

void fromRow(const QVariantList& row, ScheduleRecord& r, const TableDef& table) {
    Reader in(row);
    readSchedule(in, r, table);
}

QVariantList toRow(const CategoryRecord& r, const TableDef&) {
    return {r.Category};
}

void fromRow(const QVariantList& row, CategoryRecord& r, const TableDef&) {
    r.Category = row.value(0).toString();
}

QVariantList toRow(const ToDoRecord& r, const TableDef&) {
    return {n(r.Done), n(r.Priority), r.ToDo};
}

void fromRow(const QVariantList& row, ToDoRecord& r, const TableDef&) {
    Reader in(row);
    r.Done = in.u8();
    r.Priority = in.u8();
    r.ToDo = in.text();
}

QVariantList toRow(const ScriptingRecord& r, const TableDef&) {
    return {
        n(r.ID),         n(r.Sequence),   r.Action,  r.Keystrokes,         n(r.SecondsToWait),
        r.WaitForWindow, r.FocusOnWindow, r.DDEType, r.DDEApplicationName, r.DDEApplicationTopic,
        r.DDELinkItem,   r.DDECommand};
}

void fromRow(const QVariantList& row, ScriptingRecord& r, const TableDef&) {
    Reader in(row);
    r.ID = in.i32();
    r.Sequence = in.i32();
    r.Action = in.text();
    r.Keystrokes = in.text();
    r.SecondsToWait = in.i32();
    r.WaitForWindow = in.text();
    r.FocusOnWindow = in.text();
    r.DDEType = in.text();
    r.DDEApplicationName = in.text();
    r.DDEApplicationTopic = in.text();
    r.DDELinkItem = in.text();
    r.DDECommand = in.text();
}

QVariantList toRow(const TagRecord& r, const TableDef&) {
    return {n(r.Usr), n(r.Tbl), n(r.Ptr), r.Val};
}

void fromRow(const QVariantList& row, TagRecord& r, const TableDef&) {
    Reader in(row);
    r.Usr = in.i32();
    r.Tbl = std::int16_t(in.number());
    r.Ptr = in.i32();
    r.Val = in.text();
}

} // namespace velatask::RecordCodec
