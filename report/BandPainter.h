#pragma once

#include "report/BandTemplate.h"

#include <QStringList>

class QPainter;

namespace velatask {

// Paints one band (a detail block or the column headings) with a record's values; the painter
// works in layout units.
class BandPainter {
public:
    BandPainter(QPainter& painter, const ReportStyle& style);

    // The band's top left corner at `origin`; `height` is the band's laid-out height, which
    // the memo may fill beyond the template's one line.
    void paint(const BandTemplate& band, const QStringList& values, QPointF origin, qreal height);
    void paintCheck(const QRectF& rect, bool ticked, const QString& caption);
    void paintText(const QRectF& rect, ReportStyle::Font font, Qt::Alignment align,
                   const QString& text);

private:
    QPainter& m_painter;
    const ReportStyle& m_style;
};

} // namespace velatask
