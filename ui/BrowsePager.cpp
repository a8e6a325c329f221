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

void BrowsePager::take(Page rows, int offset, int index) {
    const int size = int(rows.size());
    offset = std::clamp(offset, 0, std::max(0, size - m_capacity));
    const int end = std::min(size, offset + m_capacity);
    m_rows.assign(std::make_move_iterator(rows.begin() + offset),
                  std::make_move_iterator(rows.begin() + end));
    m_current = m_rows.empty() ? -1 : std::clamp(index - offset, 0, int(m_rows.size()) - 1);
}

int BrowsePager::home() {
    Page p;
    if (const int code = m_source.first(m_capacity, p); code != 0) {
        return code;
    }
    take(std::move(p), 0, 0);
    return 0;
}

int BrowsePager::end() {
    Page p;
    if (const int code = m_source.last(m_capacity, p); code != 0) {
        return code;
    }
    const int last = int(p.size()) - 1;
    take(std::move(p), 0, last);
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

int BrowsePager::scroll(int rows) {
    if (m_rows.empty()) {
        return home();
    }
    if (rows == 0) {
        return 0;
    }
    Page more;
    Page combined = m_rows;
    int index = m_current;
    if (rows > 0) {
        if (const int code = m_source.after(m_rows.back(), rows, more); code != 0) {
            return code;
        }
        const int shift = int(more.size());
        append(combined, std::move(more));
        take(std::move(combined), shift, index);
    } else {
        if (const int code = m_source.before(m_rows.front(), -rows, more); code != 0) {
            return code;
        }
        index += int(more.size());
        prepend(combined, std::move(more));
        take(std::move(combined), 0, index);
    }
    return 0;
}

int BrowsePager::page(int direction) {
    if (m_rows.empty()) {
        return home();
    }
    Page more;
    Page combined = m_rows;
    if (direction > 0) {
        if (const int code = m_source.after(m_rows.back(), m_capacity, more); code != 0) {
            return code;
        }
        append(combined, std::move(more));
        const int offset = std::max(0, int(combined.size()) - m_capacity);
        const int index = m_current + m_capacity;
        take(std::move(combined), offset, index);
    } else {
        if (const int code = m_source.before(m_rows.front(), m_capacity, more); code != 0) {
            return code;
        }
        const int index = m_current + int(more.size()) - m_capacity;
        prepend(combined, std::move(more));
        take(std::move(combined), 0, index);
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
    Page p;
    if (const int code = m_source.atFraction(fraction, m_capacity, p); code != 0) {
        return code;
    }
    int index = 0;
    if (const int code = fill(p, index); code != 0) {
        return code;
    }
    take(std::move(p), 0, index);
    return 0;
}

int BrowsePager::locate(const QVariantList& values) {
    Page p;
    if (const int code = m_source.seek(values, m_capacity, p); code != 0) {
        return code;
    }
    if (p.empty()) {
        return end(); // every row is lower
    }
    int index = 0;
    if (const int code = fill(p, index); code != 0) {
        return code;
    }
    take(std::move(p), 0, index);
    return 0;
}

// A page that stopped short of the screen at the end is completed with the rows before it, so
// the screen stays full; `index` follows the row it pointed at.
int BrowsePager::fill(Page& rows, int& index) {
    const int missing = m_capacity - int(rows.size());
    if (missing <= 0 || rows.empty()) {
        return 0;
    }
    Page earlier;
    if (const int code = m_source.before(rows.front(), missing, earlier); code != 0) {
        return code;
    }
    index += int(earlier.size());
    prepend(rows, std::move(earlier));
    return 0;
}

int BrowsePager::around(const Row& anchor, int line) {
    line = std::clamp(line, 0, m_capacity - 1);
    Page p;
    if (const int code = m_source.from(anchor, m_capacity - line, p); code != 0) {
        return code;
    }
    if (p.empty()) {
        return end(); // the record and everything after it are gone
    }
    Page earlier;
    if (line > 0) {
        if (const int code = m_source.before(p.front(), line, earlier); code != 0) {
            return code;
        }
    }
    int index = int(earlier.size());
    prepend(p, std::move(earlier));
    if (const int code = fill(p, index); code != 0) {
        return code;
    }
    take(std::move(p), 0, index);
    return 0;
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
