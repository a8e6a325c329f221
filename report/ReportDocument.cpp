#include "report/ReportDocument.h"

#include "report/MemoText.h"

#include <algorithm>
#include <cmath>

namespace velatask {

ReportDocument::ReportDocument(std::shared_ptr<const ReportLayout> layout,
                               const PageGeometry& geometry)
    : m_layout(std::move(layout)), m_geometry(geometry) {
    buildTemplates();
}

void ReportDocument::buildTemplates() {
    const qreal width = m_geometry.printRect().width();
    m_detail = m_layout->detail(m_style, width);
    m_headings = m_layout->headings(m_style, width);
    const qreal title = std::ceil(m_style.metrics(ReportStyle::Font::Title).height() * 1.5);
    m_headerHeight = title + m_headings.height + m_style.blockSpacing();
    m_footerHeight = std::ceil(m_style.metrics(ReportStyle::Font::Footer).height() * 2);
}

qreal ReportDocument::bodyHeight() const {
    return std::max<qreal>(m_style.lineHeight(),
                           m_geometry.printRect().height() - m_headerHeight - m_footerHeight);
}

void ReportDocument::setGeometry(const PageGeometry& geometry) {
    m_geometry = geometry;
    buildTemplates();
    m_pageStarts.assign(1, 0);
    m_used = 0;
    for (int i = 0; i < blockCount(); ++i) {
        m_blocks[std::size_t(i)].height = measure(m_blocks[std::size_t(i)].values);
        place(i);
    }
}

float ReportDocument::measure(const QStringList& values) const {
    qreal height = m_detail.height;
    if (m_detail.memo >= 0) {
        const BandItem& memo = m_detail.items[std::size_t(m_detail.memo)];
        const QFont& font = m_style.font(memo.font);
        const qreal padding = m_style.lineHeight() - m_style.metrics(memo.font).height();
        const QString text = values.value(memo.slot);
        height += m_detail.extraFor(MemoText::height(text, font, memo.rect.width()) + padding);
    }
    // A block taller than a page is cut to the page.
    return float(std::min(height, bodyHeight()));
}

void ReportDocument::addBlock(QStringList values) {
    Block block;
    block.values = std::move(values);
    block.height = measure(block.values);
    m_blocks.push_back(std::move(block));
    place(blockCount() - 1);
}

void ReportDocument::place(int block) {
    const qreal height = m_blocks[std::size_t(block)].height;
    if (block > m_pageStarts.back() && m_used + height > bodyHeight()) {
        m_pageStarts.push_back(block);
        m_used = 0;
    }
    m_used += height;
}

std::pair<int, int> ReportDocument::blocksOn(int page) const {
    const auto p = std::size_t(page);
    const int last = p + 1 < m_pageStarts.size() ? m_pageStarts[p + 1] : blockCount();
    return {m_pageStarts[p], last};
}

} // namespace velatask
