#include "report/PagePainter.h"

#include "report/BandPainter.h"
#include "report/ReportDocument.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace velatask {

void PagePainter::paint(QPainter& painter, int page) const {
    const ReportDocument& doc = m_document;
    const ReportStyle& style = doc.style();
    const qreal width = doc.geometry().printRect().width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    BandPainter bands(painter, style);

    const qreal titleHeight = style.metrics(ReportStyle::Font::Title).height();
    bands.paintText(QRectF(0, 0, width, titleHeight), ReportStyle::Font::Title, Qt::AlignLeft,
                    doc.layout().title());
    qreal y = std::ceil(titleHeight * 1.5);
    bands.paint(doc.headings(), QStringList(), QPointF(0, y), doc.headings().height);
    const qreal ruleY = doc.headerHeight() - style.blockSpacing() / 2;
    painter.setPen(QPen(Qt::black, 0.75 * ReportStyle::kUnitsPerPoint));
    painter.drawLine(QPointF(0, ruleY), QPointF(width, ruleY));

    y = doc.headerHeight();
    const auto [first, last] = doc.blocksOn(page);
    for (int b = first; b < last; ++b) {
        bands.paint(doc.detail(), doc.blockValues(b), QPointF(0, y), doc.blockHeight(b));
        y += doc.blockHeight(b);
    }

    const qreal footerHeight = style.metrics(ReportStyle::Font::Footer).height();
    const qreal bottom = doc.geometry().printRect().height();
    bands.paintText(QRectF(0, bottom - footerHeight, width, footerHeight),
                    ReportStyle::Font::Footer, Qt::AlignHCenter,
                    QStringLiteral("Page ") + QString::number(page + 1));
    painter.restore();
}

void PagePainter::scaleToDevice(QPainter& painter, const QPagedPaintDevice& device) {
    painter.scale(device.logicalDpiX() / ReportStyle::kUnitsPerInch,
                  device.logicalDpiY() / ReportStyle::kUnitsPerInch);
}

} // namespace velatask
