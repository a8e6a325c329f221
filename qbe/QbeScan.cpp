#include "qbe/QbeScan.h"

#include "qbe/CriteriaFilter.h"
#include "qbe/MatchTest.h"

#include <algorithm>

namespace velatask {

namespace {

// A key stretch is first read a few records at a time: most of the stretches of a text key
// are empty.
constexpr int kFirstPage = 16;

} // namespace

QbeScan::QbeScan(WindowCursor& cursor, std::vector<Criterion> criteria, std::vector<KeyOrder> keys)
    : m_cursor(cursor), m_keys(std::move(keys)) {
    for (Criterion& c : criteria) {
        if (c.takesPart()) {
            m_criteria.push_back(std::move(c));
        }
    }
}

int QbeScan::start() {
    m_haveAnchor = false;
    m_region = 0;
    m_visited = 0;
    m_key = -1;
    m_atEnd = false;
    Choice best;
    if (const int code = choose(best); code != 0) {
        return code;
    }
    if (best.key >= 0 && best.share <= m_narrowShare) {
        return startRegions(std::move(best));
    }
    return startTable();
}

int QbeScan::choose(Choice& best) {
    for (size_t k = 0; k < m_keys.size(); ++k) {
        for (const Criterion& c : m_criteria) {
            if (c.field.compare(m_keys[k].field, Qt::CaseInsensitive) != 0) {
                continue;
            }
            std::optional<std::vector<KeyRegion>> regions = KeyRegion::of(c);
            if (!regions) {
                continue;
            }
            double share = 1.0;
            if (const int code = estimate(m_keys[k], *regions, share); code != 0) {
                return code;
            }
            if (best.key < 0 || share < best.share) {
                best = Choice{int(k), std::move(*regions), share};
            }
        }
    }
    return 0;
}

int QbeScan::estimate(const KeyOrder& key, const std::vector<KeyRegion>& regions, double& share) {
    if (const int code = key.select(m_cursor); code != 0) {
        return code;
    }
    m_cursor.setFilter(Filter());
    m_cursor.setColumns({});
    share = 0.0;
    for (const KeyRegion& r : regions) {
        const WindowCursor::Row from{std::numeric_limits<std::int64_t>::min(), {r.from}, {}};
        const WindowCursor::Row beyond{std::numeric_limits<std::int64_t>::max(), {r.beyond()}, {}};
        share += m_cursor.fractionOf(beyond) - m_cursor.fractionOf(from);
        if (m_cursor.error().code != 0) {
            return m_cursor.error().code;
        }
    }
    return 0;
}

int QbeScan::startRegions(Choice choice) {
    m_key = choice.key;
    m_regions = std::move(choice.regions);
    if (const int code = m_keys[size_t(m_key)].select(m_cursor); code != 0) {
        return code;
    }
    QStringList fields;
    for (const Criterion& c : m_criteria) {
        if (!fields.contains(c.field, Qt::CaseInsensitive)) {
            fields << c.field;
        }
    }
    m_cursor.setFilter(Filter());
    if (const int code = m_cursor.setColumns(fields); code != 0) {
        return code;
    }
    m_columnOf.clear();
    for (const Criterion& c : m_criteria) {
        m_columnOf.push_back(m_cursor.columnIndex(c.field));
    }
    m_expected =
        std::max<std::int64_t>(1, std::int64_t(choice.share * double(m_cursor.approximateCount())));
    m_atEnd = m_regions.empty();
    return m_cursor.error().code;
}

int QbeScan::startTable() {
    m_cursor.setRecordOrder();
    m_cursor.setFilter(Filter());
    m_cursor.setColumns({});
    WindowCursor::Page page;
    if (const int code = m_cursor.first(1, page); code != 0) {
        return code;
    }
    m_atEnd = page.empty();
    if (m_atEnd) {
        return 0;
    }
    m_firstPosition = page.front().position;
    if (const int code = m_cursor.last(1, page); code != 0) {
        return code;
    }
    m_lastPosition = page.empty() ? m_firstPosition : page.front().position;
    return m_cursor.setFilter(CriteriaFilter::of(m_criteria));
}

int QbeScan::read(int rows, std::vector<std::int64_t>& matches, int maxMatches) {
    if (m_atEnd || int(matches.size()) >= maxMatches) {
        return 0;
    }
    rows = std::max(rows, 1);
    return m_key >= 0 ? readRegions(rows, matches, maxMatches)
                      : readTable(rows, matches, maxMatches);
}

int QbeScan::readTable(int rows, std::vector<std::int64_t>& matches, int maxMatches) {
    const int want = std::min(rows, maxMatches - int(matches.size()));
    WindowCursor::Page page;
    const int code =
        m_haveAnchor ? m_cursor.after(m_anchor, want, page) : m_cursor.first(want, page);
    if (code != 0) {
        return code;
    }
    for (const WindowCursor::Row& row : page) {
        matches.push_back(row.position);
    }
    if (!page.empty()) {
        m_anchor = page.back();
        m_haveAnchor = true;
    }
    m_atEnd = int(page.size()) < want;
    return 0;
}

int QbeScan::readRegions(int rows, std::vector<std::int64_t>& matches, int maxMatches) {
    int page = kFirstPage;
    while (!m_atEnd && rows > 0 && int(matches.size()) < maxMatches) {
        const KeyRegion& region = m_regions[m_region];
        const int want = std::min(rows, page);
        page *= 2;
        WindowCursor::Page rowsRead;
        const int code = m_haveAnchor ? m_cursor.after(m_anchor, want, rowsRead)
                                      : m_cursor.seek({region.from}, want, rowsRead);
        if (code != 0) {
            return code;
        }
        bool left = int(rowsRead.size()) < want;
        for (const WindowCursor::Row& row : rowsRead) {
            if (!region.contains(row.key.value(0))) {
                left = true;
                break;
            }
            ++m_visited;
            --rows;
            m_anchor = row;
            m_haveAnchor = true;
            if (rowMatches(row)) {
                matches.push_back(row.position);
                if (int(matches.size()) >= maxMatches) {
                    return 0; // the next read goes on after this record
                }
            }
        }
        if (left) {
            m_haveAnchor = false;
            m_atEnd = ++m_region >= m_regions.size();
            page = kFirstPage;
        }
    }
    return 0;
}

bool QbeScan::rowMatches(const WindowCursor::Row& row) const {
    for (size_t i = 0; i < m_criteria.size(); ++i) {
        if (!MatchTest::matches(m_criteria[i], row.values.value(m_columnOf[i]))) {
            return false;
        }
    }
    return true;
}

int QbeScan::percent() const {
    if (m_atEnd) {
        return 100;
    }
    if (m_key >= 0) {
        return int(std::min<std::int64_t>(99, m_visited * 100 / m_expected));
    }
    if (!m_haveAnchor) {
        return 0;
    }
    const std::int64_t span = m_lastPosition - m_firstPosition + 1;
    return int(std::clamp<std::int64_t>((m_anchor.position - m_firstPosition) * 100 / span, 0, 99));
}

} // namespace velatask
