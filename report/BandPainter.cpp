#include "report/BandPainter.h"

#include "report/MemoText.h"

#include <QPainter>
#include <QPainterPath>

namespace velatask {
namespace {

constexpr qreal kPenWidth = 0.75 * ReportStyle::kUnitsPerPoint;

} // namespace

BandPainter::BandPainter(QPainter& painter, const ReportStyle& style)
    : m_painter(painter), m_style(style) {}

void BandPainter::paintText(const QRectF& rect, ReportStyle::Font font, Qt::Alignment align,
                            const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    const QFontMetricsF& metrics = m_style.metrics(font);
    m_painter.setPen(QPen(Qt::black, kPenWidth)); // never the screen palette's text colour
    m_painter.setFont(m_style.font(font));
    m_painter.drawText(rect, int(align | Qt::AlignVCenter | Qt::TextSingleLine),
                       metrics.elidedText(text, Qt::ElideRight, rect.width()));
}

void BandPainter::paintCheck(const QRectF& rect, bool ticked, const QString& caption) {
    const qreal side = m_style.checkSize();
    const QRectF box(rect.left(), rect.center().y() - side / 2, side, side);
    m_painter.setPen(QPen(Qt::black, kPenWidth));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(box);
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(box.left() + side * 0.2, box.top() + side * 0.52);
        tick.lineTo(box.left() + side * 0.42, box.top() + side * 0.76);
        tick.lineTo(box.left() + side * 0.8, box.top() + side * 0.24);
        m_painter.setPen(
            QPen(Qt::black, kPenWidth * 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.drawPath(tick);
        m_painter.setPen(QPen(Qt::black, kPenWidth));
    }
    const qreal textLeft = box.right() + m_style.gap();
    paintText(QRectF(textLeft, rect.top(), rect.right() - textLeft, rect.height()),
              ReportStyle::Font::Value, Qt::AlignLeft, caption);
}

void BandPainter::paint(const BandTemplate& band, const QStringList& values, QPointF origin,
                        qreal height) {
    const qreal extra = height - band.height;
    const qreal memoBottom =
        band.memo >= 0 ? band.items[std::size_t(band.memo)].rect.bottom() : band.height;
    m_painter.setPen(QPen(Qt::black, kPenWidth));
    for (const BandItem& item : band.items) {
        QRectF rect = item.rect.translated(origin);
        if (band.memo >= 0 && item.rect.top() >= memoBottom) {
            rect.translate(0, extra); // below a memo that took more than one line
        }
        const QString value = item.slot >= 0 ? values.value(item.slot) : QString();
        switch (item.kind) {
        case BandItem::Kind::Label:
            paintText(rect, item.font, item.align, item.text);
            break;
        case BandItem::Kind::Field:
            paintText(rect, item.font, item.align, value);
            break;
        case BandItem::Kind::Check:
            paintCheck(rect, value == QLatin1String("1"), item.text);
            break;
        case BandItem::Kind::Memo: {
            const qreal padding = (m_style.lineHeight() - m_style.metrics(item.font).height()) / 2;
            const QRectF text(rect.left(), rect.top() + padding, rect.width(),
                              rect.height() + extra - padding);
            MemoText::draw(m_painter, value, m_style.font(item.font), text);
            break;
        }
        case BandItem::Kind::Rule:
            m_painter.setPen(QPen(Qt::gray, kPenWidth));
            m_painter.drawLine(rect.topLeft(), rect.topRight());
            m_painter.setPen(QPen(Qt::black, kPenWidth));
            break;
        }
    }
}

} // namespace velatask
