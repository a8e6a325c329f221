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
    std::int32_t i32() { return std::int32_t(number()); }
    std::uint8_t u8() { return std::uint8_t(number()); }

private:
    const QVariantList& m_row;
    int m_at = 0;
};

bool hasAdvanceWarned(const TableDef& table) {
    return table.prefix != QLatin1String("HIS");
}

} // namespace

QVariantList toRow(const ScheduleRecord& r, const TableDef& table) {
    QVariantList v{n(r.ID),
                   r.TaskType,
                   r.Category,
                   r.Description,
                   r.Command,
                   r.Path,
                   r.ScheduleType,
                   n(r.Sunday),
                   n(r.Monday),
                   n(r.Tuesday),
                   n(r.Wednesday),
                   n(r.Thursday),
                   n(r.Friday),
                   n(r.Saturday),
                   n(r.Every),
                   n(r.Every1st),
                   n(r.Every2nd),
                   n(r.Every3rd),
                   n(r.Every4th),
                   n(r.EveryLast),
                   r.EveryType,
                   n(r.Date),
                   n(r.Time),
                   n(r.LastRunDate),
                   n(r.LastRunTime),
                   n(r.SkipNextTime),
                   n(r.Alarm),
                   r.AlarmFile,
                   n(r.AdvanceWarnDate),
                   n(r.AdvanceWarnTime)};
    if (hasAdvanceWarned(table)) {
        v << n(r.AdvanceWarned);
    }
    v << n(r.Warn) << n(r.UserSkip) << n(r.Disabled) << n(r.Completed) << r.Message;
    return v;
}

void fromRow(const QVariantList& row, ScheduleRecord& r, const TableDef& table) {
    Reader in(row);
    r.ID = in.i32();
    r.TaskType = in.text();
    r.Category = in.text();
    r.Description = in.text();
    r.Command = in.text();
    r.Path = in.text();
    r.ScheduleType = in.text();
    r.Sunday = in.u8();
    r.Monday = in.u8();
    r.Tuesday = in.u8();
    r.Wednesday = in.u8();
    r.Thursday = in.u8();
    r.Friday = in.u8();
    r.Saturday = in.u8();
    r.Every = in.i32();
    r.Every1st = in.u8();
    r.Every2nd = in.u8();
    r.Every3rd = in.u8();
    r.Every4th = in.u8();
    r.EveryLast = in.u8();
    r.EveryType = in.text();
    r.Date = in.i32();
    r.Time = in.i32();
    r.LastRunDate = in.i32();
    r.LastRunTime = in.i32();
    r.SkipNextTime = in.u8();
    r.Alarm = in.u8();
    r.AlarmFile = in.text();
    r.AdvanceWarnDate = in.i32();
    r.AdvanceWarnTime = in.i32();
    r.AdvanceWarned = hasAdvanceWarned(table) ? in.u8() : std::uint8_t(0);
    r.Warn = in.u8();
    r.UserSkip = in.u8();
    r.Disabled = in.u8();
    r.Completed = in.u8();
    r.Message = in.text();
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
