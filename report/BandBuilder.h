#pragma once

#include "report/BandTemplate.h"

namespace velatask {

// Builds a band template row by row, left to right. Items that do not fit on what is left of a
// row start the next one, so labels and check boxes are always whole and never overlap; values
// are given the room up to a column edge and cut when longer.
class BandBuilder {
public:
    BandBuilder(const ReportStyle& style, qreal width);

    qreal width() const { return m_width; }
    // Where the next item of this row starts.
    qreal x() const { return m_x; }
    // Moves on to `x` on this row (or to the next row when the row is already past it).
    void at(qreal x);
    void newRow();

    // A label in the label font, then the value from where the label ends up to `until`.
    void labelled(const QString& label, int slot, qreal until);
    // The same with room for a value of `valueWidth`.
    void labelledFixed(const QString& label, int slot, qreal valueWidth);
    // A value alone from here up to `until` (or to the end of the row when it is already past).
    void field(int slot, qreal until, Qt::Alignment align = Qt::AlignLeft,
               ReportStyle::Font font = ReportStyle::Font::Value);
    // A fixed text from here up to `until`.
    void label(const QString& text, qreal until, ReportStyle::Font font = ReportStyle::Font::Label,
               Qt::Alignment align = Qt::AlignLeft);
    // A check box with its caption.
    void check(const QString& caption, int slot);
    // A label and, beside it over the rest of the width, a text that wraps onto more lines.
    void memo(const QString& label, int slot);
    // A thin line across the whole width, on a row of its own.
    void rule();
    // Empty space below the current row.
    void space(qreal height);

    // The template; its height ends below the last row.
    BandTemplate finish();

private:
    // Starts a new row when an item of `width` no longer fits on this one.
    void makeRoom(qreal width);
    void add(BandItem item);

    const ReportStyle& m_style;
    qreal m_width;
    qreal m_x = 0;
    qreal m_y = 0;
    qreal m_rowHeight = 0;
    BandTemplate m_band;
};

} // namespace velatask
