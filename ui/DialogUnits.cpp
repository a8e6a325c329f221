#include "ui/DialogUnits.h"

#include <algorithm>

namespace velatask {

DialogUnits::DialogUnits(const QFontMetrics& metrics) {
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = std::max(1, (metrics.horizontalAdvance(letters) / 26 + 1) / 2);
    m_baseY = std::max(1, metrics.height());
}

int DialogUnits::toPixelsX(int units) const {
    return (units * m_baseX + 2) / 4;
}

int DialogUnits::toPixelsY(int units) const {
    return (units * m_baseY + 4) / 8;
}

int DialogUnits::fromPixelsX(int pixels) const {
    return (pixels * 4 + m_baseX / 2) / m_baseX;
}

} // namespace velatask
