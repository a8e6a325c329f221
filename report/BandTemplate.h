#pragma once

#include "report/ReportStyle.h"

#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

namespace velatask {

// One thing drawn in a band: a fixed label, a value of the record, a check box or a rule.
struct BandItem {
    enum class Kind : std::uint8_t {
        Label, // `text` in `font`
        Field, // value `slot`, on one line, cut with "..." when it does not fit
        Check, // a box ticked when value `slot` is "1", with `text` beside it
        Memo,  // value `slot` wrapped over as many lines as it needs (the band grows)
        Rule,  // a thin line along the top of `rect`
    };

    Kind kind = Kind::Label;
    ReportStyle::Font font = ReportStyle::Font::Value;
    Qt::Alignment align = Qt::AlignLeft;
    int slot = -1;
    // In layout units from the band's top left corner.
    QRectF rect;
    QString text;
};

// The look of one kind of band (a detail block, the column headings): its items and its height
// when its memo, if any, takes one line.
struct BandTemplate {
    std::vector<BandItem> items;
    qreal height = 0;
    // Index of the memo item, -1 when there is none.
    int memo = -1;

    bool isEmpty() const { return items.empty(); }
    // How much taller the band grows when the memo needs `memoHeight` instead of one line.
    qreal extraFor(qreal memoHeight) const;
};

} // namespace velatask
