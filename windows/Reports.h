#pragma once

class QPrinter;
class QWidget;

namespace velatask {

class ReportPreview;
class Store;

// The printed reports of the frame's "&Reports" menu. Each reads its table, shows its pages in
// the preview on `printer`'s page setup and prints from there; the answer is the preview, or
// null when the report was cancelled or could not read its table.
ReportPreview* PrintSCH_KeyDate(Store& store, QPrinter& printer, QWidget* parent);
ReportPreview* PrintSCH_KeyCategory(Store& store, QPrinter& printer, QWidget* parent);
ReportPreview* PrintCAT_KeyCategory(Store& store, QPrinter& printer, QWidget* parent);
ReportPreview* PrintTodoList(Store& store, QPrinter& printer, QWidget* parent);
ReportPreview* BriefReport(Store& store, QPrinter& printer, QWidget* parent);

} // namespace velatask
