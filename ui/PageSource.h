#pragma once

#include "store/WindowCursor.h"

#include <QVariantList>

#include <cstdint>

namespace velatask {

// Where a browse reads its rows: pages in one order from a row handed back, never by row
// number, so that reading costs the same at the start and at the end of a million rows. Every
// read answers 0 or the store code of a failure (one code for the whole page); fewer rows than
// asked mean the end was reached.
class PageSource {
public:
    // A record's position, its key components (the anchor of the next page) and the values the
    // window shows: the store cursor's rows.
    using Row = WindowCursor::Row;
    using Page = WindowCursor::Page;

    virtual ~PageSource() = default;

    virtual int first(int count, Page& out) = 0;
    virtual int last(int count, Page& out) = 0;
    // The rows after / before the row, in order.
    virtual int after(const Row& row, int count, Page& out) = 0;
    virtual int before(const Row& row, int count, Page& out) = 0;
    // The row and those after it; when it is gone, the rows after where it stood.
    virtual int from(const Row& row, int count, Page& out) = 0;
    // The first row whose free key components are >= the values, and those after it.
    virtual int seek(const QVariantList& values, int count, Page& out) = 0;
    // One row again by its position (35 when it is gone).
    virtual int reread(std::int64_t position, Row& out) = 0;

    // The scroll bar's view: approximate share of the rows before the row, 0 to 1, and a page
    // starting near a share.
    virtual double fractionOf(const Row& row) = 0;
    virtual int atFraction(double fraction, int count, Page& out) = 0;

    // A number that moves whenever anyone has written to the data since it was last asked.
    virtual std::uint64_t changeStamp() = 0;
};

} // namespace velatask
