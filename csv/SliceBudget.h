#pragma once

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

    // What a progress window gives one slice: the window repaints and answers "Cancel" well
    // within the time a user notices.
    static constexpr int kWindowMs = 25;

    SliceBudget();
    explicit SliceBudget(Ticker ticker);

    void setMilliseconds(int ms) { m_ns = std::int64_t(ms) * 1000000; }
    int milliseconds() const { return int(m_ns / 1000000); }

    void start();
    // Called after each batch: whether one more batch as long as the longest of this slice, and
    // then the closing work, still fit in the slice's time.
    bool anotherBatch();
    // Around the closing work: later slices keep time for it. A long one (a checkpoint of the
    // data file's log) is remembered for a while and then counts less, slice by slice.
    void beginClosing();
    void endClosing();

private:
    Ticker m_now;
    std::int64_t m_ns = 0;
    std::int64_t m_start = 0;
    std::int64_t m_mark = 0;
    std::int64_t m_longestBatch = 0;
    std::int64_t m_closing = 0;
};

} // namespace velatask
