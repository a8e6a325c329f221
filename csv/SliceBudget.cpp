#include "csv/SliceBudget.h"

#include <algorithm>
#include <chrono>

namespace velatask {

SliceBudget::SliceBudget()
    : SliceBudget([] {
          return std::int64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count());
      }) {}

SliceBudget::SliceBudget(Ticker ticker) : m_now(std::move(ticker)) {}

void SliceBudget::start() {
    m_start = m_now();
    m_mark = m_start;
    m_longestBatch = 0;
}

bool SliceBudget::anotherBatch() {
    const std::int64_t now = m_now();
    m_longestBatch = std::max(m_longestBatch, now - m_mark);
    m_mark = now;
    return m_ns > 0 && now - m_start + m_longestBatch + m_closing <= m_ns;
}

void SliceBudget::beginClosing() {
    m_mark = m_now();
}

void SliceBudget::endClosing() {
    // Three quarters of the time kept before, or this one's when it took longer.
    m_closing = std::max(m_now() - m_mark, m_closing - m_closing / 4);
}

} // namespace velatask
