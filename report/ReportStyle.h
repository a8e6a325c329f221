#pragma once

#include <QFont>
#include <QFontMetricsF>

#include <array>
#include <cstdint>

namespace velatask {

// The fonts and spacings of printed reports. Reports are laid out in units of 1/720 inch, the
// same on every device; fonts are given in those units so that they scale with the painter.
class ReportStyle {
public:
    static constexpr qreal kUnitsPerInch = 720;
    static constexpr qreal kUnitsPerPoint = 10;

    enum class Font : std::uint8_t { Title, Heading, Label, Value, Footer };

    ReportStyle();

    const QFont& font(Font role) const { return m_fonts[std::size_t(role)]; }
    const QFontMetricsF& metrics(Font role) const { return m_metrics[std::size_t(role)]; }

    // The height of one row of labels and values.
    qreal lineHeight() const { return m_lineHeight; }
    // Space between a label and its value, and between the items of a row.
    qreal gap() const { return m_gap; }
    // The side of a check box.
    qreal checkSize() const { return m_checkSize; }
    // Space between two detail blocks.
    qreal blockSpacing() const { return m_lineHeight / 2; }
    // The width a text takes in a font.
    qreal width(Font role, const QString& text) const;

private:
    std::array<QFont, 5> m_fonts;
    std::array<QFontMetricsF, 5> m_metrics;
    qreal m_lineHeight = 0;
    qreal m_gap = 0;
    qreal m_checkSize = 0;
};

} // namespace velatask
