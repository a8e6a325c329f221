#include "report/PageRenderJob.h"

#include "report/ReportDocument.h"

#include <QPagedPaintDevice>

#include <algorithm>

namespace velatask {

PageRenderJob::PageRenderJob(const ReportDocument& document, QPagedPaintDevice& device, int first,
                             int last)
    : m_device(device), m_pages(document), m_first(std::clamp(first, 0, document.pageCount() - 1)),
      m_last(std::clamp(last, m_first, document.pageCount() - 1)), m_next(m_first) {}

bool PageRenderJob::begin() {
    if (!m_painter.begin(&m_device)) {
        return false;
    }
    PagePainter::scaleToDevice(m_painter, m_device);
    return true;
}

bool PageRenderJob::next(int pages) {
    for (int n = 0; n < pages && m_next <= m_last; ++n, ++m_next) {
        if (m_next > m_first && !m_device.newPage()) {
            m_failed = true;
            return false;
        }
        m_pages.paint(m_painter, m_next);
    }
    return m_next <= m_last;
}

bool PageRenderJob::finish() {
    return m_painter.end() && !m_failed;
}

int PageRenderJob::percent() const {
    return (m_next - m_first) * 100 / (m_last - m_first + 1);
}

bool PageRenderJob::renderAll(const ReportDocument& document, QPagedPaintDevice& device) {
    PageRenderJob job(document, device, 0, document.pageCount() - 1);
    if (!job.begin()) {
        return false;
    }
    while (job.next(document.pageCount())) {
    }
    return job.finish();
}

} // namespace velatask
