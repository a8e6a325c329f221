#pragma once

#include "csv/SliceBudget.h"

#include <cstdint>

namespace velatask {

// When an import commits the transaction that it keeps open over its slices. A commit writes
// every index page that its tasks changed, and tasks added in random key order soon change most
// of them: committing each slice writes the same pages again and again, most of an import's disk
// work, while a commit of many slices costs hardly more than one of a single slice. Other
// programs wait for the file about an interval and a commit at most (the progress window's timer
// keeps the slices coming), far less than their 2 s, and a killed import loses at most an
// interval's tasks.
class CommitPace {
public:
    static constexpr int kIntervalMs = 250;

    CommitPace();
    explicit CommitPace(SliceBudget::Ticker ticker);

    // A transaction has begun: the interval counts from now.
    void began();
    bool commitDue() const;

private:
    SliceBudget::Ticker m_now;
    std::int64_t m_began = 0;
};

} // namespace velatask
