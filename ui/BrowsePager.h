#pragma once

#include "ui/PageSource.h"

namespace velatask {

// The rows of a browse that are on screen and the highlighted one among them, moved by the
// keys and the scroll bar. Only the visible rows are held; every move reads the rows it brings
// into view from the source. A move that fails leaves rows and highlight as they were and
// answers the store code.
class BrowsePager {
public:
    using Row = PageSource::Row;
    using Page = PageSource::Page;

    explicit BrowsePager(PageSource& source) : m_source(source) {}

    // How many rows fit on screen (at least 1).
    void setCapacity(int rows);
    int capacity() const { return m_capacity; }

    const Page& rows() const { return m_rows; }
    bool isEmpty() const { return m_rows.empty(); }
    // Index of the highlighted row on screen, -1 when the list is empty.
    int current() const { return m_current; }
    const Row* currentRow() const;
    void setCurrent(int index);
    // Forgets the rows on screen (their keys belong to an order no longer read).
    void clear();

    // Home and End.
    int home();
    int end();
    // The arrows: the highlight moves; at the edge the rows scroll.
    int move(int rows);
    // Page Down (+1) and Page Up (-1): a screenful further, the highlight on the same line.
    int page(int direction);
    // The wheel and the scroll bar's arrows: the rows scroll, the highlight stays on its record
    // while it is on screen.
    int scroll(int rows);
    // The thumb: a page near that share of the rows, highlighted at its top.
    int jump(double fraction);
    // The locator: the first row whose free key components are >= the values.
    int locate(const QVariantList& values);
    // Reads the screen again around the highlighted record, on the same line; when it is gone
    // the one after it takes its place.
    int reload();
    // Reads the screen again with the record at that position highlighted on the current line
    // (reload() when it is no longer listed).
    int show(std::int64_t position);

    // Where the highlighted record stands in the whole order, 0 to 1, for the scroll bar:
    // exact at the known first and last rows, the source's estimate elsewhere.
    double fraction() const;
    // True when every row of the order is on screen.
    bool showsAll() const { return m_atStart && m_atEnd; }

private:
    // Rows read in order, and whether they begin with the order's first row / end with its last.
    struct Run {
        Page rows;
        bool first = false;
        bool last = false;
    };
    // Puts the run on screen from `offset` (as many rows as fit), highlighting run index `index`.
    void take(Run run, int offset, int index);
    int extend(int count, Run& run);
    int showRun(Run run, int index, int asked, int before = 0, bool beforeShort = false);
    int around(const Row& anchor, int line);

    PageSource& m_source;
    int m_capacity = 1;
    Page m_rows;
    int m_current = -1;
    bool m_atStart = false; // the first row on screen is the first of the order
    bool m_atEnd = false;   // the last row on screen is the last of the order
};

} // namespace velatask
