#pragma once

#include <cstdint>
#include <functional>

namespace velatask {

// How long one slice of batch work may take before the event loop runs again: the work goes on
// in batches of N records while another batch still fits in the time. The lengths of the batches
// are measured, so a slice stays within its time also when batches are slow. With no time set, a
// slice is one batch.
//
//   budget.start();
//   do { ...a batch... } while (budget.anotherBatch());
class SliceBudget {
public:
    // Nanoseconds on a clock that only moves forward; only differences count. It measures how
    // long the work itself takes, never the time of day.
    using Ticker = std::function<std::int64_t()>;

    // What a progress window gives one slice: the window repaints and
    // answers "Cancel" well within the time a user notices, and a slice that runs one batch
    // over still ends before 50 ms.
    static constexpr int kWindowMs = 40;

    // The steady clock's nanoseconds.
    static Ticker steadyTicker();

    SliceBudget();
    explicit SliceBudget(Ticker ticker);

    void setMilliseconds(int ms) { m_ns = std::int64_t(ms) * 1000000; }
    int milliseconds() const { return int(m_ns / 1000000); }

    void start();
    // Nanoseconds of the slice's time left (none left: 0); -1 when no time is set.
    std::int64_t remainingNs() const;
    // Called after each batch: whether one more batch as long as those of this slice took on
    // average still fits in the slice's time. (The average, not the longest: a batch that waited
    // for the processor or read a page says little about the next.)
    bool anotherBatch();

private:
    Ticker m_now;
    std::int64_t m_ns = 0;
    std::int64_t m_start = 0;
    std::int64_t m_batches = 0;
};

} // namespace velatask
