#pragma once

#include "report/BandTemplate.h"

#include <QString>

namespace velatask {

// How one report looks on paper: the title on each page, the column headings under it (if any)
// and the detail block of one record, for a given width of the printed area.
class ReportLayout {
public:
    virtual ~ReportLayout() = default;

    virtual QString title() const = 0;
    virtual BandTemplate detail(const ReportStyle& style, qreal width) const = 0;
    // Empty when the report has no column headings.
    virtual BandTemplate headings(const ReportStyle& style, qreal width) const;
};

} // namespace velatask
