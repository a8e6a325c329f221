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

} // namespace RecordCodec
} // namespace velatask
