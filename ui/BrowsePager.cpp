#include "ui/BrowsePager.h"

#include <algorithm>

namespace velatask {
namespace {

constexpr int kStoreNoRecord = 35;

void append(PageSource::Page& to, PageSource::Page&& rows) {
    to.insert(to.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
}

void prepend(PageSource::Page& to, PageSource::Page&& rows) {
    to.insert(to.begin(), std::make_move_iterator(rows.begin()),
              std::make_move_iterator(rows.end()));
}

} // namespace

void BrowsePager::setCapacity(int rows) {
    m_capacity = std::max(1, rows);
}

const BrowsePager::Row* BrowsePager::currentRow() const {
    return m_current >= 0 && m_current < int(m_rows.size()) ? &m_rows[std::size_t(m_current)]
                                                            : nullptr;
}

void BrowsePager::setCurrent(int index) {
    if (!m_rows.empty()) {
        m_current = std::clamp(index, 0, int(m_rows.size()) - 1);
    }
}

void BrowsePager::clear() {
    m_rows.clear();
    m_current = -1;
    m_atStart = m_atEnd = false;
}

double BrowsePager::fraction() const {
    const Row* row = currentRow();
    if (!row || (m_atStart && m_current == 0)) {
        return 0.0;
    }
    if (m_atEnd && m_current == int(m_rows.size()) - 1) {
        return 1.0;
    }
    return m_source.fractionOf(*row);
}

void BrowsePager::take(Run run, int offset, int index) {
    const int size = int(run.rows.size());
    offset = std::clamp(offset, 0, std::max(0, size - m_capacity));
    const int end = std::min(size, offset + m_capacity);
    m_rows.assign(std::make_move_iterator(run.rows.begin() + offset),
                  std::make_move_iterator(run.rows.begin() + end));
    m_current = m_rows.empty() ? -1 : std::clamp(index - offset, 0, int(m_rows.size()) - 1);
    m_atStart = run.first && offset == 0;
    m_atEnd = run.last && end == size;
}

int BrowsePager::home() {
    Run run;
    if (const int code = m_source.first(m_capacity, run.rows); code != 0) {
        return code;
    }
    run.first = true;
    run.last = int(run.rows.size()) < m_capacity;
    take(std::move(run), 0, 0);
    return 0;
}

int BrowsePager::end() {
    Run run;
    if (const int code = m_source.last(m_capacity, run.rows); code != 0) {
        return code;
    }
    run.first = int(run.rows.size()) < m_capacity;
    run.last = true;
    const int last = int(run.rows.size()) - 1;
    take(std::move(run), 0, last);
    return 0;
}

int BrowsePager::move(int rows) {
    if (m_rows.empty()) {
        return home();
    }
    const int target = m_current + rows;
    const int last = int(m_rows.size()) - 1;
    if (target >= 0 && target <= last) {
        m_current = target;
        return 0;
    }
    const int code = scroll(target < 0 ? target : target - last);
    if (code == 0) {
        setCurrent(target < 0 ? 0 : int(m_rows.size()) - 1);
    }
    return code;
}

// The rows on screen with `count` more read after them (count > 0) or before them.
int BrowsePager::extend(int count, Run& run) {
    Page more;
    run.rows = m_rows;
    if (count > 0) {
        if (const int code = m_source.after(m_rows.back(), count, more); code != 0) {
            return code;
        }
        run.first = m_atStart;
        run.last = int(more.size()) < count;
        append(run.rows, std::move(more));
    } else {
        if (const int code = m_source.before(m_rows.front(), -count, more); code != 0) {
            return code;
        }
        run.first = int(more.size()) < -count;
        run.last = m_atEnd;
        prepend(run.rows, std::move(more));
    }
    return 0;
}

int BrowsePager::scroll(int rows) {
    if (m_rows.empty()) {
        return home();
    }
    if (rows == 0) {
        return 0;
    }
    Run run;
    if (const int code = extend(rows, run); code != 0) {
        return code;
    }
    const int added = int(run.rows.size() - m_rows.size());
    if (rows > 0) {
        take(std::move(run), added, m_current);
    } else {
        take(std::move(run), 0, m_current + added);
    }
    return 0;
}

int BrowsePager::page(int direction) {
    if (m_rows.empty()) {
        return home();
    }
    Run run;
    if (const int code = extend(direction > 0 ? m_capacity : -m_capacity, run); code != 0) {
        return code;
    }
    const int added = int(run.rows.size() - m_rows.size());
    if (direction > 0) {
        const int offset = std::max(0, int(run.rows.size()) - m_capacity);
        take(std::move(run), offset, m_current + m_capacity);
    } else {
        take(std::move(run), 0, m_current + added - m_capacity);
    }
    return 0;
}

int BrowsePager::jump(double fraction) {
    if (fraction <= 0.0) {
        return home();
    }
    if (fraction >= 1.0) {
        return end();
    }
    Run run;
    if (const int code = m_source.atFraction(fraction, m_capacity, run.rows); code != 0) {
        return code;
    }
    return showRun(std::move(run), 0, m_capacity);
}

int BrowsePager::locate(const QVariantList& values) {
    Run run;
    if (const int code = m_source.seek(values, m_capacity, run.rows); code != 0) {
        return code;
    }
    if (run.rows.empty()) {
        return end(); // every row is lower
    }
    return showRun(std::move(run), 0, m_capacity);
}

// Shows rows read forward (`asked` of them from the row at `index`, with `before` rows already
// read ahead of it), completing a screen that the end cut short with the rows before it.
int BrowsePager::showRun(Run run, int index, int asked, int before, bool beforeShort) {
    const int after = int(run.rows.size()) - before;
    run.last = after < asked;
    run.first = beforeShort;
    const int missing = m_capacity - int(run.rows.size());
    if (missing > 0 && !run.rows.empty() && !beforeShort) {
        Page earlier;
        if (const int code = m_source.before(run.rows.front(), missing, earlier); code != 0) {
            return code;
        }
        run.first = int(earlier.size()) < missing;
        index += int(earlier.size());
        prepend(run.rows, std::move(earlier));
    }
    take(std::move(run), 0, index);
    return 0;
}

int BrowsePager::around(const Row& anchor, int line) {
    line = std::clamp(line, 0, m_capacity - 1);
    Run run;
    const int asked = m_capacity - line;
    if (const int code = m_source.from(anchor, asked, run.rows); code != 0) {
        return code;
    }
    if (run.rows.empty()) {
        return end(); // the record and everything after it are gone
    }
    Page earlier;
    if (line > 0) {
        if (const int code = m_source.before(run.rows.front(), line, earlier); code != 0) {
            return code;
        }
    }
    const int index = int(earlier.size());
    const bool earlierShort = int(earlier.size()) < line;
    prepend(run.rows, std::move(earlier));
    int forward = asked;
    const int missing = m_capacity - int(run.rows.size());
    if (earlierShort && missing > 0 && int(run.rows.size()) - index == asked) {
        // The record stands nearer the start than its line: the rows after it fill the screen.
        Page more;
        if (const int code = m_source.after(run.rows.back(), missing, more); code != 0) {
            return code;
        }
        append(run.rows, std::move(more));
        forward += missing;
    }
    return showRun(std::move(run), index, forward, index, earlierShort);
}

int BrowsePager::reload() {
    const Row* row = currentRow();
    if (!row) {
        return home();
    }
    const Row anchor = *row;
    return around(anchor, m_current);
}

int BrowsePager::show(std::int64_t position) {
    Row row;
    const int code = m_source.reread(position, row);
    if (code == kStoreNoRecord) {
        return reload();
    }
    if (code != 0) {
        return code;
    }
    return around(row, std::max(0, m_current));
}

} // namespace velatask
