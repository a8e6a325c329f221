#pragma once

#include "report/PagePainter.h"

#include <QPainter>

class QPagedPaintDevice;

namespace velatask {

class ReportDocument;

// Sends pages of a report to a printer or a PDF file a few at a time, so that a progress window
// can show how far it got and stop it. The device must have the document's page layout.
class PageRenderJob {
public:
    // Pages `first` to `last`, 0-based and inclusive.
    PageRenderJob(const ReportDocument& document, QPagedPaintDevice& device, int first, int last);

    // False when the device refuses painting (no printer, a file that cannot be written).
    bool begin();
    // Renders up to `pages` more pages; false once all are done.
    bool next(int pages);
    // Ends the painting; false when the device reported an error.
    bool finish();
    int percent() const;

    // Renders every page at once.
    static bool renderAll(const ReportDocument& document, QPagedPaintDevice& device);

private:
    QPagedPaintDevice& m_device;
    PagePainter m_pages;
    QPainter m_painter;
    int m_first;
    int m_last;
    int m_next;
    bool m_failed = false;
};

} // namespace velatask
