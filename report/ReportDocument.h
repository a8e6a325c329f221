#pragma once

#include "report/BandTemplate.h"
#include "report/PageGeometry.h"
#include "report/ReportLayout.h"
#include "report/ReportStyle.h"

#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

namespace velatask {

// A report's pages: one detail block per record in the order read, and the block each page
// starts with. A block never straddles two pages. It keeps only the records' printed values;
// pages are painted from them when they are shown or printed (PagePainter).
class ReportDocument {
public:
    ReportDocument(std::shared_ptr<const ReportLayout> layout, const PageGeometry& geometry);

    const ReportLayout& layout() const { return *m_layout; }
    const ReportStyle& style() const { return m_style; }
    const PageGeometry& geometry() const { return m_geometry; }
    // Lays the blocks out again on other paper or margins.
    void setGeometry(const PageGeometry& geometry);

    // Appends the detail block of one record.
    void addBlock(QStringList values);

    int blockCount() const { return int(m_blocks.size()); }
    const QStringList& blockValues(int block) const { return m_blocks[std::size_t(block)].values; }
    qreal blockHeight(int block) const { return m_blocks[std::size_t(block)].height; }

    // Never less than 1: a report without records is one page with its title.
    int pageCount() const { return int(m_pageStarts.size()); }
    // The blocks of a page (0-based): [first, second).
    std::pair<int, int> blocksOn(int page) const;

    const BandTemplate& detail() const { return m_detail; }
    const BandTemplate& headings() const { return m_headings; }
    qreal headerHeight() const { return m_headerHeight; }
    qreal footerHeight() const { return m_footerHeight; }
    // The room for detail blocks on each page.
    qreal bodyHeight() const;

private:
    struct Block {
        QStringList values;
        float height = 0;
    };

    void buildTemplates();
    float measure(const QStringList& values) const;
    void place(int block);

    std::shared_ptr<const ReportLayout> m_layout;
    ReportStyle m_style;
    PageGeometry m_geometry;
    BandTemplate m_detail;
    BandTemplate m_headings;
    qreal m_headerHeight = 0;
    qreal m_footerHeight = 0;
    std::vector<Block> m_blocks;
    std::vector<int> m_pageStarts{0};
    qreal m_used = 0;
};

} // namespace velatask
