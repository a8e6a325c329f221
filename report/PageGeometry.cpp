#include "report/PageGeometry.h"

#include "report/ReportStyle.h"

#include <QMarginsF>
#include <QPageSize>

namespace velatask {
namespace {

QRectF toUnits(const QRectF& points) {
    const qreal k = ReportStyle::kUnitsPerPoint;
    return QRectF(points.x() * k, points.y() * k, points.width() * k, points.height() * k);
}

} // namespace

QSizeF PageGeometry::paperSize() const {
    return toUnits(layout.fullRect(QPageLayout::Point)).size();
}

QRectF PageGeometry::printRect() const {
    return toUnits(layout.paintRect(QPageLayout::Point));
}

QPageLayout PageGeometry::defaultLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

} // namespace velatask
