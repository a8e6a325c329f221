#include "report/ReportLayout.h"

namespace velatask {

BandTemplate ReportLayout::headings(const ReportStyle&, qreal) const {
    return {};
}

} // namespace velatask
