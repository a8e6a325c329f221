#pragma once

#include "qbe/Criterion.h"
#include "qbe/KeyRegion.h"
#include "store/StoreError.h"
#include "store/WindowCursor.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace velatask {

// A key of the searched table whose first component is a searchable field.
struct KeyOrder {
    QString field;
    // Puts the cursor in the key's order; 0 or a store code.
    std::function<int(WindowCursor&)> select;
};

// Reads the records that satisfy every criterion, a slice at a time, through a cursor the
// caller owns. When a criterion's field leads one of the keys and the stretch of that key it
// allows is a small part of the table, only that stretch is read (the records are tested on
// the fetched values); otherwise the table is read in record order and the store tests the
// criteria as it reads (CriteriaFilter), handing over only the matching records.
class QbeScan {
public:
    // A key stretch is read instead of the table when it holds at most this share of the rows.
    static constexpr double kNarrowShare = 0.25;

    QbeScan(WindowCursor& cursor, std::vector<Criterion> criteria, std::vector<KeyOrder> keys = {});

    // The largest share of a key's rows that is read as a stretch (kNarrowShare unless set).
    void setNarrowShare(double share) { m_narrowShare = share; }

    // Plans the read from the first record; 0 or a store code.
    int start();
    // Reads on over about `rows` records and appends the positions of the matching ones; stops
    // right after the `maxMatches`th, so that the next call goes on from there. 0 or a store
    // code.
    int read(int rows, std::vector<std::int64_t>& matches,
             int maxMatches = std::numeric_limits<int>::max());
    bool atEnd() const { return m_atEnd; }
    // How far the read has come, 0 to 100.
    int percent() const;

    // The index in `keys` of the key whose stretch is read; -1 when the table is read.
    int narrowingKey() const { return m_key; }
    // Records read so far in a key stretch (the table read counts none: the store tests them).
    std::int64_t rowsVisited() const { return m_visited; }
    const StoreError& error() const { return m_cursor.error(); }

private:
    struct Choice {
        int key = -1;
        std::vector<KeyRegion> regions;
        double share = 1.0;
    };
    int choose(Choice& best);
    int estimate(const KeyOrder& key, const std::vector<KeyRegion>& regions, double& share);
    int startTable();
    int startRegions(Choice choice);
    int readTable(int rows, std::vector<std::int64_t>& matches, int maxMatches);
    int readRegions(int rows, std::vector<std::int64_t>& matches, int maxMatches);
    bool rowMatches(const WindowCursor::Row& row) const;

    WindowCursor& m_cursor;
    std::vector<Criterion> m_criteria;
    std::vector<KeyOrder> m_keys;
    std::vector<int> m_columnOf; // per criterion, its column in Row::values
    double m_narrowShare = kNarrowShare;
    int m_key = -1;
    std::vector<KeyRegion> m_regions;
    size_t m_region = 0;
    bool m_haveAnchor = false;
    WindowCursor::Row m_anchor;
    bool m_atEnd = true;
    std::int64_t m_visited = 0;
    std::int64_t m_expected = 0;
    std::int64_t m_firstPosition = 0;
    std::int64_t m_lastPosition = 0;
};

} // namespace velatask
