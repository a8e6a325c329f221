#pragma once

#include "store/CategoryRecord.h"
#include "store/ScheduleRecord.h"
#include "store/ScriptingRecord.h"
#include "store/TagRecord.h"
#include "store/ToDoRecord.h"

#include <QVariantList>

namespace velatask {

struct TableDef;

// Conversion between records and the column values of their table, in declared order.
namespace RecordCodec {

QVariantList toRow(const ScheduleRecord& r, const TableDef& table);
void fromRow(const QVariantList& row, ScheduleRecord& r, const TableDef& table);
QVariantList toRow(const CategoryRecord& r, const TableDef& table);
void fromRow(const QVariantList& row, CategoryRecord& r, const TableDef& table);
QVariantList toRow(const ToDoRecord& r, const TableDef& table);
void fromRow(const QVariantList& row, ToDoRecord& r, const TableDef& table);
QVariantList toRow(const ScriptingRecord& r, const TableDef& table);
void fromRow(const QVariantList& row, ScriptingRecord& r, const TableDef& table);
QVariantList toRow(const TagRecord& r, const TableDef& table);
void fromRow(const QVariantList& row, TagRecord& r, const TableDef& table);

// Whether the table's records hold AdvanceWarned (a history copy does not).
bool hasAdvanceWarned(const TableDef& table);

// A Schedule record's fields in column order, for rows of any kind: `in.number()` gives the next
// column's value, `in.text(field)` puts it into the field; `out.number(v)` and `out.text(s)` take
// them.
template <class In> void readSchedule(In& in, ScheduleRecord& r, const TableDef& table) {
    auto i32 = [&in] { return std::int32_t(in.number()); };
    auto u8 = [&in] { return std::uint8_t(in.number()); };
    r.ID = i32();
    in.text(r.TaskType);
    in.text(r.Category);
    in.text(r.Description);
    in.text(r.Command);
    in.text(r.Path);
    in.text(r.ScheduleType);
    r.Sunday = u8();
    r.Monday = u8();
    r.Tuesday = u8();
    r.Wednesday = u8();
    r.Thursday = u8();
    r.Friday = u8();
    r.Saturday = u8();
    r.Every = i32();
    r.Every1st = u8();
    r.Every2nd = u8();
    r.Every3rd = u8();
    r.Every4th = u8();
    r.EveryLast = u8();
    in.text(r.EveryType);
    r.Date = i32();
    r.Time = i32();
    r.LastRunDate = i32();
    r.LastRunTime = i32();
    r.SkipNextTime = u8();
    r.Alarm = u8();
    in.text(r.AlarmFile);
    r.AdvanceWarnDate = i32();
    r.AdvanceWarnTime = i32();
    r.AdvanceWarned = hasAdvanceWarned(table) ? u8() : std::uint8_t(0);
    r.Warn = u8();
    r.UserSkip = u8();
    r.Disabled = u8();
    r.Completed = u8();
    in.text(r.Message);
}

template <class Out> void writeSchedule(Out& out, const ScheduleRecord& r, const TableDef& table) {
    out.number(r.ID);
    for (const QString* t :
         {&r.TaskType, &r.Category, &r.Description, &r.Command, &r.Path, &r.ScheduleType}) {
        out.text(*t);
    }
    for (std::uint8_t f :
         {r.Sunday, r.Monday, r.Tuesday, r.Wednesday, r.Thursday, r.Friday, r.Saturday}) {
        out.number(f);
    }
    out.number(r.Every);
    for (std::uint8_t f : {r.Every1st, r.Every2nd, r.Every3rd, r.Every4th, r.EveryLast}) {
        out.number(f);
    }
    out.text(r.EveryType);
    for (std::int32_t n : {r.Date, r.Time, r.LastRunDate, r.LastRunTime}) {
        out.number(n);
    }
    out.number(r.SkipNextTime);
    out.number(r.Alarm);
    out.text(r.AlarmFile);
    out.number(r.AdvanceWarnDate);
    out.number(r.AdvanceWarnTime);
    if (hasAdvanceWarned(table)) {
        out.number(r.AdvanceWarned);
    }
    for (std::uint8_t f : {r.Warn, r.UserSkip, r.Disabled, r.Completed}) {
        out.number(f);
    }
    out.text(r.Message);
}

} // namespace RecordCodec
} // namespace velatask
