#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace velatask {

// How long one slice of batch work may take before the event loop runs again: the work goes on
// in batches of N records while another batch and the slice's closing work (a commit) still fit
// in the time. The lengths of batches and of the closing work are measured, so a slice stays
// within its time also when batches are slow or a commit takes long. With no time set, a slice
// is one batch.
//
//   budget.start();
//   do { ...a batch... } while (budget.anotherBatch());
//   budget.beginClosing(); ...commit... budget.endClosing();
class SliceBudget {
public:
    // Nanoseconds on a clock that only moves forward; only differences count. It measures how
    // long the work itself takes, never the time of day.
    using Ticker = std::function<std::int64_t()>;

    // What a progress window gives one slice, its commit included: the window repaints and
    // answers "Cancel" well within the time a user notices, and a slice that runs one batch
    // over still ends before 50 ms. Each slice commits, so fewer, fuller slices commit less.
    static constexpr int kWindowMs = 40;

    SliceBudget();
    explicit SliceBudget(Ticker ticker);

    void setMilliseconds(int ms) { m_ns = std::int64_t(ms) * 1000000; }
    // The closing time counted on until four closings have been measured (none by default): a
    // job whose every slice ends in a commit keeps time for it from its first slice on, instead
    // of running its first slices over by a commit.
    void assumeClosing(int ms);
    int milliseconds() const { return int(m_ns / 1000000); }

    void start();
    // Nanoseconds of the slice's time left (none left: 0); -1 when no time is set.
    std::int64_t remainingNs() const;
    // Called after each batch: whether one more batch as long as those of this slice took on
    // average, and then the closing work, still fit in the slice's time. (The average, not the
    // longest: a batch that waited for the processor or read a page says little about the next.)
    bool anotherBatch();
    // Around the closing work: later slices keep time for the usual one, the longer of the
    // middle two of the last four. A single long one (a checkpoint of the data file's log)
    // would only make the slices after it smaller, never the next long one shorter; closings
    // that stay long count.
    void beginClosing();
    void endClosing();

private:
    Ticker m_now;
    std::int64_t m_ns = 0;
    std::int64_t m_start = 0;
    std::int64_t m_mark = 0; // where the closing work began
    std::int64_t m_batches = 0;
    std::array<std::int64_t, 4> m_closings{}; // the last ones, the oldest overwritten
    size_t m_nextClosing = 0;
    size_t m_measured = 0; // closings measured, up to four
};

} // namespace velatask
