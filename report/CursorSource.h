#pragma once

#include "report/ReportSource.h"
#include "store/Keys.h"

#include <memory>

namespace velatask {

class Store;
struct CategoryRecord;
struct ScheduleRecord;
struct ToDoRecord;

// Sources that read a table for a report without moving the shared record buffers that
// browses and forms show. `columns` names the fields the report prints (empty: all of them,
// the memo included).
std::unique_ptr<ReportSource> makeScheduleSource(Store& store, ScheduleKey order,
                                                 const QStringList& columns,
                                                 QStringList (*values)(const ScheduleRecord&));
std::unique_ptr<ReportSource> makeCategorySource(Store& store,
                                                 QStringList (*values)(const CategoryRecord&));
std::unique_ptr<ReportSource> makeToDoSource(Store& store,
                                             QStringList (*values)(const ToDoRecord&));

} // namespace velatask
