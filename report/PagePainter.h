#pragma once

class QPainter;
class QPagedPaintDevice;

namespace velatask {

class ReportDocument;

// Paints the pages of a report: the title and column headings at the top, the page's detail
// blocks, and the footer "Page n" at the bottom.
class PagePainter {
public:
    explicit PagePainter(const ReportDocument& document) : m_document(document) {}

    // The painter works in layout units with its origin at the top left of the printed area.
    void paint(QPainter& painter, int page) const;

    // Scales a painter on a device (printer, PDF file) to layout units.
    static void scaleToDevice(QPainter& painter, const QPagedPaintDevice& device);

private:
    const ReportDocument& m_document;
};

} // namespace velatask
