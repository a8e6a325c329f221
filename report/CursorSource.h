#pragma once

#include "report/ReportSource.h"
#include "store/Keys.h"

#include <memory>

namespace velatask {

class Store;
struct CategoryRecord;
struct ScheduleRecord;
struct ToDoRecord;

// Sources that read a table for a report through a cursor of their own, so the shared record
// buffers that browses and forms show stay put. `columns` names the fields the report prints
// (empty: every field but the memo); `memo` adds the memo.
std::unique_ptr<ReportSource> makeScheduleSource(Store& store, ScheduleKey order,
                                                 const QStringList& columns, bool memo,
                                                 QStringList (*values)(const ScheduleRecord&));
std::unique_ptr<ReportSource> makeCategorySource(Store& store,
                                                 QStringList (*values)(const CategoryRecord&));
std::unique_ptr<ReportSource> makeToDoSource(Store& store,
                                             QStringList (*values)(const ToDoRecord&));

} // namespace velatask
