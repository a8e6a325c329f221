#include "windows/Reports.h"

#include "report/BriefScheduleReport.h"
#include "report/CategoryListReport.h"
#include "report/ScheduleReport.h"
#include "report/ToDoListReport.h"
#include "ui/RunReport.h"

namespace velatask {

ReportPreview* PrintSCH_KeyDate(Store& store, QPrinter& printer, QWidget* parent) {
    return runReport(store, std::make_shared<ScheduleReport>(ScheduleKey::KeyDate), printer,
                     parent);
}

ReportPreview* PrintSCH_KeyCategory(Store& store, QPrinter& printer, QWidget* parent) {
    return runReport(store, std::make_shared<ScheduleReport>(ScheduleKey::KeyCategory), printer,
                     parent);
}

ReportPreview* PrintCAT_KeyCategory(Store& store, QPrinter& printer, QWidget* parent) {
    return runReport(store, std::make_shared<CategoryListReport>(), printer, parent);
}

ReportPreview* PrintTodoList(Store& store, QPrinter& printer, QWidget* parent) {
    return runReport(store, std::make_shared<ToDoListReport>(), printer, parent);
}

ReportPreview* BriefReport(Store& store, QPrinter& printer, QWidget* parent) {
    return runReport(store, std::make_shared<BriefScheduleReport>(), printer, parent);
}

} // namespace velatask
