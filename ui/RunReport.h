#pragma once

#include <memory>

class QPrinter;
class QWidget;

namespace velatask {

class Report;
class ReportPreview;
class Store;

// Runs a report: its records are read and laid out 25 at a time while the progress window
// shows "Generating Report", then the preview opens on its own (and deletes itself when
// closed). "Cancel", a table that cannot be opened or a read error end the report without a
// preview: the answer is then null.
ReportPreview* runReport(Store& store, std::shared_ptr<const Report> report, QPrinter& printer,
                         QWidget* parent);

} // namespace velatask
