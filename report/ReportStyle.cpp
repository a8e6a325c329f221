#include "report/ReportStyle.h"

#include <cmath>

namespace velatask {
namespace {

QFont sansFont(qreal points, bool bold) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    // Pixel sizes in layout units: the painter's scale takes them to the device. Unhinted
    // metrics keep the layout the same on the screen and on paper.
    font.setPixelSize(int(std::lround(points * ReportStyle::kUnitsPerPoint)));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setBold(bold);
    return font;
}

} // namespace

ReportStyle::ReportStyle()
    : m_fonts{sansFont(16, true), sansFont(9, true), sansFont(9, true), sansFont(9, false),
              sansFont(8, false)},
      m_metrics{QFontMetricsF(m_fonts[0]), QFontMetricsF(m_fonts[1]), QFontMetricsF(m_fonts[2]),
                QFontMetricsF(m_fonts[3]), QFontMetricsF(m_fonts[4])} {
    const QFontMetricsF& value = metrics(Font::Value);
    m_lineHeight = std::ceil(value.height() * 1.25);
    m_gap = std::ceil(value.averageCharWidth());
    m_checkSize = std::ceil(value.ascent() * 0.9);
}

qreal ReportStyle::width(Font role, const QString& text) const {
    return metrics(role).horizontalAdvance(text);
}

} // namespace velatask
