#include "ui/RunReport.h"

#include "report/PageGeometry.h"
#include "report/Report.h"
#include "report/ReportGenerator.h"
#include "ui/ProgressWindow.h"
#include "ui/ReportPreview.h"

#include <QPrinter>

namespace velatask {

ReportPreview* runReport(Store& store, std::shared_ptr<const Report> report, QPrinter& printer,
                         QWidget* parent) {
    ReportGenerator generator(store, report->source(store), report,
                              PageGeometry(printer.pageLayout()));
    if (!generator.start()) {
        return nullptr;
    }
    ProgressWindow progress(QStringLiteral("Generating Report"), QString(), parent);
    const ProgressJob job{[&](int records) { return generator.slice(records); },
                          [&] { return generator.percent(); }};
    if (progress.run(job, 25) != Response::Completed || !generator.finished()) {
        return nullptr;
    }
    auto* preview = new ReportPreview(generator.takeDocument(), printer, parent);
    preview->show();
    return preview;
}

} // namespace velatask
