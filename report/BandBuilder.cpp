#include "report/BandBuilder.h"

#include <algorithm>

namespace velatask {

BandBuilder::BandBuilder(const ReportStyle& style, qreal width)
    : m_style(style), m_width(width), m_rowHeight(style.lineHeight()) {}

void BandBuilder::at(qreal x) {
    if (m_x > x) {
        newRow();
    }
    m_x = x;
}

void BandBuilder::newRow() {
    if (m_x == 0) {
        return;
    }
    m_y += m_rowHeight;
    m_x = 0;
    m_rowHeight = m_style.lineHeight();
}

void BandBuilder::makeRoom(qreal width) {
    if (m_x > 0 && m_x + width > m_width) {
        newRow();
    }
}

void BandBuilder::add(BandItem item) {
    m_x = std::max(m_x, item.rect.right() + m_style.gap());
    m_band.items.push_back(std::move(item));
}

void BandBuilder::labelled(const QString& label, int slot, qreal until) {
    const qreal labelWidth = m_style.width(ReportStyle::Font::Label, label);
    makeRoom(labelWidth + m_style.gap() * 4);
    this->label(label, m_x + labelWidth);
    field(slot, std::max(until, m_x + m_style.gap() * 4));
}

void BandBuilder::labelledFixed(const QString& label, int slot, qreal valueWidth) {
    const qreal labelWidth = m_style.width(ReportStyle::Font::Label, label);
    makeRoom(labelWidth + m_style.gap() + valueWidth);
    labelled(label, slot, m_x + labelWidth + m_style.gap() + valueWidth);
}

void BandBuilder::field(int slot, qreal until, Qt::Alignment align, ReportStyle::Font font) {
    if (until <= m_x) {
        until = m_width;
    }
    BandItem item;
    item.kind = BandItem::Kind::Field;
    item.font = font;
    item.align = align;
    item.slot = slot;
    item.rect = QRectF(m_x, m_y, std::min(until, m_width) - m_x, m_style.lineHeight());
    add(std::move(item));
}

void BandBuilder::label(const QString& text, qreal until, ReportStyle::Font font,
                        Qt::Alignment align) {
    const qreal needed = m_style.width(font, text);
    makeRoom(needed);
    BandItem item;
    item.kind = BandItem::Kind::Label;
    item.font = font;
    item.align = align;
    item.text = text;
    item.rect =
        QRectF(m_x, m_y, std::max(needed, std::min(until, m_width) - m_x), m_style.lineHeight());
    add(std::move(item));
}

void BandBuilder::check(const QString& caption, int slot) {
    const qreal width =
        m_style.checkSize() + m_style.gap() + m_style.width(ReportStyle::Font::Value, caption);
    makeRoom(width);
    BandItem item;
    item.kind = BandItem::Kind::Check;
    item.slot = slot;
    item.text = caption;
    item.rect = QRectF(m_x, m_y, width, m_style.lineHeight());
    add(std::move(item));
    m_x += m_style.gap(); // check boxes stand a little further apart than labels and values
}

void BandBuilder::memo(const QString& label, int slot) {
    newRow();
    this->label(label, m_x);
    BandItem item;
    item.kind = BandItem::Kind::Memo;
    item.slot = slot;
    item.rect = QRectF(m_x, m_y, m_width - m_x, m_style.lineHeight());
    m_band.memo = int(m_band.items.size());
    add(std::move(item));
    newRow();
}

void BandBuilder::rule() {
    newRow();
    BandItem item;
    item.kind = BandItem::Kind::Rule;
    item.rect = QRectF(0, m_y + m_style.blockSpacing() / 2, m_width, 0);
    m_band.items.push_back(std::move(item));
    m_y += m_style.blockSpacing();
}

void BandBuilder::space(qreal height) {
    newRow();
    m_y += height;
}

BandTemplate BandBuilder::finish() {
    newRow();
    m_band.height = m_y;
    return std::move(m_band);
}

} // namespace velatask
