#pragma once

#include <QVariantList>

#include <cstdint>
#include <vector>

namespace velatask {

// Where a row stands in a cursor's order, as a fraction of the cursor's rows, worked out from
// keys read once: the keys of all rows when there are few, otherwise those of rows picked at
// random positions (a sample that stands for the whole).
class ScrollSample {
public:
    struct Entry {
        QVariantList key;
        std::int64_t rowid = 0;
    };

    ScrollSample() = default;
    // `count` is the number of rows the entries stand for (exact when they are all of them);
    // `noCase` tells per key component whether text compares without regard to ASCII case.
    ScrollSample(std::vector<Entry> entries, std::int64_t count, std::vector<bool> noCase);

    std::int64_t count() const { return m_count; }
    // The share of the rows that come before the row with this key and position, 0 to 1.
    double fractionOf(const QVariantList& key, std::int64_t rowid) const;
    // The entry at that share of the rows; nullptr when there are none.
    const Entry* at(double fraction) const;

private:
    bool before(const Entry& e, const QVariantList& key, std::int64_t rowid) const;

    std::vector<Entry> m_entries;
    std::int64_t m_count = 0;
    std::vector<bool> m_noCase;
};

} // namespace velatask
