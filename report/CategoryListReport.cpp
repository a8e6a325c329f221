#include "report/CategoryListReport.h"

#include "core/Picture.h"
#include "report/BandBuilder.h"
#include "report/CursorSource.h"
#include "store/CategoryRecord.h"

namespace velatask {

QString CategoryListReport::title() const {
    return QStringLiteral("Category List");
}

QStringList CategoryListReport::values(const CategoryRecord& category) {
    return {Picture(u"@s20").formatText(category.Category)};
}

BandTemplate CategoryListReport::detail(const ReportStyle& style, qreal width) const {
    BandBuilder b(style, width);
    b.labelled(QStringLiteral("Category"), 0, width);
    return b.finish();
}

std::unique_ptr<ReportSource> CategoryListReport::source(Store& store) const {
    return makeCategorySource(store, &CategoryListReport::values);
}

} // namespace velatask
