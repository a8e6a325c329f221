#include "report/BandTemplate.h"

#include <algorithm>

namespace velatask {

qreal BandTemplate::extraFor(qreal memoHeight) const {
    if (memo < 0) {
        return 0;
    }
    return std::max<qreal>(0, memoHeight - items[std::size_t(memo)].rect.height());
}

} // namespace velatask
