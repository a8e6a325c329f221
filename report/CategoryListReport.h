#pragma once

#include "report/Report.h"

namespace velatask {

struct CategoryRecord;

// "Category List": the categories in name order, one line each.
class CategoryListReport : public Report {
public:
    QString title() const override;
    BandTemplate detail(const ReportStyle& style, qreal width) const override;
    std::unique_ptr<ReportSource> source(Store& store) const override;

    static QStringList values(const CategoryRecord& category);
};

} // namespace velatask
