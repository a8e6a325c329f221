#include "store/ScrollSample.h"

#include "store/SqlOrder.h"

#include <algorithm>

namespace velatask {

ScrollSample::ScrollSample(std::vector<Entry> entries, std::int64_t count, std::vector<bool> noCase)
    : m_entries(std::move(entries)), m_count(count), m_noCase(std::move(noCase)) {
    std::sort(m_entries.begin(), m_entries.end(),
              [this](const Entry& a, const Entry& b) { return before(a, b.key, b.rowid); });
}

bool ScrollSample::before(const Entry& e, const QVariantList& key, std::int64_t rowid) const {
    for (int i = 0; i < e.key.size() && i < key.size(); ++i) {
        const bool noCase = size_t(i) < m_noCase.size() && m_noCase[size_t(i)];
        if (const int c = SqlOrder::compare(e.key[i], key[i], noCase); c != 0) {
            return c < 0;
        }
    }
    return e.rowid < rowid;
}

double ScrollSample::fractionOf(const QVariantList& key, std::int64_t rowid) const {
    if (m_entries.empty()) {
        return 0.0;
    }
    const auto it = std::partition_point(m_entries.begin(), m_entries.end(),
                                         [&](const Entry& e) { return before(e, key, rowid); });
    return double(it - m_entries.begin()) / double(m_entries.size());
}

const ScrollSample::Entry* ScrollSample::at(double fraction) const {
    if (m_entries.empty()) {
        return nullptr;
    }
    const auto n = std::int64_t(m_entries.size());
    const auto i = std::clamp<std::int64_t>(std::int64_t(fraction * double(n)), 0, n - 1);
    return &m_entries[size_t(i)];
}

} // namespace velatask
